// A small program over the test layouts: the test window and, over it, the translucent dialog.
// Program-level tests drive it through the inspection; its exit code is the dialog's code.
#include <windows.h>

#include <soui/soui.h>

#include "TestApp.h"

namespace {

class DemoWnd : public SOUI::SHostWnd {
  public:
    DemoWnd() : SHostWnd(L"LAYOUT:XML_TESTWND") {}
};

}  // namespace

int wmain() {
    soui_test::TestApp& t = soui_test::TestApp::Get();
    (void)t;
    DemoWnd wnd;
    wnd.Create(nullptr, 40, 40, 0, 0);
    wnd.ShowWindow(SW_SHOWNORMAL);
    SOUI::SHostDialog dlg(L"LAYOUT:XML_TESTDLG");
    return static_cast<int>(dlg.DoModal(wnd.m_hWnd));
}
