// The main window as the layers below the shell reach it; both links forward to g_mainDlg.
#include "MainWindowLinks.h"

#include "MainDlg.h"
#include "MainWindowLink.h"
#include "PdfHostShell.h"
#include "ShellDialogs.h"

namespace {

class ControlEventsShell final : public PXV::PdfHostShell {
  public:
    bool exitRequested() const override { return g_exitRequested; }
    void closeDocumentForExit() override { ::closeDocumentForExit(); }
    void closeMainWindow() override { ::SendMessageW(g_mainDlg->m_hWnd, WM_CLOSE, 0, 0); }
    bool acceptsLoginBeforeSave() override { return runPrompt(kLoginBeforeSave, nullptr) == kPromptAccepted; }
    int runLoginDialog() override { return g_mainDlg->showLoginDialog(); }
};

class DialogsLink final : public MainWindowLink {
  public:
    HWND window() const override { return g_mainDlg->m_hWnd; }
    int openFile(const wchar_t* path) override { return g_mainDlg->openFile(path); }
    void showUserInfoDialog() override { ::showUserInfoDialog(); }
    CWkeDlg*& newestSignInDialog() override { return g_mainDlg->webDlg; }
};

}  // namespace

void connectMainWindowLinks() {
    static ControlEventsShell controlEvents;
    static DialogsLink dialogs;
    PXV::setPdfHostShell(&controlEvents);
    setMainWindowLink(&dialogs);
}
