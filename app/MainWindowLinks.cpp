// The main window as the layers below the shell reach it; the links forward to g_mainDlg.
#include "MainWindowLinks.h"

#include "MainDlg.h"
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

}  // namespace

void connectMainWindowLinks() {
    static ControlEventsShell controlEvents;
    PXV::setPdfHostShell(&controlEvents);
}
