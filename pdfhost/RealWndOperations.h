#pragma once

#include <windows.h>

namespace PXV {

// What the window operations need of a layout's real-window element: its window class and name
// from the layout, its ID, its container's window, and its settable real-window handle.
class RealWndElement {
  public:
    virtual const wchar_t* className() const = 0;
    virtual const wchar_t* windowName() const = 0;
    virtual UINT id() const = 0;
    virtual HWND containerWindow() const = 0;
    virtual HWND realWindow() const = 0;
    virtual void setRealWindow(HWND hwnd) = 0;

  protected:
    ~RealWndElement() = default;
};

// The layout element's window class that receives the PDF control.
inline constexpr wchar_t kPdfControlClass[] = L"PXVControl";

// Creates the control window for a "PXVControl" element (exact, case-sensitive) inside its
// container and gives it the focus; the control's window handle, or 0 (also for any other class).
HWND createPdfControlWindow(RealWndElement& element) noexcept;
// For a "PXVControl" element with a real window: shuts the engine down, then destroys the window.
void destroyPdfControlWindow(RealWndElement& element) noexcept;

}  // namespace PXV
