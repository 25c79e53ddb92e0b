#pragma once

#include <soui/SWindow.h>

namespace SOUI {

// "img": shows its skin; its natural size is the skin's face; does not take the mouse.
class SOUI_EXP SImageWnd : public SWindow {
  public:
    SImageWnd();
    static LPCWSTR GetClassName() { return L"img"; }
    BOOL IsClass(LPCWSTR className) const override;
    LPCWSTR GetObjectClass() const override;
    SIZE GetDesiredSize(int width) override;
};

}  // namespace SOUI
