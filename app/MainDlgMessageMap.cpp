// The main window's message map.
#include "MainDlg.h"
#include "MessageMapSupport.h"
#include "SingleInstance.h"

namespace {

// The map proper, entry by entry in its fixed order. A handler entry sets msgHandled, runs the
// handler and stops the map when msgHandled is still set; a handler that clears it lets the
// message go on down the map.
BOOL runMap(CMainDlg& self, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD msgMapId) {
    if (msgMapId != 0) {
        return FALSE;
    }
    switch (msg) {
        case WM_CREATE:
            self.msgHandled = 1;
            result = self.onCreate();
            if (self.msgHandled) {
                return TRUE;
            }
            break;
        case WM_INITDIALOG:
            self.msgHandled = 1;
            result = self.onInitDialog();
            if (self.msgHandled) {
                return TRUE;
            }
            break;
        case WM_CLOSE:
            // The base never sees it: only the close sequence destroys the window.
            self.msgHandled = 1;
            self.onClose();
            result = 0;
            if (self.msgHandled) {
                return TRUE;
            }
            break;
        case WM_SIZE:
            self.msgHandled = 1;
            self.onSize(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)),
                        static_cast<short>(HIWORD(lParam)));
            result = 0;
            if (self.msgHandled) {
                return TRUE;
            }
            break;
        case WM_MOVE:
            self.msgHandled = 1;
            self.onMove();
            result = 0;
            if (self.msgHandled) {
                return TRUE;
            }
            break;
        case WM_COMMAND:
            self.msgHandled = 1;
            if (HIWORD(wParam) == 0 && LOWORD(wParam) >= 1 && LOWORD(wParam) <= 13) {
                self.onCommand(LOWORD(wParam));
            }
            result = 0;
            if (self.msgHandled) {
                return TRUE;
            }
            break;
        case WM_DESTROY:
            // A second instance must not hand over to a window that is going; the base takes the
            // window's content down.
            unmarkMainWindow(hwnd);
            break;
        case WM_COPYDATA:
            self.msgHandled = 1;
            result = self.onCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
            if (self.msgHandled) {
                return TRUE;
            }
            break;
        default:
            break;
    }
    if (self.SOUI::SHostWnd::ProcessWindowMessage(hwnd, msg, wParam, lParam, result, 0)) {
        return TRUE;
    }
    BOOL reflected = TRUE;
    result = self.ReflectNotifications(msg, wParam, lParam, reflected);
    if (reflectionAnswered(msg, reflected, result)) {
        return TRUE;
    }
    switch (msg) {
        case WM_LOGIN_DONE:
            self.msgHandled = 1;
            result = self.onLoginNotify();
            return self.msgHandled ? TRUE : FALSE;
        case WM_SHOW_LOGIN:
            self.msgHandled = 1;
            result = self.onShowLoginRequest();
            return self.msgHandled ? TRUE : FALSE;
        case WM_OPEN_PENDING_DOC:
            self.msgHandled = 1;
            result = self.onOpenDocRequest();
            return self.msgHandled ? TRUE : FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

BOOL CMainDlg::ProcessWindowMessage(HWND hwnd,
                                    UINT msg,
                                    WPARAM wParam,
                                    LPARAM lParam,
                                    LRESULT& result,
                                    DWORD msgMapId) {
    // Dialogs run modal loops inside the handlers, so messages arrive nested: each level keeps
    // its own flag.
    CHandledFlagScope scope(msgHandled);
    // Errors of the handlers (COM errors of the control's calls in the close sequence or the edit
    // tool, and any other) end here.
    return runMessageMap(L"main window message", result,
                         [&] { return runMap(*this, hwnd, msg, wParam, lParam, result, msgMapId); });
}
