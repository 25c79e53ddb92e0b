#pragma once

#include <windows.h>

#include <soui/IRender.h>
#include <soui/ISwndContainer.h>
#include <soui/SSimpleWnd.h>
#include <soui/SString.h>
#include <soui/SWindow.h>

#include <string>

namespace SOUI {

class SHostTooltip;

// A top-level window built from a layout resource ("LAYOUT:XML_MAINWND"). The host is the top
// element of its tree; its window part is a CSimpleWnd. Control events go to _HandleEvent.
class SOUI_EXP SHostWnd : public SWindow, public CSimpleWnd, public ISwndContainer {
  public:
    explicit SHostWnd(LPCWSTR layoutName = nullptr);
    ~SHostWnd() override;

    // Creates the window from the layout with `parent` as its owner; 0 sizes take the layout's
    // width and height (the window is placed at x, y; hidden until shown). Null on failure (missing
    // or unreadable layout). WM_INITDIALOG is not sent here.
    HWND Create(HWND parent, int x = 0, int y = 0, int cx = 0, int cy = 0);

    // The base message map: builds the tree at WM_CREATE, lays it out at WM_SIZE, paints, routes
    // mouse and key messages to the elements, destroys the tree at WM_DESTROY.
    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD msgMapId = 0)
        override;
    // Events of the host's elements; the base handles none (FALSE).
    virtual BOOL _HandleEvent(EventArgs* evt);

    using CSimpleWnd::SendMessage;
    using CSimpleWnd::SetFocus;

    const SStringW& GetLayoutName() const { return layoutName_; }
    const SStringW& GetHostName() const { return hostName_; }
    BOOL IsResizable() const { return resizable_; }

    // ISwndContainer
    HWND GetHostHwnd() override { return m_hWnd; }
    void OnRedraw(const RECT& rc) override;
    void UpdateLayout() override;
    SWND GetFocus() const override { return focus_; }
    void OnSetSwndFocus(SWND swnd) override;
    SWND GetCapture() const override { return capture_; }
    void OnSetSwndCapture(SWND swnd) override;
    void OnReleaseSwndCapture(SWND swnd) override;
    BOOL OnFireEvent(EventArgs& evt) override;
    BOOL IsTranslucent() const override { return translucent_; }

    // The host window of a handle, when it is one of this process's hosts; null otherwise.
    static SHostWnd* FromHwnd(HWND hwnd);

  protected:
    void OnFinalMessage(HWND hwnd) override;

  private:
    BOOL LoadLayout();
    void BuildTree();
    void DoPaint(HDC dc);
    void Present(HDC dc, const RECT& rc);
    void OnMouse(UINT msg, WPARAM wParam, LPARAM lParam);
    void UpdateHover(const POINT& pt);
    LRESULT OnNcHitTest(const POINT& screenPt);
    BOOL OnKey(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void ApplyHostAttributes();

    SStringW layoutName_;
    std::string layoutXml_;
    void* layoutDoc_ = nullptr;  // pugi::xml_document while the window is built
    SStringW hostName_;
    SStringW title_;
    SIZE layoutSize_ = {0, 0};
    RECT resizeBand_ = {0, 0, 0, 0};
    BOOL resizable_ = FALSE;
    BOOL appMain_ = FALSE;
    BOOL appWnd_ = FALSE;
    BOOL translucent_ = FALSE;
    BYTE hostAlpha_ = 255;
    SStringW bigIcon_, smallIcon_;
    HICON icons_[2] = {nullptr, nullptr};
    IRenderTarget* target_ = nullptr;
    RECT dirty_ = {0, 0, 0, 0};
    SWND focus_ = 0;
    SWND capture_ = 0;
    SWND hover_ = 0;
    BOOL trackingLeave_ = FALSE;
    SHostTooltip* tooltip_ = nullptr;
};

}  // namespace SOUI
