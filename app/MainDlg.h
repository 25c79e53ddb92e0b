#pragma once

#include <windows.h>

#include <soui/SHostWnd.h>

#include "MainWindowMessages.h"

class CWkeDlg;

namespace PXV {
class PdfEditControl;
}

// The one top-level window: the caption row of the product's buttons over the PDF control. Made
// once by getMainDlg and never deleted; the window goes when the control has closed its documents.
class CMainDlg : public SOUI::SHostWnd {
  public:
    CMainDlg();
    ~CMainDlg() override;

    // Control events of the caption, dispatched by the sender's name.
    BOOL _HandleEvent(SOUI::EventArgs* evt) override;
    // The message map; saves and restores msgHandled around each dispatch, since dialogs run
    // modal loops inside its handlers.
    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD msgMapId = 0)
        override;

    BOOL IsMsgHandled() const { return msgHandled; }
    void SetMsgHandled(BOOL handled) { msgHandled = handled; }

    // Lifecycle and message handlers.
    int onCreate();
    LRESULT onInitDialog();
    void onSize(UINT type, int width, int height);
    void onMove();
    // Closes one open document through the control, or the window when none is open (after
    // starting the updater when an update waits for the closing).
    void onClose();

    // Caption commands, menus and the account area.
    void onCommand(UINT id);
    void onBtnMin();
    void onBtnMax();
    void onBtnRestore();
    void onBtnEdit();
    void onBtnMenu();
    void onBtnRead();
    void onBtnLog();
    void onBtnConvert();
    void openCustomerService();
    void openChatLink();
    void refreshLoginArea();
    void applyLoginSkin();
    void logout();
    void checkUpdate();
    // Runs a new sign-in dialog (mode 1) modally without owner; its code.
    int showLoginDialog();
    LRESULT onLoginNotify();
    LRESULT onShowLoginRequest();

    // Document opening. The texts are cut in place.
    int openFileList(wchar_t* text);
    int openFile(const wchar_t* path);
    LRESULT onCopyData(const COPYDATASTRUCT* data);
    LRESULT onOpenDocRequest();
    void openFileListUnquoted(wchar_t* text);

    // Configures the PDF control once, from the window's initialisation.
    void setupPdfControl();

    // Empty operations the class keeps; nothing calls them.
    void emptyOperation1() {}
    void emptyOperation2() {}
    void emptyOperation3() {}
    int emptyQuery() { return 0; }

    // Fields, in this order.
    int msgHandled;
    CWkeDlg* webDlg;                  // the newest sign-in dialog; never deleted here
    PXV::PdfEditControl* pdfControl;  // the control wrapper; not owned
    int initialised;                  // 1 from WM_INITDIALOG on
    // The update the user accepted from the main menu: the updater starts once every document has
    // closed; a closing that ends with the window still there drops it.
    bool updateAfterClosing = false;
};

// The one main window: null until getMainDlg creates it, never reset.
extern CMainDlg* g_mainDlg;
// Set by onClose: while it is set every closed document continues the closing. Cleared when the
// closing ends with the window still there: the user cancelled the close of a document, the close
// failed with an error, or the accepted updater could not be started.
extern bool g_exitRequested;
// One step of the closing: closes the active document; a close the user cancels, or one that fails
// with an error (which still travels on to the handler's boundary), ends the closing.
void closeDocumentForExit();

// The main window, made on first use (after the PDF control's engine); null when the engine could
// not be had: the program then started itself again elevated, or the engine is still unavailable
// after the registration (pdfEngineState tells which).
CMainDlg* getMainDlg();
// showLoginDialog of the main window; 0x80000000 without one. Not called by the program.
int requestLogin();
// onClose of the main window when there is one. Not called by the program.
void closeMainWindow();
// The account information dialog, modal without owner.
void showUserInfoDialog();
// Second forms of two caption actions, beside the main window's own; not called by the program.
// The customer-service page of the application state, in the browser.
void openCustomerService();
// A new sign-in dialog for `main`, as its showLoginDialog runs one; the dialog's code.
int showLoginDialog(CMainDlg& main);
