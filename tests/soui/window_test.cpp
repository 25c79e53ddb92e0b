// Part 2 of the UI library: host windows and dialogs from layouts, events, attributes, real
// windows, registered classes, menus and the inspection from a second process.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>
#include <soui/soui.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "TestApp.h"
#include "UiRefusals.h"

using namespace SOUI;
using soui_test::PumpUntil;
using soui_test::TestApp;

namespace {

const UINT kNotify = WM_USER + 6;

struct Event {
    std::wstring name;
    int id;
};

// A host window written as the program writes its windows: its own map first, then the base's,
// then reflected notifications.
class TestWnd : public SHostWnd {
  public:
    TestWnd() : SHostWnd(L"LAYOUT:XML_TESTWND") {}
    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD mapId)
        override {
        if (msg == kNotify) {
            ++notifications;
            result = 0;
            return TRUE;
        }
        if (msg == WM_COMMAND) {
            commands.push_back(wParam);
            result = 0;
            return TRUE;
        }
        if (SHostWnd::ProcessWindowMessage(hwnd, msg, wParam, lParam, result, mapId)) {
            return TRUE;
        }
        BOOL handled = TRUE;
        result = ReflectNotifications(msg, wParam, lParam, handled);
        return handled;
    }
    BOOL _HandleEvent(EventArgs* evt) override {
        if (evt->GetID() != EVT_CMD) {
            return FALSE;
        }
        events.push_back({evt->nameFrom ? evt->nameFrom : L"", evt->idFrom});
        if (onCommand) {
            onCommand(evt);
        }
        return TRUE;
    }

    std::vector<Event> events;
    std::vector<WPARAM> commands;
    int notifications = 0;
    std::function<void(EventArgs*)> onCommand;
};

RECT RectOf(SWindow* w) {
    RECT rc;
    w->GetWindowRect(&rc);
    return rc;
}

void ExpectRect(SWindow* w, int l, int t, int r, int b) {
    ASSERT_NE(w, nullptr);
    const RECT rc = RectOf(w);
    EXPECT_EQ(rc.left, l) << w->GetName().c_str();
    EXPECT_EQ(rc.top, t) << w->GetName().c_str();
    EXPECT_EQ(rc.right, r) << w->GetName().c_str();
    EXPECT_EQ(rc.bottom, b) << w->GetName().c_str();
}

// A click as the host receives it: button down and up at the element's centre.
void PostClick(HWND host, SWindow* w) {
    const RECT rc = RectOf(w);
    const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    PostMessageW(host, WM_MOUSEMOVE, 0, at);
    PostMessageW(host, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(host, WM_LBUTTONUP, 0, at);
}

// The real-window handler, as the program writes its own.
class TestHandler : public TObjRefImpl2<IRealWndHandler, TestHandler> {
  public:
    HWND createRealWnd(SRealWnd* wnd) override {
        className = wnd->GetRealWndParam().className.c_str();
        windowName = wnd->GetRealWndParam().windowName.c_str();
        id = wnd->GetID();
        child = CreateWindowExW(0, L"SOUITestChild", wnd->GetRealWndParam().windowName.c_str(), WS_CHILD, 0, 0, 0, 0,
                                wnd->GetContainer()->GetHostHwnd(), reinterpret_cast<HMENU>(101),
                                GetModuleHandleW(nullptr), nullptr);
        wnd->SetRealHwnd(child);
        return child;
    }
    void destroyRealWnd(SRealWnd* wnd) override {
        destroyed = true;
        childAliveAtDestroy = IsWindow(wnd->GetRealHwnd()) != FALSE;
    }
    BOOL initRealWnd(SRealWnd*) override {
        ++inits;
        return FALSE;
    }
    BOOL sizeRealWnd(SRealWnd*) override { return FALSE; }
    BOOL showRealWnd(SRealWnd*, BOOL) override { return FALSE; }

    std::wstring className, windowName;
    int id = 0;
    HWND child = nullptr;
    bool destroyed = false;
    bool childAliveAtDestroy = false;
    int inits = 0;
};

// A control class of the program's kind, registered by its layout name.
class STestView : public SWindow {
  public:
    static LPCWSTR GetClassName() { return L"testview"; }
    static int GetClassType() { return 1; }
    BOOL IsClass(LPCWSTR name) const override {
        return (name && wcscmp(name, GetClassName()) == 0) || SWindow::IsClass(name);
    }
    LPCWSTR GetObjectClass() const override { return GetClassName(); }
    BOOL ProcessSwndMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        result = 0;
        switch (msg) {
            case WM_CREATE:
                createdHost = GetContainer() ? GetContainer()->GetHostHwnd() : nullptr;
                SetAttribute(L"focusable", L"1", FALSE);
                return TRUE;
            case WM_LBUTTONDOWN: {
                SetFocus();
                SetCapture();
                RECT client;
                GetClientRect(&client);
                downAt = {static_cast<short>(LOWORD(lParam)) - client.left,
                          static_cast<short>(HIWORD(lParam)) - client.top};
                return TRUE;
            }
            case WM_LBUTTONUP:
                ReleaseCapture();
                return TRUE;
            case WM_KEYDOWN:
                keys.push_back(wParam);
                return TRUE;
            case WM_SETFOCUS:
                SWindow::ProcessSwndMessage(msg, wParam, lParam, result);
                ++focusGained;
                return TRUE;
            case WM_KILLFOCUS:
                ++focusLost;
                SWindow::OnKillFocus(static_cast<SWND>(wParam));
                return TRUE;
            case WM_PAINT: {
                auto* target = reinterpret_cast<IRenderTarget*>(wParam);
                RECT clip, client, area;
                target->GetClipBox(&clip);
                GetClientRect(&client);
                IntersectRect(&area, &clip, &client);
                HDC dc = target->GetDC(0);
                HBRUSH brush = CreateSolidBrush(RGB(0x20, 0x80, 0x40));
                FillRect(dc, &area, brush);
                DeleteObject(brush);
                target->ReleaseDC(dc);
                ++paints;
                return TRUE;
            }
            default:
                return SWindow::ProcessSwndMessage(msg, wParam, lParam, result);
        }
    }
    static HWND createdHost;
    POINT downAt = {-1, -1};
    std::vector<WPARAM> keys;
    int focusGained = 0;
    int focusLost = 0;
    int paints = 0;
};
HWND STestView::createdHost = nullptr;

class Windows : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        SApplication& app = TestApp::Get().app();
        static const TNAMEDVALUE<int> ids[] = {{L"btn_close", 65540}, {L"btn_one", 65600}, {L"root", 65536}};
        app.InitXmlNamedID(ids, 3, TRUE);
        app.RegisterFactory(TplSObjectFactory<STestView>(), FALSE);
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SOUITestChild";
        RegisterClassW(&wc);
    }
    void SetUp() override {
        handler = new TestHandler;
        TestApp::Get().app().SetRealWndHandler(handler);
        handler->Release();
    }
    void TearDown() override { TestApp::Get().app().SetRealWndHandler(nullptr); }

    TestHandler* handler = nullptr;
};

TEST_F(Windows, HostWindowIsBuiltFromItsLayout) {
    TestWnd wnd;
    ASSERT_NE(wnd.Create(nullptr, 0, 0, 0, 0), nullptr);
    RECT wr;
    GetWindowRect(wnd.m_hWnd, &wr);
    EXPECT_EQ(wr.right - wr.left, 500);
    EXPECT_EQ(wr.bottom - wr.top, 320);
    wchar_t title[64] = {};
    GetWindowTextW(wnd.m_hWnd, title, 63);
    EXPECT_STREQ(title, L"测试窗口1.0");
    EXPECT_EQ(SHostWnd::FromHwnd(wnd.m_hWnd), &wnd);

    SWindow* root = wnd.FindChildByName(L"root");
    ExpectRect(root, 0, 0, 500, 320);
    EXPECT_EQ(root->GetID(), 65536) << "the ID of its name";
    ExpectRect(wnd.FindChildByName(L"caption"), 1, 1, 499, 41);
    ExpectRect(wnd.FindChildByName(L"btn_close"), 459, 1, 499, 41);  // "-40,0", face 40 x 40
    ExpectRect(wnd.FindChildByName(L"logo"), 11, 10, 33, 32);        // natural size of its skin
    EXPECT_EQ(RectOf(wnd.FindChildByName(L"title")).left, 40);       // "[7,11": 7 right of the logo
    EXPECT_EQ(RectOf(wnd.FindChildByName(L"title")).top, 12);
    ExpectRect(wnd.FindChildByName(L"body"), 1, 41, 499, 319);  // "0,[0,-0,-0"
    ExpectRect(wnd.FindChildByName(L"hm"), 1, 1, 1, 1);         // a window with a skin has no size
    ExpectRect(wnd.FindChildByName(L"line1"), 11, 51, RectOf(wnd.FindChildByName(L"line1")).right, 71);

    // The box: 468 pixels, 220 taken, the rest to the weighted button.
    SWindow* bar = wnd.FindChildByName(L"bar");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(RectOf(bar).right - RectOf(bar).left, 478);
    SWindow* text = wnd.FindChildByName(L"btn_text");
    EXPECT_EQ(RectOf(text).right - RectOf(text).left, 348);
    EXPECT_EQ(RectOf(wnd.FindChildByName(L"btn_label")).left, RectOf(text).right + 20);
    SWindow* multi = wnd.FindChildByName(L"multi");
    EXPECT_EQ(RectOf(multi).right - RectOf(multi).left, 200);
    EXPECT_GT(RectOf(multi).bottom - RectOf(multi).top, 30) << "wrapped onto several lines";

    EXPECT_EQ(wnd.FindChildByName(L"btn_close")->GetID(), 65540);
    EXPECT_EQ(wnd.FindChildByName(L"nothing"), nullptr);
    EXPECT_EQ(wnd.FindChildByName(L"btn_close", 1), nullptr) << "not a direct child";
    EXPECT_NE(wnd.FindChildByName(L"caption")->FindChildByName(L"btn_close", 1), nullptr);
    EXPECT_NE(wnd.FindChildByName2<SImageButton>(L"btn_close"), nullptr);
    EXPECT_NE(wnd.FindChildByName2<SButton>(L"btn_close"), nullptr);
    EXPECT_EQ(wnd.FindChildByName2<SStatic>(L"btn_close"), nullptr) << "another class";
    // A name no layout has, and an element taken for another kind, are the program's mistakes.
    EXPECT_EQ(souitest::takeRefusals(),
              (std::vector<std::wstring>{
                  L"refused FindChildByName(\"nothing\") in <host> of LAYOUT:XML_TESTWND: no layout has an element "
                  L"of that name",
                  L"refused FindChildByName2<text>(\"btn_close\") for imgbtn \"btn_close\" of LAYOUT:XML_TESTWND: the "
                  L"element is of kind imgbtn, not text"}));
    EXPECT_NE(wnd.FindChildByName2<SStatic>(L"line1"), nullptr);
    EXPECT_EQ(wnd.FindChildByName(L"line1")->GetStyle().GetTextColor(0), RGBA(255, 0, 0, 255));
    EXPECT_EQ(wnd.FindChildByName(L"lnk")->GetStyle().cursor, L"hand") << "from its style class";
    EXPECT_EQ(wnd.FindChildByName(L"btn_one")->GetStyle().cursor, L"hand") << "from the kind's defaults";
    EXPECT_EQ(wnd.FindChildByName(L"btn_hidden")->IsVisible(), FALSE);
    wnd.DestroyWindow();
}

TEST_F(Windows, AttributesChangePositionVisibilitySkinAndText) {
    TestWnd wnd;
    ASSERT_NE(wnd.Create(nullptr), nullptr);
    SWindow* one = wnd.FindChildByName(L"btn_one");
    EXPECT_EQ(one->SetAttribute(L"pos", L"240,20", FALSE), S_OK);
    ExpectRect(one, 241, 21, 281, 61);
    EXPECT_EQ(one->SetAttribute(L"pos", L"0,0,0,0", FALSE), S_OK);
    ExpectRect(one, 1, 1, 1, 1);
    one->SetAttribute(L"pos", L"203, 417", FALSE);
    EXPECT_EQ(RectOf(one).left, 204);

    EXPECT_EQ(one->SetAttribute(L"skin", L"strip_h_imglist", FALSE), S_OK);
    EXPECT_EQ(one->GetSkinName(), L"strip_h_imglist");
    EXPECT_EQ(RectOf(one).right - RectOf(one).left, 100) << "the new face's size";

    SWindow* hidden = wnd.FindChildByName(L"btn_hidden");
    hidden->SetVisible(TRUE, FALSE);
    EXPECT_TRUE(hidden->IsVisible(TRUE));
    hidden->SetAttribute(L"show", L"0", FALSE);
    EXPECT_FALSE(hidden->IsVisible(TRUE));

    SWindow* line1 = wnd.FindChildByName(L"line1");
    line1->SetWindowText(L"新的文字");
    EXPECT_EQ(line1->GetWindowText(), L"新的文字");
    line1->SetAttribute(L"text", L"@string/title", FALSE);
    EXPECT_EQ(line1->GetWindowText(), L"测试窗口1.0");
    line1->SetAttribute(L"tip", L"点击登录", FALSE);
    EXPECT_EQ(line1->GetToolTipText(), L"点击登录");
    line1->SetAttribute(L"align", L"center", FALSE);
    EXPECT_EQ(line1->GetStyle().textMode & (DT_CENTER | DT_RIGHT), static_cast<UINT>(DT_CENTER));

    // Box children move with extend_left; a margin shrinks the client rectangle.
    const int before = RectOf(line1).left;
    line1->SetAttribute(L"extend_left", L"33", FALSE);
    EXPECT_EQ(RectOf(line1).left, before + 33);
    SWindow* root = wnd.FindChildByName(L"root");
    root->SetAttribute(L"margin", L"7,5,7,5", FALSE);
    RECT client;
    root->GetClientRect(&client);
    EXPECT_EQ(client.left, 7);
    EXPECT_EQ(client.top, 5);
    ExpectRect(wnd.FindChildByName(L"caption"), 8, 6, 492, 46);
    root->SetAttribute(L"margin", L"0,0,0,0", FALSE);
    ExpectRect(wnd.FindChildByName(L"caption"), 1, 1, 499, 41);

    EXPECT_EQ(line1->SetAttribute(L"no_such_attribute", L"1", FALSE), E_FAIL);
    EXPECT_EQ(souitest::takeRefusals(),
              (std::vector<std::wstring>{L"refused attribute no_such_attribute=\"1\" of text \"line1\" of "
                                         L"LAYOUT:XML_TESTWND: no attribute of the kind text"}));
    wnd.FindChildByName(L"body")->SetAttribute(L"data", L"3", FALSE);
    EXPECT_EQ(wnd.FindChildByName(L"body")->GetUserData(), 3u);
    wnd.DestroyWindow();
}

struct TooltipSearch {
    HWND host;
    HWND found;
};

BOOL CALLBACK MatchTooltip(HWND hwnd, LPARAM parameter) {
    auto* search = reinterpret_cast<TooltipSearch*>(parameter);
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 63);
    if (GetWindow(hwnd, GW_OWNER) == search->host && lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The host's tool tip window (of the common controls), or null while it has none.
HWND TooltipOf(HWND host) {
    TooltipSearch search = {host, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchTooltip, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST_F(Windows, ToolTipIsMadeWhenAnElementWithATipIsHovered) {
    TestWnd wnd;
    ASSERT_NE(wnd.Create(nullptr), nullptr);
    wnd.ShowWindow(SW_SHOWNORMAL);
    const RECT one = RectOf(wnd.FindChildByName(L"btn_one"));
    PostMessageW(wnd.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(one.left + 5, one.top + 5));
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(TooltipOf(wnd.m_hWnd), nullptr) << "no element with a tip hovered yet";

    const RECT close = RectOf(wnd.FindChildByName(L"btn_close"));
    PostMessageW(wnd.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(close.left + 5, close.top + 5));
    ASSERT_TRUE(PumpUntil([&] { return TooltipOf(wnd.m_hWnd) != nullptr; }));
    const HWND tip = TooltipOf(wnd.m_hWnd);
    wchar_t text[64] = {};
    TTTOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = wnd.m_hWnd;
    ti.uId = 1;
    ti.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 63, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(text, L"close");
    wnd.DestroyWindow();
    EXPECT_FALSE(IsWindow(tip)) << "gone with its host";
}

TEST_F(Windows, ClickOnImageButtonReachesHandleEventWithNameAndId) {
    TestWnd wnd;
    ASSERT_NE(wnd.Create(nullptr), nullptr);
    wnd.ShowWindow(SW_SHOWNORMAL);
    PostClick(wnd.m_hWnd, wnd.FindChildByName(L"btn_one"));
    ASSERT_TRUE(PumpUntil([&] { return !wnd.events.empty(); }));
    EXPECT_EQ(wnd.events[0].name, L"btn_one");
    EXPECT_EQ(wnd.events[0].id, 65600);

    // A click on a button's label is the button's; a press released elsewhere is no click.
    PostClick(wnd.m_hWnd, wnd.FindChildByName(L"btn_label")->GetChild(0));
    ASSERT_TRUE(PumpUntil([&] { return wnd.events.size() == 2; }));
    EXPECT_EQ(wnd.events[1].name, L"btn_label");
    const RECT one = RectOf(wnd.FindChildByName(L"btn_one"));
    PostMessageW(wnd.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(one.left + 5, one.top + 5));
    PostMessageW(wnd.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 200));
    PostMessageW(wnd.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(wnd.events.size(), 2u);

    // A disabled button sends nothing; texts take no clicks.
    wnd.FindChildByName(L"btn_one")->EnableWindow(FALSE);
    PostClick(wnd.m_hWnd, wnd.FindChildByName(L"btn_one"));
    PostClick(wnd.m_hWnd, wnd.FindChildByName(L"line1"));
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(wnd.events.size(), 2u);
    wnd.DestroyWindow();
}

// A dialog that presses one of its own buttons as soon as it is up.
class TestDlg : public SHostDialog {
  public:
    explicit TestDlg(std::wstring press) : SHostDialog(L"LAYOUT:XML_TESTDLG"), press_(std::move(press)) {}
    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD mapId)
        override {
        if (msg == WM_INITDIALOG) {
            initialised = true;
            if (onInit) {
                onInit(this);
            }
            if (!press_.empty()) {
                PostClick(hwnd, FindChildByName(press_.c_str()));
            }
            result = 1;
            return TRUE;
        }
        return SHostDialog::ProcessWindowMessage(hwnd, msg, wParam, lParam, result, mapId);
    }
    bool initialised = false;
    std::function<void(TestDlg*)> onInit;

  private:
    std::wstring press_;
};

TEST_F(Windows, DoModalReturnsTheCodesOfOkCancelAndCloseButtons) {
    struct Case {
        const wchar_t* button;
        INT_PTR code;
    };
    for (const Case& c : {Case{L"btn_dir_ok", IDOK}, Case{L"btn_dir_cancel", IDCANCEL}, Case{L"btn_close", 8}}) {
        TestDlg dlg(c.button);
        EXPECT_EQ(dlg.DoModal(nullptr), c.code) << c.button;
        EXPECT_TRUE(dlg.initialised);
        EXPECT_EQ(dlg.m_hWnd, nullptr) << "the window is gone when DoModal returns";
    }
    TestDlg closed(L"");
    closed.onInit = [](TestDlg* d) { d->PostMessage(WM_CLOSE); };
    EXPECT_EQ(closed.DoModal(nullptr), IDCANCEL);

    // An owner is disabled while the dialog runs and enabled again after it.
    TestWnd owner;
    ASSERT_NE(owner.Create(nullptr), nullptr);
    owner.ShowWindow(SW_SHOWNORMAL);
    TestDlg owned(L"btn_dir_ok");
    bool ownerDisabled = false;
    owned.onInit = [&](TestDlg*) { ownerDisabled = !IsWindowEnabled(owner.m_hWnd); };
    EXPECT_EQ(owned.DoModal(owner.m_hWnd), IDOK);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner.m_hWnd));
    owner.DestroyWindow();
}

TEST_F(Windows, MessagesReachMapsFromNestedModalLoops) {
    TestWnd wnd;
    ASSERT_NE(wnd.Create(nullptr), nullptr);
    wnd.ShowWindow(SW_SHOWNORMAL);
    INT_PTR code = 0;
    int seenInside = -1;
    wnd.onCommand = [&](EventArgs* evt) {
        if (wcscmp(evt->nameFrom, L"btn_one") != 0) {
            return;
        }
        // A modal dialog inside the handler; the outer window answers while it runs.
        TestDlg dlg(L"btn_dir_ok");
        dlg.onInit = [&](TestDlg*) {
            SendMessageW(wnd.m_hWnd, kNotify, 0, 0);
            seenInside = wnd.notifications;
        };
        code = dlg.DoModal(nullptr);
        // The handler ends the outer window too, while its own click is still being handled.
        wnd.DestroyWindow();
    };
    PostClick(wnd.m_hWnd, wnd.FindChildByName(L"btn_one"));
    ASSERT_TRUE(PumpUntil([&] { return wnd.m_hWnd == nullptr; }));
    EXPECT_EQ(code, IDOK);
    EXPECT_EQ(seenInside, 1);
    EXPECT_TRUE(handler->destroyed);
}

TEST_F(Windows, RealWndElementIsMadeByTheHandlerAndHostsItsChild) {
    {
        TestWnd wnd;
        ASSERT_NE(wnd.Create(nullptr), nullptr);
        EXPECT_EQ(handler->className, L"SOUITestChild");
        EXPECT_EQ(handler->windowName, L"child_wnd");
        EXPECT_EQ(handler->id, 101);
        EXPECT_EQ(handler->inits, 1);
        ASSERT_NE(handler->child, nullptr);
        EXPECT_EQ(GetParent(handler->child), wnd.m_hWnd);
        SRealWnd* real = wnd.FindChildByName2<SRealWnd>(L"real");
        ASSERT_NE(real, nullptr);
        EXPECT_EQ(real->GetRealHwnd(), handler->child);
        RECT child;
        GetWindowRect(handler->child, &child);
        MapWindowPoints(nullptr, wnd.m_hWnd, reinterpret_cast<POINT*>(&child), 2);
        const RECT el = RectOf(real);
        EXPECT_EQ(child.left, el.left);
        EXPECT_EQ(child.top, el.top);
        EXPECT_EQ(child.right - child.left, 478);
        EXPECT_EQ(child.bottom - child.top, 40);
        EXPECT_TRUE(GetWindowLongW(handler->child, GWL_STYLE) & WS_VISIBLE);
        real->SetVisible(FALSE);
        EXPECT_FALSE(GetWindowLongW(handler->child, GWL_STYLE) & WS_VISIBLE);
        EXPECT_FALSE(handler->destroyed);
        wnd.DestroyWindow();
    }
    EXPECT_TRUE(handler->destroyed);
    EXPECT_TRUE(handler->childAliveAtDestroy) << "the child still exists when the handler is told";
}

TEST_F(Windows, RegisteredClassIsCreatedByItsLayoutName) {
    TestWnd wnd;
    STestView::createdHost = nullptr;
    ASSERT_NE(wnd.Create(nullptr), nullptr);
    SWindow* custom = wnd.FindChildByName(L"custom");
    ASSERT_NE(custom, nullptr);
    EXPECT_TRUE(custom->IsClass(L"testview"));
    EXPECT_STREQ(custom->GetObjectClass(), L"testview");
    EXPECT_NE(wnd.FindChildByName2<STestView>(L"custom"), nullptr);
    EXPECT_EQ(STestView::createdHost, wnd.m_hWnd) << "WM_CREATE with the host window already there";
    EXPECT_EQ(RectOf(custom).right - RectOf(custom).left, 60);
    wnd.DestroyWindow();
}

TEST_F(Windows, PopupMenuChoiceArrivesAsWmCommand) {
    TestWnd wnd;
    ASSERT_NE(wnd.Create(nullptr), nullptr);
    wnd.ShowWindow(SW_SHOWNORMAL);
    SMenu menu;
    ASSERT_TRUE(menu.LoadMenuW(L"menu", L"SMENU"));
    EXPECT_EQ(menu.GetItemCount(), 0);
    menu.AppendMenuW(0, 1, L"使用教程", 0);
    menu.AppendMenuW(0, 4, L"检查更新", 0);
    // Keys typed while the menu is up: down twice (the second item), then enter.
    PostMessageW(wnd.m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(wnd.m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(wnd.m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(menu.TrackPopupMenu(0, 100, 100, wnd.m_hWnd, nullptr), 4u);
    ASSERT_TRUE(PumpUntil([&] { return !wnd.commands.empty(); }));
    EXPECT_EQ(wnd.commands[0], MAKEWPARAM(4, 0));

    SMenu dismissed;
    dismissed.LoadMenuW(L"menu");
    dismissed.AppendMenuW(0, 12, L"账户信息", 0);
    PostMessageW(wnd.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(dismissed.TrackPopupMenu(0, 100, 100, wnd.m_hWnd, nullptr), 0u);
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(wnd.commands.size(), 1u);
    wnd.DestroyWindow();
}

// Runs souispy.exe (beside this test) while this process keeps answering, and returns its output.
std::string RunSpy(const std::wstring& args, DWORD* exitCode) {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring dir = exe;
    dir = dir.substr(0, dir.rfind(L'\\') + 1);
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    const std::wstring out = std::wstring(tmp) + L"souispy_out.txt";
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    HANDLE file = CreateFileW(out.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = file;
    si.hStdError = file;
    PROCESS_INFORMATION pi = {};
    std::wstring cmd = L"\"" + dir + L"souispy.exe\" " + args;
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(file);
        return "spawn failed";
    }
    // Its queries are sent messages: keep pumping while it runs.
    PumpUntil([&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, 30000);
    GetExitCodeProcess(pi.hProcess, exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    CloseHandle(file);
    std::ifstream in(out.c_str(), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

TEST_F(Windows, InspectionFindsAndPressesAnElementFromASecondProcess) {
    TestWnd wnd;
    ASSERT_NE(wnd.Create(nullptr, 120, 90, 0, 0), nullptr);
    wnd.ShowWindow(SW_SHOWNORMAL);
    SetForegroundWindow(wnd.m_hWnd);
    PumpUntil([] { return false; }, 300);

    DWORD code = 99;
    std::string found = RunSpy(L"find --layout layout:xml_testwnd --name btn_one", &code);
    EXPECT_EQ(code, 0u) << found;
    EXPECT_NE(found.find("found=1"), std::string::npos) << found;
    EXPECT_NE(found.find("class=imgbtn"), std::string::npos) << found;
    EXPECT_NE(found.find("visible=1"), std::string::npos) << found;
    EXPECT_NE(found.find("skin=btn_test_imglist"), std::string::npos) << found;
    EXPECT_NE(found.find("rect=539,91,579,131"), std::string::npos) << found;  // 120 + 419, 90 + 1
    std::string title = RunSpy(L"find --layout LAYOUT:XML_TESTWND --name title", &code);
    EXPECT_NE(title.find("text=\xE6\xB5\x8B\xE8\xAF\x95\xE7\xAA\x97\xE5\x8F\xA3"
                         "1.0"),
              std::string::npos)
        << title;
    std::string hidden = RunSpy(L"click --layout LAYOUT:XML_TESTWND --name btn_hidden", &code);
    EXPECT_EQ(code, 1u) << hidden;
    EXPECT_NE(hidden.find("error=hidden"), std::string::npos) << hidden;
    RunSpy(L"find --layout LAYOUT:XML_TESTWND --name nothing", &code);
    EXPECT_EQ(code, 1u);

    // A real click: the mouse moves to the button and presses it.
    std::string clicked = RunSpy(L"click --layout LAYOUT:XML_TESTWND --name btn_one", &code);
    EXPECT_EQ(code, 0u) << clicked;
    ASSERT_TRUE(PumpUntil([&] { return !wnd.events.empty(); })) << clicked;
    EXPECT_EQ(wnd.events[0].name, L"btn_one");
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, 559);
    EXPECT_EQ(cursor.y, 111);
    wnd.DestroyWindow();
}

TEST_F(Windows, ControlClassGetsFocusCaptureKeysAndPaintsThroughTheTarget) {
    TestWnd wnd;
    ASSERT_NE(wnd.Create(nullptr, 30, 30, 0, 0), nullptr);
    wnd.ShowWindow(SW_SHOWNORMAL);
    SetForegroundWindow(wnd.m_hWnd);
    auto* view = wnd.FindChildByName2<STestView>(L"custom");
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->IsFocusable());
    const RECT rc = RectOf(view);
    PostMessageW(wnd.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.left, rc.top));
    ASSERT_TRUE(PumpUntil([&] { return view->focusGained == 1; }));
    EXPECT_EQ(view->downAt.x, 0) << "host coordinates less the client rectangle's corner";
    EXPECT_EQ(view->downAt.y, 0);
    EXPECT_TRUE(view->IsFocused());
    EXPECT_EQ(wnd.GetCapture(), view->GetSwnd());
    PostMessageW(wnd.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(rc.left + 200, rc.top));
    ASSERT_TRUE(PumpUntil([&] { return wnd.GetCapture() == 0; }));
    PostMessageW(wnd.m_hWnd, WM_KEYDOWN, 'A', 0);
    ASSERT_TRUE(PumpUntil([&] { return !view->keys.empty(); }));
    EXPECT_EQ(view->keys[0], static_cast<WPARAM>('A'));
    view->KillFocus();
    EXPECT_EQ(view->focusLost, 1);

    // Painting: the control's GDI output lands in the host's surface.
    ASSERT_TRUE(PumpUntil([&] { return view->paints > 0; }));
    HDC screen = GetDC(wnd.m_hWnd);
    EXPECT_EQ(GetPixel(screen, rc.left + 5, rc.top + 5), RGB(0x20, 0x80, 0x40));
    ReleaseDC(wnd.m_hWnd, screen);
    wnd.DestroyWindow();
}

TEST_F(Windows, ResizableHostIsMovedByItsCaptionAndSizedAtItsBorder) {
    TestWnd wnd;
    ASSERT_NE(wnd.Create(nullptr, 100, 100, 0, 0), nullptr);
    auto hit = [&](int x, int y) { return SendMessageW(wnd.m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(100 + x, 100 + y)); };
    EXPECT_EQ(hit(200, 20), HTCAPTION);
    EXPECT_EQ(hit(20, 20), HTCAPTION) << "the caption's logo takes no mouse";
    EXPECT_EQ(hit(479, 20), HTCLIENT) << "a button in the caption";
    EXPECT_EQ(hit(200, 200), HTCLIENT);
    EXPECT_EQ(hit(2, 200), HTLEFT);
    EXPECT_EQ(hit(497, 317), HTBOTTOMRIGHT);
    wnd.DestroyWindow();
}

TEST_F(Windows, RunPumpsUntilTheWindowIsDestroyed) {
    TestWnd wnd;
    ASSERT_NE(wnd.Create(nullptr), nullptr);
    wnd.PostMessage(WM_CLOSE);  // the host's default closing destroys it
    EXPECT_EQ(TestApp::Get().app().Run(wnd.m_hWnd), 0);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    TestWnd other;
    ASSERT_NE(other.Create(nullptr), nullptr);
    PostQuitMessage(7);
    EXPECT_EQ(TestApp::Get().app().Run(other.m_hWnd), 7);
    other.DestroyWindow();
}

TEST_F(Windows, MaximiseAndRestoreLayTheHostOutAgain) {
    struct SizeWnd : TestWnd {
        BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD mapId)
            override {
            if (msg == WM_SIZE) {
                sizes.push_back(wParam);
            }
            return TestWnd::ProcessWindowMessage(hwnd, msg, wParam, lParam, result, mapId);
        }
        std::vector<WPARAM> sizes;
    } wnd;
    ASSERT_NE(wnd.Create(nullptr, 50, 50, 0, 0), nullptr);
    wnd.ShowWindow(SW_SHOWNORMAL);
    wnd.sizes.clear();
    SendMessageW(wnd.m_hWnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ASSERT_FALSE(wnd.sizes.empty());
    EXPECT_EQ(wnd.sizes.back(), static_cast<WPARAM>(SIZE_MAXIMIZED));
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    GetMonitorInfoW(MonitorFromWindow(wnd.m_hWnd, MONITOR_DEFAULTTONEAREST), &mi);
    const RECT root = RectOf(wnd.FindChildByName(L"root"));
    EXPECT_EQ(root.right, mi.rcWork.right - mi.rcWork.left);
    EXPECT_EQ(root.bottom, mi.rcWork.bottom - mi.rcWork.top);
    EXPECT_EQ(RectOf(wnd.FindChildByName(L"btn_close")).right, root.right - 1) << "the caption follows the size";
    SendMessageW(wnd.m_hWnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_EQ(wnd.sizes.back(), static_cast<WPARAM>(SIZE_RESTORED));
    EXPECT_EQ(RectOf(wnd.FindChildByName(L"root")).right, 500);
    wnd.DestroyWindow();
}

}  // namespace
