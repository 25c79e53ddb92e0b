#include "CRealWndCreater.h"

#include "RealWndOperations.h"
#include "soui/ISwndContainer.h"

namespace {

// The layout element as the window operations see it.
class LayoutElement final : public PXV::RealWndElement {
  public:
    explicit LayoutElement(SOUI::SRealWnd* wnd) : wnd_(wnd) {}
    const wchar_t* className() const override { return wnd_->GetRealWndParam().className.c_str(); }
    const wchar_t* windowName() const override { return wnd_->GetRealWndParam().windowName.c_str(); }
    UINT id() const override { return static_cast<UINT>(wnd_->GetID()); }
    HWND containerWindow() const override {
        SOUI::ISwndContainer* container = wnd_->GetContainer();
        return container ? container->GetHostHwnd() : nullptr;
    }
    HWND realWindow() const override { return wnd_->GetRealHwnd(); }
    void setRealWindow(HWND hwnd) override { wnd_->SetRealHwnd(hwnd); }

  private:
    SOUI::SRealWnd* wnd_;
};

}  // namespace

HWND CRealWndCreater::createRealWnd(SOUI::SRealWnd* wnd) {
    if (!wnd) {
        return nullptr;
    }
    LayoutElement element(wnd);
    return PXV::createPdfControlWindow(element);
}

void CRealWndCreater::destroyRealWnd(SOUI::SRealWnd* wnd) {
    if (!wnd) {
        return;
    }
    LayoutElement element(wnd);
    PXV::destroyPdfControlWindow(element);
}

BOOL CRealWndCreater::initRealWnd(SOUI::SRealWnd*) {
    return FALSE;
}

// The library places and shows the control window at the element's rectangle.
BOOL CRealWndCreater::sizeRealWnd(SOUI::SRealWnd*) {
    return FALSE;
}

BOOL CRealWndCreater::showRealWnd(SOUI::SRealWnd*, BOOL) {
    return FALSE;
}
