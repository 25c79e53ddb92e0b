#pragma once

#include <windows.h>

#include <oaidl.h>

#include "classlib/EventSinkMap.h"
#include "classlib/RuntimeClass.h"
#include "classlib/Vts.h"

class CFile;
class CCreateContext;

namespace classlib_detail {
class ControlSite;
}

// A window object: the handle of a window and, for a window made by CreateControl, the ActiveX
// control behind it (its client site, its automation interface and its event sink).
//
// One UI thread: the objects and the handle map are not locked.
class CWnd {
  public:
    CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Virtual operations, in this order.
    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual ~CWnd();
    virtual const EventSinkMap* GetEventSinkMap() const;
    // A plain child or top-level window of a registered class.
    virtual BOOL Create(LPCWSTR className,
                        LPCWSTR windowName,
                        DWORD style,
                        const RECT& rect,
                        CWnd* parent,
                        UINT id,
                        CCreateContext* context = nullptr);

    // Creates the control in-process with a client site, activates it in place inside `parent`,
    // gives its window the control ID and advises the event sink on its default source interface.
    // Persistence, storage and licence key are not supported and must be null.
    BOOL CreateControl(REFCLSID clsid,
                       LPCWSTR windowName,
                       DWORD style,
                       const RECT& rect,
                       CWnd* parent,
                       UINT id,
                       CFile* persist = nullptr,
                       BOOL storage = FALSE,
                       BSTR licenseKey = nullptr);

    // Calls the control's automation interface. `paramTypes` is a VTS_ list; the arguments follow it
    // as wide texts (VTS_BSTR, passed as BSTRs), BOOL, long, unsigned long or interface pointers.
    // `result` receives a value of type `resultType` (VT_EMPTY for none): VT_DISPATCH and
    // VT_UNKNOWN as a new reference, VT_BOOL as a BOOL, VT_BSTR as a new BSTR. Without a control
    // nothing happens. A call that fails raises _com_error with the control's code (for
    // DISP_E_EXCEPTION the code of the control's exception), as does a result that has no form of
    // `resultType` (the conversion's code) and a parameter type not listed above
    // (DISP_E_BADVARTYPE); `result` then keeps what it held.
    void InvokeHelper(DISPID dispid, WORD flags, VARTYPE resultType, void* result, const char* paramTypes, ...);

    // The window object of a handle: the permanent one when this library made or attached it, else a
    // wrapper kept for that handle (foreign windows too). Null for a null handle.
    static CWnd* FromHandle(HWND hwnd);

    BOOL ShowWindow(int command);
    CWnd* SetFocus();
    BOOL DestroyWindow();
    HWND GetSafeHwnd() const { return m_hWnd; }
    // The control's IUnknown (no new reference), or null.
    IUnknown* GetControlUnknown() const;

    HWND m_hWnd;

    static const CRuntimeClass classCWnd;
    static const EventSinkMap eventSinkMap;

  private:
    friend class classlib_detail::ControlSite;

    void attach(HWND hwnd);
    void windowGone();
    static LRESULT CALLBACK subclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;

    classlib_detail::ControlSite* site_ = nullptr;
    WNDPROC previousProc_ = nullptr;
};
