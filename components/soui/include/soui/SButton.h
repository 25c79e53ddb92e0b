#pragma once

#include <soui/SWindow.h>

namespace SOUI {

// "button": a push button; its skin shows the state, its text is centred. A click (left button
// pressed and released over it) sends the command event to the host.
class SOUI_EXP SButton : public SWindow {
  public:
    SButton();
    static LPCWSTR GetClassName() { return L"button"; }
    BOOL IsClass(LPCWSTR className) const override;
    LPCWSTR GetObjectClass() const override;
    SIZE GetDesiredSize(int width) override;

  protected:
    void OnPaint(IRenderTarget* target) override;
    BOOL OnMouseEvent(UINT msg, WPARAM flags, const POINT& pt) override;
    // Called when the button was clicked; sends the command event.
    virtual void OnClick();
};

// "imgbtn": an image button over a state strip (normal, hover, pressed, disabled).
class SOUI_EXP SImageButton : public SButton {
  public:
    SImageButton();
    static LPCWSTR GetClassName() { return L"imgbtn"; }
    BOOL IsClass(LPCWSTR className) const override;
    LPCWSTR GetObjectClass() const override;
};

}  // namespace SOUI
