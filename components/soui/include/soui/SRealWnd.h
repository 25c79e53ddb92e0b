#pragma once

#include <soui/SString.h>
#include <soui/SWindow.h>

namespace SOUI {

// The layout's description of a real child window.
struct SRealWndParam {
    SStringW className;   // "wndclass"
    SStringW windowName;  // "wndname"
    DWORD style = 0;      // "style", added to WS_CHILD
    DWORD exStyle = 0;    // "exStyle"
};

// "realwnd": a place in the layout for a real child window made by the real-window handler.
class SOUI_EXP SRealWnd : public SWindow {
  public:
    SRealWnd();
    ~SRealWnd() override;
    static LPCWSTR GetClassName() { return L"realwnd"; }
    BOOL IsClass(LPCWSTR className) const override;
    LPCWSTR GetObjectClass() const override;
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading = FALSE) override;
    BOOL ProcessSwndMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    const SRealWndParam& GetRealWndParam() const { return param_; }
    HWND GetRealHwnd() const { return realHwnd_; }
    void SetRealHwnd(HWND hwnd) { realHwnd_ = hwnd; }

  private:
    void PlaceRealWnd();

    SRealWndParam param_;
    HWND realHwnd_ = nullptr;
    BOOL ownWindow_ = FALSE;  // made by the library itself (no handler)
    BOOL lastShown_ = FALSE;
};

}  // namespace SOUI
