#include <soui/SSimpleWnd.h>

#include <algorithm>
#include <exception>

#include "Internal.h"

namespace SOUI {

namespace {
// Reflected notifications arrive at the child as OCM__BASE + the message, as control containers do.
constexpr UINT kOcmBase = WM_USER + 0x1C00;
}  // namespace

CSimpleWnd::CSimpleWnd() = default;

CSimpleWnd::~CSimpleWnd() {
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_hWnd);
    }
    m_hWnd = nullptr;
}

BOOL CSimpleWnd::ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&, DWORD) {
    return FALSE;
}

void CSimpleWnd::OnFinalMessage(HWND) {}

LRESULT CALLBACK CSimpleWnd::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    CSimpleWnd* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = static_cast<CSimpleWnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        if (self) {
            self->m_hWnd = hwnd;
        }
    } else {
        self = reinterpret_cast<CSimpleWnd*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) {
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    EnterDispatch();
    LRESULT result = 0;
    BOOL handled = FALSE;
    // Handlers of the program may raise errors (COM errors of the PDF control's calls travel up
    // uncaught by the program): they end here, at the last frame of ours before the system's
    // dispatcher, and the message counts as handled.
    try {
        handled = self->ProcessWindowMessage(hwnd, msg, wParam, lParam, result, 0);
    } catch (const std::exception& e) {
        SLog(L"message 0x%04X: exception in a handler: %S", msg, e.what());
        handled = TRUE;
        result = 0;
    } catch (...) {
        SLog(L"message 0x%04X: exception in a handler", msg);
        handled = TRUE;
        result = 0;
    }
    if (!handled) {
        result = DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->m_hWnd = nullptr;
        self->OnFinalMessage(hwnd);
    }
    LeaveDispatch();
    return result;
}

LRESULT CSimpleWnd::ReflectNotifications(UINT msg, WPARAM wParam, LPARAM lParam, BOOL& handled) {
    HWND child = nullptr;
    switch (msg) {
        case WM_COMMAND:
            child = reinterpret_cast<HWND>(lParam);
            break;
        case WM_NOTIFY:
            child = lParam ? reinterpret_cast<NMHDR*>(lParam)->hwndFrom : nullptr;
            break;
        case WM_PARENTNOTIFY:
            if (LOWORD(wParam) == WM_CREATE || LOWORD(wParam) == WM_DESTROY) {
                child = reinterpret_cast<HWND>(lParam);
            } else {
                child = GetDlgItem(m_hWnd, HIWORD(wParam));
            }
            break;
        case WM_DRAWITEM:
            child = wParam ? reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem : nullptr;
            break;
        case WM_MEASUREITEM:
            child = wParam ? GetDlgItem(m_hWnd, static_cast<int>(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlID))
                           : nullptr;
            break;
        case WM_COMPAREITEM:
            child = wParam ? reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->hwndItem : nullptr;
            break;
        case WM_DELETEITEM:
            child = wParam ? reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem : nullptr;
            break;
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            child = reinterpret_cast<HWND>(lParam);
            break;
        default:
            break;
    }
    if (!child || !::IsWindow(child)) {
        handled = FALSE;
        return 1;
    }
    return ::SendMessageW(child, kOcmBase + msg, wParam, lParam);
}

HWND CSimpleWnd::CreateNative(LPCWSTR className,
                              LPCWSTR title,
                              DWORD style,
                              DWORD exStyle,
                              int x,
                              int y,
                              int cx,
                              int cy,
                              HWND parent) {
    return CreateWindowExW(exStyle, className, title, style, x, y, cx, cy, parent, nullptr, GetModuleHandleW(nullptr),
                           this);
}

BOOL CSimpleWnd::DestroyWindow() {
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

BOOL CSimpleWnd::ShowWindow(int cmdShow) {
    return ::ShowWindow(m_hWnd, cmdShow);
}

BOOL CSimpleWnd::CenterWindow(HWND center) {
    if (!::IsWindow(m_hWnd)) {
        return FALSE;
    }
    HWND ref = nullptr;
    if (center) {
        if (center != m_hWnd && ::IsWindowVisible(center)) {
            ref = center;
        }
    } else {
        HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
        if (owner && ::IsWindowVisible(owner)) {
            ref = owner;
        }
    }
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    GetMonitorInfoW(MonitorFromWindow(ref ? ref : m_hWnd, MONITOR_DEFAULTTONEAREST), &mi);
    RECT area = mi.rcWork;
    if (ref) {
        ::GetWindowRect(ref, &area);
    }
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    int x = area.left + (area.right - area.left - w) / 2;
    int y = area.top + (area.bottom - area.top - h) / 2;
    // Keep the window on its monitor's work area.
    x = std::max<int>(mi.rcWork.left, std::min<int>(x, mi.rcWork.right - w));
    y = std::max<int>(mi.rcWork.top, std::min<int>(y, mi.rcWork.bottom - h));
    return ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND CSimpleWnd::SetFocus() {
    return ::SetFocus(m_hWnd);
}

}  // namespace SOUI
