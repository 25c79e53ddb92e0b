#pragma once

#include <windows.h>

#include "soui/IRealWndHandler.h"
#include "soui/SRealWnd.h"

// The UI library's maker of real child windows: puts the PDF control into the layout's
// "PXVControl" element and takes it out again. The application object holds its one lasting
// reference.
class CRealWndCreater : public SOUI::TObjRefImpl2<SOUI::IRealWndHandler, CRealWndCreater> {
  public:
    HWND createRealWnd(SOUI::SRealWnd* wnd) override;
    void destroyRealWnd(SOUI::SRealWnd* wnd) override;
    BOOL initRealWnd(SOUI::SRealWnd* wnd) override;
    BOOL sizeRealWnd(SOUI::SRealWnd* wnd) override;
    BOOL showRealWnd(SOUI::SRealWnd* wnd, BOOL show) override;
};
