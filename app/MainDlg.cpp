// The main window's life: creation, initialisation, size changes and the close sequence.
#include "MainDlg.h"

#include "HandlerBoundary.h"
#include "MainWindowLinks.h"
#include "PdfControlAccess.h"
#include "PdfControlRefs.h"
#include "PdfControlSetup.h"
#include "Updater.h"
#include "foundation/AppState.h"

CMainDlg* g_mainDlg = nullptr;
bool g_exitRequested = false;

CMainDlg::CMainDlg()
    : SOUI::SHostWnd(L"LAYOUT:XML_MAINWND"), msgHandled(0), webDlg(nullptr), pdfControl(nullptr), initialised(0) {}

CMainDlg::~CMainDlg() = default;

CMainDlg* getMainDlg() {
    if (g_mainDlg) {
        return g_mainDlg;
    }
    // No window without the control's engine: it would look ready and could open nothing. The
    // elevated copy takes over, or the caller tells the user that the control is unavailable.
    if (!getPdfControl() || pdfEngineState() != PdfEngineState::created) {
        return nullptr;
    }
    // Stored before the window exists: code running while it is built and initialised finds it.
    g_mainDlg = new CMainDlg();
    connectMainWindowLinks();
    g_mainDlg->Create(GetActiveWindow(), 0, 0, 0, 0);
    ::SendMessageW(g_mainDlg->m_hWnd, WM_INITDIALOG, 0, 0);
    g_mainDlg->CenterWindow(g_mainDlg->m_hWnd);
    return g_mainDlg;
}

int requestLogin() {
    CMainDlg* main = getMainDlg();
    return main ? main->showLoginDialog() : static_cast<int>(0x80000000u);
}

void closeMainWindow() {
    if (CMainDlg* main = getMainDlg()) {
        main->onClose();
    }
}

int CMainDlg::onCreate() {
    msgHandled = 0;  // the base builds the window's content
    return 0;
}

LRESULT CMainDlg::onInitDialog() {
    initialised = 1;
    refreshLoginArea();
    pdfControl = getPdfControl();
    setupPdfControl();

    const struct {
        const wchar_t* name;
        int visible;
    } buttons[] = {{L"btn_edit", g_appState.editButtonVisible},
                   {L"btn_read", g_appState.readButtonVisible},
                   {L"btn_convert", g_appState.convertButtonVisible}};
    for (const auto& button : buttons) {
        if (SOUI::SWindow* found = FindChildByName(button.name)) {
            found->SetVisible(button.visible, FALSE);
        }
    }
    if (g_appState.readButtonVisible == 0) {
        // The convert button takes the read button's place.
        if (SOUI::SWindow* convert = FindChildByName(L"btn_convert")) {
            convert->SetAttribute(L"pos", L"240,20", FALSE);
        }
    }
    return 0;
}

void CMainDlg::setupPdfControl() {
    if (!pdfControl) {
        return;
    }
    // An error of the set-up ends here: its later steps stay undone, the window is still made.
    PXV::runAtBoundary(L"PDF control set-up",
                       [&] { PXV::configurePdfControl(*pdfControl, g_appState.ribbonTabVisible); });
}

void CMainDlg::onSize(UINT type, int, int) {
    msgHandled = 0;  // the base lays the window out too
    if (initialised == 0) {
        return;
    }
    SOUI::SWindow* maxButton = FindChildByName(L"btn_max");
    SOUI::SWindow* restoreButton = FindChildByName(L"btn_restore");
    SOUI::SWindow* root = FindChildByName(L"root");
    if (!maxButton || !restoreButton) {
        return;
    }
    if (type == SIZE_MAXIMIZED) {
        restoreButton->SetVisible(TRUE, FALSE);
        maxButton->SetVisible(FALSE, FALSE);
        if (root) {
            root->SetAttribute(L"margin", L"7,5,7,5", FALSE);
        }
        g_appState.writeAppString(L"frameState", L"max");
    } else if (type == SIZE_RESTORED) {
        restoreButton->SetVisible(FALSE, FALSE);
        maxButton->SetVisible(TRUE, FALSE);
        if (root) {
            root->SetAttribute(L"margin", L"0,0,0,0", FALSE);
        }
        g_appState.writeAppString(L"frameState", L"normal");
    }
}

void CMainDlg::onMove() {}

namespace {

// The closing ended with the window still there: later closed documents do not continue it, and
// the update it waited for is dropped.
void endClosing() {
    g_exitRequested = false;
    if (g_mainDlg) {
        g_mainDlg->updateAfterClosing = false;
    }
}

}  // namespace

void closeDocumentForExit() {
    // A document the user kept open (cancelled the control's question about its unsaved changes)
    // keeps the program: a later close of one document must not go on closing the rest. So does a
    // close that failed.
    bool closed = false;
    try {
        closed = PXV::PdfControlRefs::closeActiveDocumentCounted();
    } catch (...) {
        endClosing();
        throw;
    }
    if (!closed) {
        endClosing();
    }
}

void CMainDlg::onClose() {
    g_exitRequested = true;
    if (pdfControl && pdfControl->isDocumentOpen()) {
        // The control answers with "e.document.closed", which closes the next document or, when
        // none is left, comes back here through WM_CLOSE.
        closeDocumentForExit();
        return;
    }
    if (updateAfterClosing) {
        // Every document has closed: now the updater may replace the program. When it cannot
        // start, the user has been told and the program stays.
        updateAfterClosing = false;
        if (!startUpdater(SW_SHOW, m_hWnd)) {
            endClosing();
            return;
        }
    }
    if (!pdfControl) {
        DestroyWindow();
        return;
    }
    // The engine is told before the window goes. Without an instance object (no control window)
    // the window is still destroyed, so the program can always be closed.
    IPdfInstancePtr instance;
    PXV::runAtBoundary(L"closing the main window", [&] {
        instance = pdfControl->takeInstance();
        if (instance) {
            instance->PrepareExit(0);
        }
    });
    DestroyWindow();
    instance = nullptr;
}
