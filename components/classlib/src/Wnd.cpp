#include "classlib/Wnd.h"

#include <comdef.h>

#include <cstdarg>
#include <cstring>
#include <vector>

#include "ControlSite.h"
#include "HandleMap.h"
#include "classlib/ControlContainer.h"

namespace {

constexpr wchar_t kOwnerProp[] = L"classlib.CWnd";

CWnd* createCWnd() {
    return new CWnd();
}

}  // namespace

const CRuntimeClass CWnd::classCWnd = {"CWnd", sizeof(CWnd), &createCWnd, nullptr};
const EventSinkMap CWnd::eventSinkMap = {nullptr, nullptr, 0};

CWnd::CWnd() : m_hWnd(nullptr) {}

const CRuntimeClass* CWnd::GetRuntimeClass() const {
    return &classCWnd;
}

CWnd::~CWnd() {
    // Only a window this object made goes with it; a wrapped foreign window stays.
    if (previousProc_ && m_hWnd && IsWindow(m_hWnd)) {
        ::DestroyWindow(m_hWnd);
    }
    if (site_) {
        site_->detach();
        site_->Release();
        site_ = nullptr;
    }
}

const EventSinkMap* CWnd::GetEventSinkMap() const {
    return &eventSinkMap;
}

BOOL CWnd::Create(LPCWSTR className,
                  LPCWSTR windowName,
                  DWORD style,
                  const RECT& rect,
                  CWnd* parent,
                  UINT id,
                  CCreateContext*) {
    if (m_hWnd) {
        return FALSE;
    }
    HWND parentHwnd = parent ? parent->m_hWnd : nullptr;
    HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    HWND hwnd = CreateWindowExW(0, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                                rect.bottom - rect.top, parentHwnd, menu, GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) {
        return FALSE;
    }
    attach(hwnd);
    return TRUE;
}

BOOL CWnd::CreateControl(REFCLSID clsid,
                         LPCWSTR windowName,
                         DWORD style,
                         const RECT& rect,
                         CWnd* parent,
                         UINT id,
                         CFile* persist,
                         BOOL storage,
                         BSTR licenseKey) {
    if (!AfxControlContainerEnabled() || m_hWnd || site_ || persist || storage || licenseKey) {
        return FALSE;
    }
    HWND parentHwnd = parent ? parent->m_hWnd : nullptr;
    if (!parentHwnd || !IsWindow(parentHwnd)) {
        return FALSE;
    }
    auto* site = new classlib_detail::ControlSite(this, id, parentHwnd, rect);
    site_ = site;
    if (!site->create(clsid, style, windowName)) {
        site_ = nullptr;
        site->Release();
        return FALSE;
    }
    attach(site->controlWindow());
    return TRUE;
}

// Watches the window so that a DestroyWindow from anywhere leaves this object consistent: at
// WM_NCDESTROY the handle is dropped and the control is disconnected and closed.
void CWnd::attach(HWND hwnd) {
    m_hWnd = hwnd;
    classlib_detail::mapPermanent(hwnd, this);
    SetPropW(hwnd, kOwnerProp, this);
    previousProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::subclassProc)));
}

void CWnd::windowGone() {
    classlib_detail::unmapPermanent(m_hWnd, this);
    m_hWnd = nullptr;
    previousProc_ = nullptr;
    if (site_) {
        classlib_detail::ControlSite* site = site_;
        site_ = nullptr;
        site->detach();
        site->Release();
    }
}

LRESULT CALLBACK CWnd::subclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    auto* self = static_cast<CWnd*>(GetPropW(hwnd, kOwnerProp));
    if (!self || !self->previousProc_) {
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    WNDPROC previous = self->previousProc_;
    if (msg != WM_NCDESTROY) {
        return CallWindowProcW(previous, hwnd, msg, wp, lp);
    }
    RemovePropW(hwnd, kOwnerProp);
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    LRESULT result = CallWindowProcW(previous, hwnd, msg, wp, lp);
    self->windowGone();
    return result;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (!hwnd) {
        return nullptr;
    }
    if (CWnd* known = classlib_detail::permanentWindow(hwnd)) {
        return known;
    }
    return classlib_detail::wrapperFor(hwnd);
}

BOOL CWnd::ShowWindow(int command) {
    return m_hWnd ? ::ShowWindow(m_hWnd, command) : FALSE;
}

CWnd* CWnd::SetFocus() {
    if (!m_hWnd) {
        return nullptr;
    }
    return FromHandle(::SetFocus(m_hWnd));
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) {
        return FALSE;
    }
    // WM_NCDESTROY reaches subclassProc, which drops the handle and the control.
    BOOL done = ::DestroyWindow(m_hWnd);
    if (done && m_hWnd && !previousProc_) {
        m_hWnd = nullptr;  // a wrapped foreign window
    }
    return done;
}

IUnknown* CWnd::GetControlUnknown() const {
    return site_ ? site_->controlUnknown() : nullptr;
}

void CWnd::InvokeHelper(DISPID dispid, WORD flags, VARTYPE resultType, void* result, const char* paramTypes, ...) {
    IDispatch* dispatch = site_ ? site_->dispatch() : nullptr;
    if (!dispatch) {
        return;
    }
    size_t count = paramTypes ? std::strlen(paramTypes) : 0;
    std::vector<VARIANT> args(count);
    struct OwnedTexts {
        std::vector<BSTR> texts;
        ~OwnedTexts() {
            for (BSTR text : texts) {
                SysFreeString(text);
            }
        }
    } owned;
    va_list list;
    va_start(list, paramTypes);
    bool supported = true;
    for (size_t i = 0; i < count && supported; ++i) {
        VARIANT& v = args[count - 1 - i];  // the callee reads them last first
        VariantInit(&v);
        switch (static_cast<unsigned char>(paramTypes[i])) {
            case VT_BSTR: {
                const wchar_t* text = va_arg(list, const wchar_t*);
                v.vt = VT_BSTR;
                v.bstrVal = text ? SysAllocString(text) : nullptr;
                owned.texts.push_back(v.bstrVal);
                break;
            }
            case VT_BOOL:
                v.vt = VT_BOOL;
                v.boolVal = va_arg(list, BOOL) ? VARIANT_TRUE : VARIANT_FALSE;
                break;
            case VT_I4:
                v.vt = VT_I4;
                v.lVal = va_arg(list, long);
                break;
            case VT_UI4:
                v.vt = VT_UI4;
                v.ulVal = va_arg(list, unsigned long);
                break;
            case VT_DISPATCH:
                v.vt = VT_DISPATCH;
                v.pdispVal = va_arg(list, IDispatch*);
                break;
            case VT_UNKNOWN:
                v.vt = VT_UNKNOWN;
                v.punkVal = va_arg(list, IUnknown*);
                break;
            default:
                supported = false;
                break;
        }
    }
    va_end(list);
    if (!supported) {
        _com_issue_error(DISP_E_BADVARTYPE);
    }
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params = {count ? args.data() : nullptr, nullptr, static_cast<UINT>(count), 0};
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    _variant_t value;
    EXCEPINFO exception = {};
    UINT argError = 0;
    dispatch->AddRef();  // the call may destroy the control's window and its site
    HRESULT hr = dispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                  resultType == VT_EMPTY ? nullptr : &value, &exception, &argError);
    dispatch->Release();
    if (hr == DISP_E_EXCEPTION && exception.pfnDeferredFillIn) {
        exception.pfnDeferredFillIn(&exception);
    }
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    if (FAILED(hr)) {
        // The control's own code where it raised an exception of its own.
        _com_issue_error(hr == DISP_E_EXCEPTION && FAILED(exception.scode) ? exception.scode : hr);
    }
    if (resultType == VT_EMPTY || !result) {
        return;
    }
    if (value.vt != resultType) {
        value.ChangeType(resultType);  // raises when the value has no such form
    }
    switch (resultType) {
        case VT_DISPATCH:
            *static_cast<IDispatch**>(result) = value.Detach().pdispVal;  // the reference goes to the caller
            break;
        case VT_UNKNOWN:
            *static_cast<IUnknown**>(result) = value.Detach().punkVal;
            break;
        case VT_BSTR:
            *static_cast<BSTR*>(result) = value.Detach().bstrVal;
            break;
        case VT_BOOL:
            *static_cast<BOOL*>(result) = value.boolVal != VARIANT_FALSE;
            break;
        case VT_I4:
            *static_cast<long*>(result) = value.lVal;
            break;
        case VT_UI4:
            *static_cast<unsigned long*>(result) = value.ulVal;
            break;
        default:
            break;
    }
}
