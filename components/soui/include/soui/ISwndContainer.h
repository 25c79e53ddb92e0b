#pragma once

#include <windows.h>

#include <soui/SEvents.h>
#include <soui/SouiDefs.h>

namespace SOUI {

// What an element's tree needs of the host window that holds it.
struct ISwndContainer {
    virtual HWND GetHostHwnd() = 0;
    // Redraw the rectangle (host client coordinates) soon.
    virtual void OnRedraw(const RECT& rc) = 0;
    // Lay the tree out again now (after a position, size or visibility change).
    virtual void UpdateLayout() = 0;
    virtual SWND GetFocus() const = 0;
    virtual void OnSetSwndFocus(SWND swnd) = 0;
    virtual SWND GetCapture() const = 0;
    virtual void OnSetSwndCapture(SWND swnd) = 0;
    virtual void OnReleaseSwndCapture(SWND swnd) = 0;
    // Delivers an element's event to the host; TRUE when handled.
    virtual BOOL OnFireEvent(EventArgs& evt) = 0;
    virtual BOOL IsTranslucent() const = 0;

  protected:
    ~ISwndContainer() = default;
};

}  // namespace SOUI
