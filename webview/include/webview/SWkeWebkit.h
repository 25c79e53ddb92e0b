#pragma once

#include <windows.h>

#include <soui/SWindow.h>
#include <webengine/wke.h>

namespace SOUI {

// A control of the UI library that shows a page of the web engine: it makes one view when it is
// created, feeds it the input the library routes to the control, copies the view's image into
// its area when it is painted, shows the cursor the page asks for, and loads the address of its
// "url" attribute with the engine's cookie jar in the per-user cookie folder. Layouts name it
// "wkeWebkit" once the class is registered with the library's object factory.
class SWkeWebkit : public SWindow {
  public:
    SWkeWebkit() = default;
    ~SWkeWebkit() override;

    static LPCWSTR GetClassName() { return L"wkeWebkit"; }
    static int GetClassType() { return 1; }

    // True for "wkeWebkit" written exactly so, otherwise the base's answer.
    BOOL IsClass(LPCWSTR className) const override;
    LPCWSTR GetObjectClass() const override;
    int GetObjectType() const override;
    // "url" (any letter case): kept, and loaded at once when not loading and a view exists.
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading = FALSE) override;
    BOOL OnSetCursor(const POINT& pt) override;
    UINT OnGetDlgCode() override;
    BOOL ProcessSwndMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Sets the cookie jar and loads `url`.
    void loadUrl();

    // The engine's callbacks: a repainted rectangle of the view (param is the control), and the
    // view's new address.
    static void WKE_CALL onPaintUpdated(wkeWebView view, void* param, HDC dc, int x, int y, int cx, int cy) noexcept;
    static void WKE_CALL onUrlChanged(wkeWebView view, void* param, wkeString address) noexcept;

  private:
    LRESULT onCreate();
    void onDestroy();
    void onPaint(IRenderTarget* target);
    void placeInputMethod();
    // An input message the engine was given: handled when it says so, else the base decides.
    BOOL engineDecides(bool handled, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    HWND hostWindow() const;

    wkeWebView view = nullptr;
    SStringW url;
};

}  // namespace SOUI
