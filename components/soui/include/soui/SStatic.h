#pragma once

#include <soui/SWindow.h>

namespace SOUI {

// "text": a single- or multi-line text; does not take the mouse.
class SOUI_EXP SStatic : public SWindow {
  public:
    SStatic();
    static LPCWSTR GetClassName() { return L"text"; }
    BOOL IsClass(LPCWSTR className) const override;
    LPCWSTR GetObjectClass() const override;
    SIZE GetDesiredSize(int width) override;

  protected:
    void OnPaint(IRenderTarget* target) override;
};

}  // namespace SOUI
