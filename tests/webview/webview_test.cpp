// SWkeWebkit in real host windows of the UI library, over an engine of recording functions: what
// the control passes to the engine for each message, attribute and callback, and what it paints.
#include <windows.h>

#include <imm.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeEngine.h"
#include "UiFixture.h"
#include "UiRefusals.h"
#include "foundation/DataDir.h"
#include "webview/SWkeWebkit.h"
#include "webview/WkeCursor.h"
#include "webview/WkeEngine.h"
#include "webview/WkeEngineHolder.h"

using namespace SOUI;
using namespace webviewtest;

namespace {

// The web view of the layouts, recording when the base's mouse handling runs.
class ProbeWebkit : public SWkeWebkit {
  public:
    static int& baseMouseCalls() {
        static int n = 0;
        return n;
    }

  protected:
    BOOL OnMouseEvent(UINT msg, WPARAM flags, const POINT& pt) override {
        ++baseMouseCalls();
        return SWkeWebkit::OnMouseEvent(msg, flags, pt);
    }
};

std::string hex(unsigned v) {
    char b[16];
    snprintf(b, sizeof b, "0x%x", v);
    return b;
}

class WebViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UiApp::get().app().RegisterFactory(TplSObjectFactory<ProbeWebkit>(), TRUE);
        fake_ = &installFakeEngine();
        ProbeWebkit::baseMouseCalls() = 0;
    }

    void TearDown() override {
        if (host_) {
            delete host_;
        }
    }

    // Creates the host window of a layout and finds its web view.
    SWkeWebkit* open(const wchar_t* layout = L"LAYOUT:XML_WEBWND", const wchar_t* name = L"web") {
        host_ = new TestHost(layout);
        hwnd_ = host_->Create(nullptr);
        if (!hwnd_) {
            return nullptr;
        }
        return host_->FindChildByName2<SWkeWebkit>(name);
    }

    LRESULT send(UINT msg, WPARAM wParam, LPARAM lParam) { return SendMessageW(hwnd_, msg, wParam, lParam); }

    FakeEngine* fake_ = nullptr;
    TestHost* host_ = nullptr;
    HWND hwnd_ = nullptr;
};

TEST(WebViewClass, AnswersItsClassExactlyAndTheBaseForTheRest) {
    SWkeWebkit web;
    EXPECT_STREQ(SWkeWebkit::GetClassName(), L"wkeWebkit");
    EXPECT_EQ(SWkeWebkit::GetClassType(), 1);
    EXPECT_STREQ(web.GetObjectClass(), L"wkeWebkit");
    EXPECT_EQ(web.GetObjectType(), 1);
    EXPECT_EQ(web.OnGetDlgCode(), 0xFFFFu);
    struct Case {
        const wchar_t* name;
        BOOL is;
    } cases[] = {{L"wkeWebkit", TRUE}, {L"wkewebkit", FALSE}, {L"WKEWEBKIT", FALSE}, {L"wkeWebkit ", FALSE},
                 {L"window", TRUE},    {L"button", FALSE},    {nullptr, FALSE}};
    for (const Case& c : cases) {
        EXPECT_EQ(web.IsClass(c.name), c.is) << (c.name ? std::string(c.name, c.name + wcslen(c.name)) : "null");
    }
}

TEST(WebViewClass, MapsEveryEngineCursorToItsSystemCursor) {
    auto id = [](LPCWSTR idc) { return static_cast<unsigned>(reinterpret_cast<UINT_PTR>(idc)); };
    std::vector<unsigned> expected(32, id(IDC_ARROW));
    expected[1] = id(IDC_CROSS);
    expected[2] = id(IDC_HAND);
    expected[3] = id(IDC_IBEAM);
    expected[4] = id(IDC_WAIT);
    expected[5] = id(IDC_HELP);
    for (int t : {6, 13, 15, 19})
        expected[static_cast<size_t>(t)] = id(IDC_SIZEWE);
    for (int t : {7, 10, 14, 18})
        expected[static_cast<size_t>(t)] = id(IDC_SIZENS);
    for (int t : {8, 12, 16})
        expected[static_cast<size_t>(t)] = id(IDC_SIZENESW);
    for (int t : {9, 11, 17})
        expected[static_cast<size_t>(t)] = id(IDC_SIZENWSE);
    expected[29] = id(IDC_SIZEALL);
    for (int t = 0; t < 32; ++t) {
        EXPECT_EQ(mapWkeCursor(t), expected[static_cast<size_t>(t)]) << "type " << t;
    }
    EXPECT_EQ(mapWkeCursor(-1), id(IDC_ARROW));
    EXPECT_EQ(mapWkeCursor(1000), id(IDC_ARROW));
}

TEST_F(WebViewTest, CreationMakesTheViewAndLoadsTheLayoutAddressWithTheCookieJar) {
    SWkeWebkit* web = open();
    ASSERT_NE(web, nullptr) << "the layout's wkeWebkit element is a web view";
    const std::vector<std::string> expected = {
        "wkeCreateWebView()",
        "wkeSetHandle(view," + pointerText(hwnd_) + ")",
        "wkeSetNavigationToNewWindowEnable(view,0)",
        "wkeOnPaintUpdated(view," + pointerText(web) + ")",
        "wkeOnURLChanged(view,0x0)",
        "wkeSetCookieJarFullPath(view)",
        "wkeLoadURL(view,http://layout.test/\xE9\xA1\xB5\xE9\x9D\xA2?q=1)",
    };
    ASSERT_GE(fake_->calls.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(fake_->calls.begin(), fake_->calls.begin() + 7), expected);
    EXPECT_EQ(fake_->jarPath, std::wstring(getLocalAppDataDir().c_str()) + L"\\BravikPdfEditor\\cookie\\cookie.dat");
    EXPECT_TRUE(web->IsFocusable());

    // The layout places the view: its window size goes to the engine.
    const RECT w = windowOf(web);
    const std::string resize =
        "wkeResize(view," + std::to_string(w.right - w.left) + "," + std::to_string(w.bottom - w.top) + ")";
    EXPECT_NE(std::find(fake_->calls.begin(), fake_->calls.end(), resize), fake_->calls.end()) << resize;
    fake_->calls.clear();
    SetWindowPos(hwnd_, nullptr, 0, 0, 600, 500, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT w2 = windowOf(web);
    EXPECT_EQ(fake_->calls, std::vector<std::string>({"wkeResize(view," + std::to_string(w2.right - w2.left) + "," +
                                                      std::to_string(w2.bottom - w2.top) + ")"}));
}

TEST_F(WebViewTest, TheUrlAttributeIsTakenInAnyLetterCaseAndLoadsOnceTheViewExists) {
    SWkeWebkit* web = open();
    ASSERT_NE(web, nullptr);
    struct Case {
        const wchar_t* name;
        BOOL loading;
        bool loads;
        HRESULT result;
    } cases[] = {
        {L"url", FALSE, true, S_FALSE}, {L"URL", FALSE, true, S_FALSE},  {L"Url", FALSE, true, S_FALSE},
        {L"url", TRUE, false, S_OK},    {L"urls", FALSE, false, E_FAIL},
    };
    for (const Case& c : cases) {
        fake_->calls.clear();
        const HRESULT hr = web->SetAttribute(c.name, L"https://h/登录", c.loading);
        EXPECT_EQ(hr, c.result) << std::string(c.name, c.name + wcslen(c.name));
        if (c.loads) {
            EXPECT_EQ(fake_->calls, std::vector<std::string>({"wkeSetCookieJarFullPath(view)",
                                                              "wkeLoadURL(view,https://h/\xE7\x99\xBB\xE5\xBD\x95)"}));
        } else {
            EXPECT_TRUE(fake_->calls.empty())
                << std::string(c.name, c.name + wcslen(c.name)) << ": " << fake_->calls.size();
        }
    }
    // The other name is no attribute of the control: the UI library refuses it.
    EXPECT_EQ(souitest::takeRefusals(),
              std::vector<std::wstring>{L"refused attribute urls=\"https://h/登录\" of wkeWebkit \"web\" of "
                                        L"LAYOUT:XML_WEBWND: no attribute of the kind wkeWebkit"});
    // A stored address is what the next load uses.
    web->SetAttribute(L"url", L"http://stored/", TRUE);
    fake_->calls.clear();
    web->loadUrl();
    EXPECT_EQ(fake_->loadedUrl, "http://stored/");
}

TEST_F(WebViewTest, WithoutAViewTheAddressIsOnlyStoredAndNothingReachesTheEngine) {
    fake_->createFails = true;
    SWkeWebkit* web = open();
    ASSERT_NE(web, nullptr);
    EXPECT_EQ(fake_->calls, std::vector<std::string>({"wkeCreateWebView()"}));
    EXPECT_FALSE(web->IsFocusable());
    web->SetAttribute(L"url", L"http://later/", FALSE);
    const RECT c = clientOf(web);
    send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.left + 1, c.top + 1));
    LRESULT r = 0;
    EXPECT_FALSE(web->ProcessSwndMessage(WM_KEYDOWN, 'A', 0, r));
    EXPECT_TRUE(web->OnSetCursor({0, 0}));
    EXPECT_EQ(fake_->calls, std::vector<std::string>({"wkeCreateWebView()"}));

    SWkeWebkit alone;
    EXPECT_EQ(alone.SendSwndMessage(WM_CREATE), 1) << "creation failed";
    fake_->createFails = false;
    fake_->calls.clear();
    EXPECT_EQ(alone.SendSwndMessage(WM_CREATE), 0);
    EXPECT_EQ(fake_->calls.front(), "wkeCreateWebView()");
    EXPECT_EQ(fake_->calls[1], "wkeSetHandle(view,0x0)") << "no container: no host window";
}

TEST_F(WebViewTest, MouseMessagesReachTheEngineAtClientCoordinatesWithMaskedFlags) {
    SWkeWebkit* web = open();
    ASSERT_NE(web, nullptr);
    const RECT c = clientOf(web);
    const RECT w = windowOf(web);
    ASSERT_NE(c.left, w.left) << "the layout gives the view a margin";
    const SWND self = web->GetSwnd();
    struct Case {
        UINT msg;
        WPARAM wParam;
        int dx, dy;
        SWND focusAfter;
        SWND captureAfter;
    } cases[] = {
        {WM_MOUSEMOVE, MK_SHIFT | 0x20, 5, 6, 0, 0},
        {WM_LBUTTONDBLCLK, MK_LBUTTON | 0x100, 1, 1, 0, 0},
        {WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL | 0xFF00, 0, 0, self, self},
        {WM_LBUTTONUP, 0x20, 0, 0, self, 0},
        {WM_RBUTTONDOWN, MK_RBUTTON, 7, 8, self, self},
        {WM_RBUTTONUP, 0, 7, 8, self, 0},
        {WM_MBUTTONDOWN, MK_MBUTTON | 0x40, 2, 3, self, self},
        {WM_MBUTTONUP, 0, 2, 3, self, 0},
    };
    for (const Case& k : cases) {
        if (k.msg == WM_MOUSEMOVE || k.msg == WM_LBUTTONDBLCLK) {
            host_->OnSetSwndFocus(0);
        }
        fake_->calls.clear();
        send(k.msg, k.wParam, MAKELPARAM(c.left + k.dx, c.top + k.dy));
        const std::string expected = "wkeFireMouseEvent(view," + hex(k.msg) + "," + std::to_string(k.dx) + "," +
                                     std::to_string(k.dy) + "," + hex(static_cast<unsigned>(k.wParam & 0x1F)) + ")";
        EXPECT_NE(std::find(fake_->calls.begin(), fake_->calls.end(), expected), fake_->calls.end())
            << expected << " for " << hex(k.msg);
        EXPECT_EQ(host_->GetFocus(), k.focusAfter) << hex(k.msg);
        EXPECT_EQ(host_->GetCapture(), k.captureAfter) << hex(k.msg);
    }
    EXPECT_EQ(ProbeWebkit::baseMouseCalls(), 0) << "the engine handled each message";

    // What the engine leaves goes to the base's processing.
    fake_->mouseHandled = false;
    send(WM_MOUSEMOVE, 0, MAKELPARAM(c.left + 2, c.top + 2));
    EXPECT_EQ(ProbeWebkit::baseMouseCalls(), 1);
}

TEST_F(WebViewTest, TheWheelReachesTheEngineAtWindowCoordinates) {
    SWkeWebkit* web = open();
    ASSERT_NE(web, nullptr);
    const RECT w = windowOf(web);
    POINT corner = {w.left, w.top};
    ClientToScreen(hwnd_, &corner);
    fake_->calls.clear();
    send(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL | 0x40, static_cast<WORD>(-240)), MAKELPARAM(corner.x, corner.y));
    EXPECT_EQ(fake_->calls, std::vector<std::string>({"wkeFireMouseWheelEvent(view,0,0,-240,0x8)"}));
    fake_->calls.clear();
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(corner.x + 4, corner.y + 9));
    EXPECT_EQ(fake_->calls, std::vector<std::string>({"wkeFireMouseWheelEvent(view,4,9,120,0x0)"}));
}

TEST_F(WebViewTest, KeysCarryOnlyTheRepeatAndExtendedFlagsAndUnhandledOnesGoToTheBase) {
    SWkeWebkit* web = open();
    ASSERT_NE(web, nullptr);
    struct Case {
        UINT msg;
        const char* function;
    } messages[] = {
        {WM_KEYDOWN, "wkeFireKeyDownEvent"}, {WM_KEYUP, "wkeFireKeyUpEvent"}, {WM_CHAR, "wkeFireKeyPressEvent"}};
    const unsigned highWords[][2] = {{0x0000, 0x0000}, {0x4000, 0x4000}, {0x0100, 0x0100},
                                     {0xFFFF, 0x4100}, {0xA1FF, 0x0100}, {0x8000, 0x0000}};
    for (const Case& m : messages) {
        for (const auto& hw : highWords) {
            for (bool handled : {true, false}) {
                fake_->keyHandled = handled;
                fake_->calls.clear();
                LRESULT result = 77;
                const BOOL taken = web->ProcessSwndMessage(m.msg, 'A', static_cast<LPARAM>(hw[0] << 16 | 1), result);
                EXPECT_EQ(fake_->calls,
                          std::vector<std::string>({std::string(m.function) + "(view,65," + hex(hw[1]) + ",0)"}));
                EXPECT_EQ(taken, handled ? TRUE : FALSE) << m.function << " the base does not take keys";
                if (handled) {
                    EXPECT_EQ(result, 0);
                }
            }
        }
    }
    // Through the host: the focused view gets the key.
    web->SetFocus();
    fake_->keyHandled = true;
    fake_->calls.clear();
    send(WM_KEYDOWN, VK_RETURN, 0x001C0001);
    EXPECT_EQ(fake_->calls, std::vector<std::string>({"wkeFireKeyDownEvent(view,13,0x0,0)"}));
}

TEST_F(WebViewTest, FocusGoesToTheEngineAfterTheBaseAndLeavesItBeforeTheBase) {
    SWkeWebkit* web = open();
    ASSERT_NE(web, nullptr);
    host_->OnSetSwndFocus(0);
    fake_->calls.clear();
    web->SetFocus();
    EXPECT_EQ(fake_->calls, std::vector<std::string>({"wkeSetFocus(view)"}));
    EXPECT_TRUE(web->IsFocused());
    fake_->calls.clear();
    host_->OnSetSwndFocus(0);
    EXPECT_EQ(fake_->calls, std::vector<std::string>({"wkeKillFocus(view)"}));
}

TEST_F(WebViewTest, TheCursorIsTheOneThePageAsksFor) {
    SWkeWebkit* web = open();
    ASSERT_NE(web, nullptr);
    struct Case {
        int type;
        LPCWSTR cursor;
    } cases[] = {{2, IDC_HAND}, {29, IDC_SIZEALL}, {20, IDC_ARROW}, {3, IDC_IBEAM}, {-4, IDC_ARROW}};
    for (const Case& c : cases) {
        fake_->cursorType = c.type;
        fake_->calls.clear();
        EXPECT_TRUE(web->OnSetCursor({1, 1}));
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, c.cursor)) << "type " << c.type;
        EXPECT_EQ(fake_->calls, std::vector<std::string>({"wkeGetCursorInfoType(view)"}));
    }
}

TEST_F(WebViewTest, RepaintedRectanglesOfTheViewAreInvalidatedAtTheControlsClientPosition) {
    SWkeWebkit* web = open();
    ASSERT_NE(web, nullptr);
    ASSERT_NE(fake_->paintCallback, nullptr);
    EXPECT_EQ(fake_->paintParam, web);
    const RECT c = clientOf(web);
    const RECT w = windowOf(web);
    struct Case {
        int x, y, cx, cy;
        RECT expected;
    } cases[] = {
        {1, 2, 30, 40, {c.left + 1, c.top + 2, c.left + 31, c.top + 42}},
        {0, 0, 5000, 5000, {c.left, c.top, w.right, w.bottom}},  // clipped to the control
    };
    // Only a shown window keeps an update region.
    ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    for (const Case& k : cases) {
        UpdateWindow(hwnd_);
        ValidateRect(hwnd_, nullptr);
        fake_->paintCallback(FakeEngine::view(), fake_->paintParam, nullptr, k.x, k.y, k.cx, k.cy);
        RECT dirty;
        ASSERT_TRUE(GetUpdateRect(hwnd_, &dirty, FALSE));
        EXPECT_TRUE(EqualRect(&dirty, &k.expected))
            << dirty.left << "," << dirty.top << "," << dirty.right << "," << dirty.bottom;
    }
    // The address callback reads the address and keeps nothing.
    ASSERT_NE(fake_->urlCallback, nullptr);
    fake_->calls.clear();
    int text = 0;
    fake_->urlCallback(FakeEngine::view(), fake_->urlParam, reinterpret_cast<wkeString>(&text));
    EXPECT_EQ(fake_->calls, std::vector<std::string>({"wkeToStringW(" + pointerText(&text) + ")"}));
}

// A 32-bit image of w by h: the left part (x < split) premultiplied blue at half alpha, the rest
// opaque red.
struct ViewImage {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    ViewImage(int w, int h, int split) {
        BITMAPINFO bi = {};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, bitmap);
        auto* px = static_cast<DWORD*>(bits);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                px[y * w + x] = x < split ? 0x80000080u : 0xFFFF0000u;
            }
        }
    }
    ~ViewImage() {
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
};

TEST_F(WebViewTest, PaintingCopiesTheImageWhenOpaqueAndBlendsItByStyleAlpha) {
    SWkeWebkit* web = open();
    ASSERT_NE(web, nullptr);
    const RECT c = clientOf(web);
    ViewImage image(c.right - c.left, c.bottom - c.top, 50);
    fake_->viewDC = image.dc;
    RECT host;
    ::GetClientRect(hwnd_, &host);
    // Painted with a clip box that leaves out the control's first 20 rows.
    const RECT clip = {0, c.top + 20, host.right, host.bottom};
    struct Case {
        const wchar_t* alpha;
        COLORREF left, right;  // at client x 49 and 50
    } cases[] = {{L"255", RGB(0, 0, 128), RGB(255, 0, 0)}, {L"254", RGB(128, 128, 255), RGB(255, 1, 1)}};
    for (const Case& k : cases) {
        web->SetAttribute(L"alpha", k.alpha, TRUE);
        IRenderTarget* rt = nullptr;
        ASSERT_TRUE(UiApp::get().render()->CreateRenderTarget(&rt, host.right, host.bottom));
        rt->Clear(RGBA(255, 255, 255, 255));
        rt->PushClipRect(clip);
        fake_->calls.clear();
        web->SendSwndMessage(WM_PAINT, reinterpret_cast<WPARAM>(rt));
        rt->PopClip();
        EXPECT_EQ(fake_->calls, std::vector<std::string>({"wkeGetViewDC(view)"}));
        HDC dc = rt->GetDC(0);
        auto similar = [](COLORREF a, COLORREF b) {
            return std::abs(GetRValue(a) - GetRValue(b)) <= 2 && std::abs(GetGValue(a) - GetGValue(b)) <= 2 &&
                   std::abs(GetBValue(a) - GetBValue(b)) <= 2;
        };
        const int y = c.top + 30;
        const COLORREF left = GetPixel(dc, c.left + 49, y);
        const COLORREF right = GetPixel(dc, c.left + 50, y);
        EXPECT_TRUE(similar(left, k.left))
            << "alpha " << std::string(k.alpha, k.alpha + wcslen(k.alpha)) << ": " << hex(left);
        EXPECT_TRUE(similar(right, k.right))
            << "alpha " << std::string(k.alpha, k.alpha + wcslen(k.alpha)) << ": " << hex(right);
        EXPECT_EQ(GetPixel(dc, c.left + 60, c.top + 10), RGB(255, 255, 255)) << "outside the clip box";
        EXPECT_EQ(GetPixel(dc, c.left - 1, y), RGB(255, 255, 255)) << "outside the client rectangle";
        rt->ReleaseDC(dc);
        rt->Release();
    }
}

TEST_F(WebViewTest, TheInputMethodWindowsArePlacedAtTheCaret) {
    SWkeWebkit* web = open();
    ASSERT_NE(web, nullptr);
    fake_->caret = {5, 6, 2, 14};
    web->SetFocus();
    fake_->calls.clear();
    send(WM_IME_STARTCOMPOSITION, 0, 0);
    EXPECT_EQ(fake_->calls, std::vector<std::string>({"wkeGetCaret(view)"}));
    const RECT c = clientOf(web);
    const RECT area = {c.left + 5, c.top + 6, c.left + 7, c.top + 20};
    HIMC imc = ImmGetContext(hwnd_);
    ASSERT_NE(imc, nullptr);
    COMPOSITIONFORM composition = {};
    ASSERT_TRUE(ImmGetCompositionWindow(imc, &composition));
    EXPECT_EQ(composition.dwStyle, static_cast<DWORD>(CFS_POINT));
    EXPECT_EQ(composition.ptCurrentPos.x, area.left);
    EXPECT_EQ(composition.ptCurrentPos.y, area.bottom);
    EXPECT_TRUE(EqualRect(&composition.rcArea, &area));
    CANDIDATEFORM candidate = {};
    ASSERT_TRUE(ImmGetCandidateWindow(imc, 0, &candidate));
    EXPECT_EQ(candidate.dwStyle, static_cast<DWORD>(CFS_EXCLUDE));
    EXPECT_EQ(candidate.ptCurrentPos.x, area.left);
    EXPECT_EQ(candidate.ptCurrentPos.y, area.bottom);
    EXPECT_TRUE(EqualRect(&candidate.rcArea, &area));
    ImmReleaseContext(hwnd_, imc);
}

TEST_F(WebViewTest, DestroyingTheWindowDetachesAndDestroysTheView) {
    SWkeWebkit* web = open();
    ASSERT_NE(web, nullptr);
    fake_->calls.clear();
    DestroyWindow(hwnd_);
    EXPECT_EQ(fake_->calls, std::vector<std::string>({"wkeSetHandle(view,0x0)", "wkeDestroyWebView(view)"}));
    delete host_;
    host_ = nullptr;
    EXPECT_EQ(fake_->calls.size(), 2u) << "no engine call after the view went";
}

TEST_F(WebViewTest, TheEngineHolderLoadsTheEngineAndShutsItDown) {
    g_wkeApi = WkeApi();
    {
        CWkeEngineHolder holder;
#define WEBVIEWTEST_LOADED(name) EXPECT_NE(g_wkeApi.name, nullptr) << #name;
        WKE_FOR_EACH_ENTRY_POINT(WEBVIEWTEST_LOADED)
#undef WEBVIEWTEST_LOADED
        EXPECT_TRUE(loadWebEngine()) << "a second load keeps the table";
        wkeWebView view = g_wkeApi.wkeCreateWebView();
        EXPECT_NE(view, nullptr) << "node.dll was started";
        g_wkeApi.wkeDestroyWebView(view);
        // Its shutdown is the recording one, to see that the holder calls it.
        installFakeEngine();
    }
    EXPECT_EQ(fakeEngine().calls, std::vector<std::string>({"wkeShutdown()"}));
}

}  // namespace
