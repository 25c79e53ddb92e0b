#pragma once

#include <windows.h>

#include <soui/IObjRef.h>

namespace SOUI {

class SRealWnd;

// The application's maker of real child windows for the layouts' "realwnd" elements, installed
// with SApplication::SetRealWndHandler.
struct IRealWndHandler : IObjRef {
    // Creates the child window for the element (parent: the element's container's host window);
    // its handle, or null when it makes none.
    virtual HWND createRealWnd(SRealWnd* wnd) = 0;
    // The element goes (its host window is being destroyed); the child window still exists.
    virtual void destroyRealWnd(SRealWnd* wnd) = 0;
    // After a successful create; TRUE when the handler did its own initialisation.
    virtual BOOL initRealWnd(SRealWnd* wnd) = 0;
    // The element's rectangle changed; FALSE lets the library place the child at the rectangle
    // (host client coordinates) and show it while the element is shown.
    virtual BOOL sizeRealWnd(SRealWnd* wnd) = 0;
    // The element was shown or hidden; FALSE lets the library show or hide the child itself.
    virtual BOOL showRealWnd(SRealWnd* wnd, BOOL show) = 0;

  protected:
    ~IRealWndHandler() = default;
};

}  // namespace SOUI
