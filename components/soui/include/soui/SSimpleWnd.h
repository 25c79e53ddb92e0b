#pragma once

#include <windows.h>

#include <soui/SouiDefs.h>

namespace SOUI {

// A Win32 window whose messages go to ProcessWindowMessage; unhandled ones to DefWindowProc.
class SOUI_EXP CSimpleWnd {
  public:
    CSimpleWnd();
    CSimpleWnd(const CSimpleWnd&) = delete;
    CSimpleWnd& operator=(const CSimpleWnd&) = delete;

    // The window's message map: TRUE when the message was handled, its result in `result`.
    virtual BOOL ProcessWindowMessage(HWND hwnd,
                                      UINT msg,
                                      WPARAM wParam,
                                      LPARAM lParam,
                                      LRESULT& result,
                                      DWORD msgMapId = 0);
    virtual ~CSimpleWnd();

    // Sends WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM, WM_MEASUREITEM, WM_COMPAREITEM,
    // WM_DELETEITEM, WM_VKEYTOITEM, WM_CHARTOITEM, WM_HSCROLL, WM_VSCROLL and WM_PARENTNOTIFY back to
    // the child window they came from (as OCM_BASE + msg). handled is cleared for other messages and
    // when no child is named; returns the child's result.
    LRESULT ReflectNotifications(UINT msg, WPARAM wParam, LPARAM lParam, BOOL& handled);

    HWND CreateNative(LPCWSTR className,
                      LPCWSTR title,
                      DWORD style,
                      DWORD exStyle,
                      int x,
                      int y,
                      int cx,
                      int cy,
                      HWND parent);
    BOOL DestroyWindow();
    BOOL ShowWindow(int cmdShow);
    // Centres over `center` when it is another shown window, else over the owner when shown, else on
    // the work area of the window's monitor.
    BOOL CenterWindow(HWND center = nullptr);
    // Gives the window the keyboard focus; returns the window that had it.
    HWND SetFocus();
    BOOL IsWindow() const { return ::IsWindow(m_hWnd); }
    HWND GetHwnd() const { return m_hWnd; }
    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendMessageW(m_hWnd, msg, wParam, lParam);
    }
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::PostMessageW(m_hWnd, msg, wParam, lParam);
    }
    BOOL SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags) {
        return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags);
    }

    HWND m_hWnd = nullptr;

  protected:
    // The last message (WM_NCDESTROY) has been processed; m_hWnd is already null.
    virtual void OnFinalMessage(HWND hwnd);
    // The window procedure of every CSimpleWnd; `this` comes from CreateWindowEx's parameter.
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    friend class SApplication;
};

// Deletes the library's elements whose destruction was deferred while messages were being processed.
// The window procedures count how deeply they are nested; internal.
SOUI_EXP void SFlushDeferredDeletes();

}  // namespace SOUI
