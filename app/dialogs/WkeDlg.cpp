#include "WkeDlg.h"

#include <online/account/AccountRequests.h>
#include <webview/SWkeWebkit.h>
#include <webview/WkeEngine.h>

#include "DialogMessageMap.h"
#include "HandlerBoundary.h"
#include "SignInReport.h"

CWkeDlg::CWkeDlg() : SOUI::SHostDialog(L"LAYOUT:XML_WKEDLG") {}

CWkeDlg::~CWkeDlg() = default;

BOOL CWkeDlg::_HandleEvent(SOUI::EventArgs* evt) {
    if (isCommandFrom(evt, L"btn_close")) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    return SOUI::SHostDialog::_HandleEvent(evt);
}

BOOL CWkeDlg::ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD msgMapId) {
    if (msgMapId == 0 && msg == WM_CLOSE) {
        CHandledFlagScope scope(msgHandled);
        msgHandled = 1;
        // Closed by the main window after a completed sign-in, or by anyone else: 1, not the
        // host dialog's 2.
        EndDialog(IDOK);
        result = 0;
        return TRUE;
    }
    return initDialogMessageMap(*this, hwnd, msg, wParam, lParam, result, msgMapId);
}

int CWkeDlg::onInitDialog() {
    webView = FindChildByName2<SOUI::SWkeWebkit>(L"wke_test");
    title = FindChildByName2<SOUI::SStatic>(L"title_name");
    if (mode == 1) {
        if (title) {
            title->SetWindowText(L"登录");
        }
        url = buildLoginUrl();
        // Global to every page of the engine; binding again replaces the function.
        if (g_wkeApi.jsBindFunction) {
            g_wkeApi.jsBindFunction("msgBox", &CWkeDlg::onMsgBox, 1);
        }
    }
    if (webView) {
        webView->SetAttribute(L"url", url, FALSE);
    }
    return 1;
}

int runNewSignInDialog(CWkeDlg*& newest) {
    newest = new CWkeDlg();
    newest->mode = 1;
    return static_cast<int>(newest->DoModal(nullptr));
}

jsValue WKE_CALL CWkeDlg::onMsgBox(jsExecState es) noexcept {
    // The engine is the caller: nothing may leave this function.
    PXV::runAtBoundary(L"sign-in page's msgBox", [&] {
        // The engine's text is only good during the call: used at once. The page is outside
        // text: an id it reports is taken only when it is well formed.
        reportSignedInUser(g_wkeApi.jsToStringW(es, g_wkeApi.jsArg(es, 0)));
    });
    return g_wkeApi.jsUndefined();
}
