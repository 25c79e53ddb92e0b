#include <soui/SApplication.h>
#include <soui/SRealWnd.h>

#include "AttrParse.h"
#include "Internal.h"
#include "Refusals.h"

namespace SOUI {

SRealWnd::SRealWnd() = default;
SRealWnd::~SRealWnd() = default;

BOOL SRealWnd::IsClass(LPCWSTR className) const {
    return (className && wcscmp(className, GetClassName()) == 0) || SWindow::IsClass(className);
}

LPCWSTR SRealWnd::GetObjectClass() const {
    return GetClassName();
}

HRESULT SRealWnd::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) {
    if (name.CompareNoCase(L"wndclass") == 0) {
        param_.className = value;
    } else if (name.CompareNoCase(L"wndname") == 0) {
        param_.windowName = value;
    } else if (name.CompareNoCase(L"style") == 0 || name.CompareNoCase(L"exStyle") == 0) {
        int bits = 0;
        if (!ReadInt(value.c_str(), bits)) {
            Refuse(L"attribute " + QuoteAttribute(name.c_str(), value.c_str()) + L" of " + DescribeElement(this),
                   L"not a number of window style bits");
            return E_INVALIDARG;
        }
        (name.CompareNoCase(L"style") == 0 ? param_.style : param_.exStyle) = static_cast<DWORD>(bits);
    } else {
        return SWindow::SetAttribute(name, value, loading);
    }
    return AfterAttribute(name, value, loading, S_FALSE);
}

BOOL SRealWnd::ProcessSwndMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    SApplication* app = SApplication::getSingletonPtr();
    IRealWndHandler* handler = app ? app->GetRealWndHandler() : nullptr;
    switch (msg) {
        case WM_CREATE: {
            result = 0;
            HWND host = GetContainer() ? GetContainer()->GetHostHwnd() : nullptr;
            if (handler) {
                HWND made = handler->createRealWnd(this);
                if (made) {
                    realHwnd_ = made;
                    handler->initRealWnd(this);
                }
            } else if (host && !param_.className.IsEmpty()) {
                realHwnd_ = CreateWindowExW(param_.exStyle, param_.className.c_str(), param_.windowName.c_str(),
                                            WS_CHILD | param_.style, 0, 0, 0, 0, host,
                                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(GetID())),
                                            GetModuleHandleW(nullptr), nullptr);
                ownWindow_ = realHwnd_ != nullptr;
            }
            return TRUE;
        }
        case WM_DESTROY:
            if (handler && !ownWindow_) {
                handler->destroyRealWnd(this);
            } else if (ownWindow_ && ::IsWindow(realHwnd_)) {
                ::DestroyWindow(realHwnd_);
                realHwnd_ = nullptr;
            }
            return SWindow::ProcessSwndMessage(msg, wParam, lParam, result);
        case WM_WINDOWPOSCHANGED:
            PlaceRealWnd();
            return TRUE;
        default:
            return SWindow::ProcessSwndMessage(msg, wParam, lParam, result);
    }
}

void SRealWnd::PlaceRealWnd() {
    if (!::IsWindow(realHwnd_)) {
        return;
    }
    SApplication* app = SApplication::getSingletonPtr();
    IRealWndHandler* handler = ownWindow_ ? nullptr : (app ? app->GetRealWndHandler() : nullptr);
    if (!handler || !handler->sizeRealWnd(this)) {
        RECT rc;
        GetWindowRect(&rc);
        ::SetWindowPos(realHwnd_, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const BOOL shown = IsVisible(TRUE);
    if (shown != lastShown_ || (shown != ((GetWindowLongW(realHwnd_, GWL_STYLE) & WS_VISIBLE) != 0))) {
        lastShown_ = shown;
        if (!handler || !handler->showRealWnd(this, shown)) {
            ::ShowWindow(realHwnd_, shown ? SW_SHOWNOACTIVATE : SW_HIDE);
        }
    }
}

}  // namespace SOUI
