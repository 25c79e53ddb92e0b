#pragma once

#include <windows.h>

#include <soui/SHostDialog.h>
#include <soui/SStatic.h>
#include <soui/SString.h>
#include <webengine/wke.h>

namespace SOUI {
class SWkeWebkit;
}

// The web sign-in dialog: the account service's sign-in page in the web view, with the script
// function "msgBox" through which the page reports the id of the user who signed in. Ends with 1
// when closed by WM_CLOSE (the main window's answer to a completed sign-in) and 2 by its close
// button.
class CWkeDlg : public SOUI::SHostDialog {
  public:
    CWkeDlg();
    ~CWkeDlg() override;

    BOOL _HandleEvent(SOUI::EventArgs* evt) override;
    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD msgMapId = 0)
        override;

    // Finds the view and the title; in mode 1 binds "msgBox" and loads the sign-in page. Returns 1.
    int onInitDialog();
    void setMode(int value) { mode = value; }

    // "msgBox"(id) of every page of the engine: stores the id, tells the main window and gives
    // the page undefined.
    static jsValue WKE_CALL onMsgBox(jsExecState es) noexcept;

    BOOL IsMsgHandled() const { return msgHandled; }
    void SetMsgHandled(BOOL handled) { msgHandled = handled; }

    int msgHandled = 0;
    SOUI::SWkeWebkit* webView = nullptr;
    SOUI::SStatic* title = nullptr;
    SOUI::SStringW url;
    // 1: the sign-in page.
    int mode = 1;
};

// A new sign-in dialog in mode 1, stored in `newest` before it runs modally without owner; its
// code. Whoever keeps `newest` keeps the dialog: it is never deleted.
int runNewSignInDialog(CWkeDlg*& newest);
