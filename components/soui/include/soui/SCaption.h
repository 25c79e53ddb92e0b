#pragma once

#include <soui/SWindow.h>

namespace SOUI {

// "caption": the host window is dragged by it; a double click maximises or restores a resizable host.
class SOUI_EXP SCaption : public SWindow {
  public:
    SCaption();
    static LPCWSTR GetClassName() { return L"caption"; }
    BOOL IsClass(LPCWSTR className) const override;
    LPCWSTR GetObjectClass() const override;
};

}  // namespace SOUI
