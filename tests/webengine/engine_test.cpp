// node.dll against the loopback servers of run_with_server.py: pages drawn into the view's DC,
// bound functions called from page elements, the cookie jar, verified TLS, navigation.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "EngineApi.h"

using namespace wketest;

namespace {

struct Call {
    std::wstring function;
    std::vector<std::wstring> args;
    DWORD thread = 0;
};

std::vector<Call>& calls() {
    static std::vector<Call> c;
    return c;
}

void record(const wchar_t* function, jsExecState es, int count) {
    Call c{function, {}, GetCurrentThreadId()};
    for (int i = 0; i < count; ++i) {
        const wchar_t* text = api().jsToStringW(es, api().jsArg(es, i));
        c.args.push_back(text ? text : L"(null)");
    }
    calls().push_back(c);
}

jsValue WKE_CALL report(jsExecState es) {
    record(L"report", es, 2);
    return api().jsUndefined();
}

jsValue WKE_CALL echo(jsExecState es) {
    record(L"echo", es, 1);
    return api().jsArg(es, 0);
}

jsValue WKE_CALL msgBox(jsExecState es) {
    record(L"msgBox", es, 1);
    return api().jsUndefined();
}

wkeWebView g_closing = nullptr;
jsValue WKE_CALL closeView(jsExecState) {
    calls().push_back({L"closeView", {}, GetCurrentThreadId()});
    api().wkeDestroyWebView(g_closing);
    return api().jsUndefined();
}

const Call* lastCall(const wchar_t* function) {
    for (auto it = calls().rbegin(); it != calls().rend(); ++it) {
        if (it->function == function) {
            return &*it;
        }
    }
    return nullptr;
}

std::string readFile(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string data(GetFileSize(h, nullptr), '\0');
    DWORD got = 0;
    ReadFile(h, data.data(), static_cast<DWORD>(data.size()), &got, nullptr);
    CloseHandle(h);
    data.resize(got);
    return data;
}

// A folder of its own in the temporary folder, with Chinese characters and a blank in its name.
std::wstring scratchFolder(const wchar_t* leaf) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring dir = std::wstring(temp) + L"wke 测试 " + leaf + L"\\";
    CreateDirectoryW(dir.c_str(), nullptr);
    DeleteFileW((dir + L"cookie.dat").c_str());
    return dir;
}

class EngineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(api().complete) << "node.dll or one of its exports is missing";
        ASSERT_FALSE(env("WKE_TEST_HTTP").empty()) << "run through run_with_server.py";
        api().jsBindFunction("report", &report, 2);
        api().jsBindFunction("echo", &echo, 1);
        api().jsBindFunction("msgBox", &msgBox, 1);
        calls().clear();
        host_ = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        view_ = makeView(host_);
        ASSERT_NE(view_, nullptr);
    }

    void TearDown() override {
        for (wkeWebView v : views_) {
            api().wkeDestroyWebView(v);
        }
        DestroyWindow(host_);
    }

    wkeWebView makeView(HWND host) {
        wkeWebView v = api().wkeCreateWebView();
        if (!v) {
            return nullptr;
        }
        views_.push_back(v);
        api().wkeSetHandle(v, host);
        api().wkeResize(v, 400, 300);
        api().wkeOnPaintUpdated(v, &EngineTest::onPaint, this);
        api().wkeOnURLChanged(v, &EngineTest::onUrl, this);
        return v;
    }

    static void WKE_CALL onPaint(wkeWebView view, void* param, HDC dc, int x, int y, int cx, int cy) {
        auto* self = static_cast<EngineTest*>(param);
        self->paints_.push_back({view, dc, {x, y, x + cx, y + cy}, GetCurrentThreadId()});
    }

    static void WKE_CALL onUrl(wkeWebView view, void* param, wkeString url) {
        auto* self = static_cast<EngineTest*>(param);
        self->urls_.push_back({view, api().wkeToStringW(url)});
    }

    // Loads an address into a view and waits until its page is shown.
    bool loadAndWait(wkeWebView view, HWND host, const std::string& url) {
        const size_t before = urls_.size();
        api().wkeLoadURL(view, url.c_str());
        return waitCommitted(view, host, before);
    }

    bool waitCommitted(wkeWebView view, HWND host, size_t urlsBefore) {
        return pumpUntil([&] {
            bool committed = false;
            for (size_t i = urlsBefore; i < urls_.size(); ++i) {
                committed = committed || urls_[i].first == view;
            }
            return committed && hook_.ask(host, L"info")[L"loading"] == L"0";
        });
    }

    void click(wkeWebView view, HWND host, const wchar_t* id) {
        POINT pt;
        ASSERT_TRUE(hook_.centre(host, id, pt)) << "the page shows no element " << std::string(id, id + wcslen(id));
        api().wkeFireMouseEvent(view, WM_MOUSEMOVE, pt.x, pt.y, 0);
        api().wkeFireMouseEvent(view, WM_LBUTTONDOWN, pt.x, pt.y, MK_LBUTTON);
        api().wkeFireMouseEvent(view, WM_LBUTTONUP, pt.x, pt.y, 0);
    }

    void type(wkeWebView view, const std::wstring& text) {
        for (wchar_t c : text) {
            EXPECT_TRUE(api().wkeFireKeyPressEvent(view, c, 0, false));
        }
    }

    struct Paint {
        wkeWebView view;
        HDC dc;
        RECT rc;
        DWORD thread;
    };

    HWND host_ = nullptr;
    wkeWebView view_ = nullptr;
    std::vector<wkeWebView> views_;
    std::vector<Paint> paints_;
    std::vector<std::pair<wkeWebView, std::wstring>> urls_;
    HookClient hook_;
};

// The 32-bit pixel (BGRA) of the view's image at a point.
DWORD pixelOf(HDC dc, int x, int y) {
    DIBSECTION ds = {};
    HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    if (!GetObjectW(bitmap, sizeof(ds), &ds) || !ds.dsBm.bmBits || x >= ds.dsBm.bmWidth || y >= ds.dsBm.bmHeight) {
        return 0;
    }
    GdiFlush();
    return static_cast<const DWORD*>(ds.dsBm.bmBits)[y * ds.dsBm.bmWidth + x];
}

TEST(EngineModule, ExportsEveryFunctionUnderItsPlainName) {
    HMODULE m = LoadLibraryW(L"node.dll");
    ASSERT_NE(m, nullptr);
    const char* names[] = {"wkeInitializeEx",
#define WKETEST_NAME(name) #name,
                           WKE_FOR_EACH_ENTRY_POINT(WKETEST_NAME)
#undef WKETEST_NAME
    };
    EXPECT_EQ(std::size(names), 26u);
    for (const char* n : names) {
        EXPECT_NE(GetProcAddress(m, n), nullptr) << n;
    }
    FreeLibrary(m);
}

TEST(EngineModule, ScriptCallsOutsideABoundCallReadAsUndefined) {
    ASSERT_TRUE(api().complete);
    EXPECT_EQ(api().jsArg(nullptr, 0), api().jsUndefined());
    int bogus = 0;
    EXPECT_STREQ(api().jsToStringW(reinterpret_cast<jsExecState>(&bogus), 5), L"");
    EXPECT_STREQ(api().wkeToStringW(nullptr), L"");
    // Calls on a handle that is no view are ignored.
    EXPECT_EQ(api().wkeGetViewDC(reinterpret_cast<wkeWebView>(&bogus)), nullptr);
    EXPECT_FALSE(api().wkeFireMouseEvent(reinterpret_cast<wkeWebView>(&bogus), WM_LBUTTONDOWN, 1, 1, 0));
    const wkeRect caret = api().wkeGetCaret(reinterpret_cast<wkeWebView>(&bogus));
    EXPECT_EQ(caret.x | caret.y | caret.w | caret.h, 0);
}

TEST_F(EngineTest, DrawsThePageIntoTheViewDcAndReportsRepaintsOnTheUiThread) {
    const std::wstring html =
        L"<html><head><title>画面</title></head><body bgcolor=\"#336699\" text=\"#ffffff\">"
        L"<h1 id=\"head\">Hello 世界</h1><p id=\"para\">A line of text.</p>"
        L"<div id=\"box\" style=\"background-color: #ff0000\">box</div></body></html>";
    const std::string url = pageUrl(html);
    ASSERT_TRUE(loadAndWait(view_, host_, url));
    ASSERT_TRUE(pumpUntil([&] { return !paints_.empty(); }));
    EXPECT_EQ(urls_.back().second, std::wstring(url.begin(), url.end()));

    Record info = hook_.ask(host_, L"text");
    EXPECT_EQ(info[L"title"], L"画面");
    EXPECT_EQ(info[L"text"], L"Hello 世界\\nA line of text.\\nbox");
    // Every repaint was reported on this thread, and together they cover the whole view.
    RECT all = {0, 0, 0, 0};
    for (const Paint& p : paints_) {
        EXPECT_EQ(p.thread, GetCurrentThreadId());
        UnionRect(&all, &all, &p.rc);
    }
    EXPECT_EQ(all.right, 400);
    EXPECT_EQ(all.bottom, 300);

    HDC dc = api().wkeGetViewDC(view_);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(pixelOf(dc, 2, 2), 0xFF336699u) << "the background, opaque";
    EXPECT_EQ(pixelOf(dc, 399, 299), 0xFF336699u);

    // The heading's text is drawn in white on the background inside its rectangle.
    Record head = hook_.ask(host_, L"element id=head");
    ASSERT_EQ(head[L"found"], L"1");
    const int hx = _wtoi(head[L"x"].c_str());
    const int hy = _wtoi(head[L"y"].c_str());
    int light = 0;
    for (int y = hy; y < hy + _wtoi(head[L"h"].c_str()); ++y) {
        for (int x = hx; x < hx + _wtoi(head[L"w"].c_str()); ++x) {
            const DWORD p = pixelOf(dc, x, y);
            light += ((p & 0xFF) > 0xC0 && ((p >> 8) & 0xFF) > 0xC0) ? 1 : 0;
        }
    }
    EXPECT_GT(light, 30) << "the heading's glyphs";
    EXPECT_GT(_wtoi(head[L"h"].c_str()), 30) << "a heading is drawn larger than body text";

    Record box = hook_.ask(host_, L"element id=box");
    ASSERT_EQ(box[L"found"], L"1");
    EXPECT_EQ(pixelOf(dc, _wtoi(box[L"x"].c_str()) + _wtoi(box[L"w"].c_str()) - 3, _wtoi(box[L"y"].c_str()) + 2),
              0xFFFF0000u);
}

TEST_F(EngineTest, ABoundFunctionGetsThePageArgumentOnTheUiThreadAndItsResultGoesBack) {
    const std::wstring html =
        L"<html><body><input id=\"uid\" type=\"text\">"
        L"<button id=\"go\" onclick=\"report(echo(document.getElementById('uid').value) + '|' + "
        L"msgBox('user-' + document.getElementById('uid').value))\">登录</button></body></html>";
    ASSERT_TRUE(loadAndWait(view_, host_, pageUrl(html)));
    api().wkeSetFocus(view_);
    click(view_, host_, L"uid");
    type(view_, L"42中");
    EXPECT_TRUE(calls().empty()) << "typing calls nothing";
    click(view_, host_, L"go");

    ASSERT_EQ(calls().size(), 3u);
    EXPECT_EQ(calls()[0].function, L"echo");
    EXPECT_EQ(calls()[0].args[0], L"42中");
    EXPECT_EQ(calls()[1].function, L"msgBox");
    EXPECT_EQ(calls()[1].args[0], L"user-42中");
    EXPECT_EQ(calls()[2].function, L"report");
    EXPECT_EQ(calls()[2].args[0], L"42中|undefined") << "echo's result and msgBox's undefined reached the page";
    EXPECT_EQ(calls()[2].args[1], L"undefined") << "a missing argument reads as undefined";
    for (const Call& c : calls()) {
        EXPECT_EQ(c.thread, GetCurrentThreadId());
    }
}

TEST_F(EngineTest, TheSignInPageOfTheAccountServiceCallsMsgBoxWithTheUserId) {
    // The markup the local account service serves at Index/UserLogin/DoLogin.
    const std::wstring html =
        L"<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>登录</title></head>\n<body><h1>登录</h1>\n"
        L"<button id=\"login\" onclick=\"msgBox('10086')\">登录</button>\n</body></html>\n";
    ASSERT_TRUE(loadAndWait(view_, host_, pageUrl(html, "WKE_TEST_HTTPS")));
    EXPECT_EQ(hook_.ask(host_, L"element text=登录")[L"found"], L"1");
    click(view_, host_, L"login");
    const Call* c = lastCall(L"msgBox");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->args[0], L"10086");
}

TEST_F(EngineTest, ScriptsOfThePageRunAtLoadWithFunctionsAndBranches) {
    const std::wstring html =
        L"<html><body onload=\"report('onload', greet('page'))\"><script>\n"
        L"function greet(who) { var n = who.length; if (n > 3) { return 'hi ' + who + ' ' + n; } return 'short'; }\n"
        L"report('script', typeof msgBox + ',' + typeof nothing + ',' + (1 + 2 * 3) + ',' + ('a' === \"a\"));\n"
        L"</script></body></html>";
    ASSERT_TRUE(loadAndWait(view_, host_, pageUrl(html)));
    ASSERT_EQ(calls().size(), 2u);
    EXPECT_EQ(calls()[0].args[0], L"script");
    EXPECT_EQ(calls()[0].args[1], L"function,undefined,7,true");
    EXPECT_EQ(calls()[1].args[0], L"onload");
    EXPECT_EQ(calls()[1].args[1], L"hi page 4");
}

TEST_F(EngineTest, CookiesLandInTheJarFileAndAreSentBack) {
    const std::wstring dir = scratchFolder(L"jar");
    const std::wstring jar = dir + L"cookie.dat";
    api().wkeSetCookieJarFullPath(view_, jar.c_str());
    const std::string base = env("WKE_TEST_HTTP");
    ASSERT_TRUE(loadAndWait(view_, host_, base + "/set-cookie?name=sid&value=abc123"));
    const std::string file = readFile(jar);
    EXPECT_NE(file.find("\tsid\tabc123"), std::string::npos) << file;

    ASSERT_TRUE(loadAndWait(view_, host_, base + "/cookies"));
    const Call* c = lastCall(L"report");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->args[1], L"sid=abc123");

    // Another view with the same jar sends the cookie from the file; one without it does not.
    HWND host2 = CreateWindowExW(0, L"STATIC", L"host2", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    wkeWebView other = makeView(host2);
    api().wkeSetCookieJarFullPath(other, jar.c_str());
    calls().clear();
    ASSERT_TRUE(loadAndWait(other, host2, base + "/cookies"));
    ASSERT_NE(lastCall(L"report"), nullptr);
    EXPECT_EQ(lastCall(L"report")->args[1], L"sid=abc123");

    const std::wstring otherJar = scratchFolder(L"other") + L"cookie.dat";
    api().wkeSetCookieJarFullPath(other, otherJar.c_str());
    calls().clear();
    ASSERT_TRUE(loadAndWait(other, host2, base + "/cookies"));
    ASSERT_NE(lastCall(L"report"), nullptr);
    EXPECT_EQ(lastCall(L"report")->args[1], L"");
    DestroyWindow(host2);
}

TEST_F(EngineTest, TlsPeersAreVerifiedAgainstTheBundleBesideTheProgram) {
    struct Case {
        const char* base;
        bool loads;
    } cases[] = {{"WKE_TEST_HTTPS", true}, {"WKE_TEST_HTTPS_IP", false}, {"WKE_TEST_ROGUE", false}};
    for (const Case& c : cases) {
        calls().clear();
        ASSERT_TRUE(loadAndWait(view_, host_, env(c.base) + "/cookies")) << c.base;
        Record info = hook_.ask(host_, L"text");
        if (c.loads) {
            EXPECT_EQ(info[L"title"], L"report") << c.base;
            EXPECT_NE(lastCall(L"report"), nullptr) << c.base;
        } else {
            EXPECT_EQ(info[L"title"], L"无法打开页面") << c.base;
            EXPECT_EQ(lastCall(L"report"), nullptr) << c.base << ": nothing of the refused server's page ran";
            EXPECT_NE(info[L"text"].find(L"SSL"), std::wstring::npos)
                << c.base << ": " << std::string(info[L"text"].begin(), info[L"text"].end());
        }
    }
}

TEST_F(EngineTest, LinksAndRedirectsNavigateAndReportTheFinalAddress) {
    const std::string base = env("WKE_TEST_HTTP");
    const std::wstring target = L"<html><head><title>target</title></head><body>here</body></html>";
    const std::string targetPath = "/html?b=" + percentEncode(target);
    const std::string redirect = "/redirect?to=" + percentEncode(std::wstring(targetPath.begin(), targetPath.end()));
    const std::wstring html = L"<html><body><a id=\"next\" href=\"" + std::wstring(redirect.begin(), redirect.end()) +
                              L"\">next</a></body></html>";
    ASSERT_TRUE(loadAndWait(view_, host_, pageUrl(html)));
    api().wkeFireMouseEvent(view_, WM_MOUSEMOVE, 1, 1, 0);
    POINT pt;
    ASSERT_TRUE(hook_.centre(host_, L"next", pt));
    api().wkeFireMouseEvent(view_, WM_MOUSEMOVE, pt.x, pt.y, 0);
    EXPECT_EQ(api().wkeGetCursorInfoType(view_), WKE_CURSOR_HAND);
    const size_t before = urls_.size();
    click(view_, host_, L"next");
    ASSERT_TRUE(waitCommitted(view_, host_, before));
    EXPECT_EQ(urls_.back().second,
              std::wstring(base.begin(), base.end()) + std::wstring(targetPath.begin(), targetPath.end()));
    EXPECT_EQ(hook_.ask(host_, L"info")[L"title"], L"target");
}

TEST_F(EngineTest, AFormIsPostedWithItsFieldsWhenEnterIsPressedInAField) {
    const std::wstring html =
        L"<html><body><form method=\"post\" action=\"/form\"><input name=\"user\" value=\"a b\">"
        L"<input type=\"password\" name=\"pw\" id=\"pw\"><input type=\"submit\" value=\"Go\"></form></body></html>";
    ASSERT_TRUE(loadAndWait(view_, host_, pageUrl(html)));
    api().wkeSetFocus(view_);
    click(view_, host_, L"pw");
    type(view_, L"p&1");
    const wkeRect caret = api().wkeGetCaret(view_);
    Record pw = hook_.ask(host_, L"element id=pw");
    EXPECT_GT(caret.h, 0);
    EXPECT_GT(caret.x, _wtoi(pw[L"x"].c_str()) + 4) << "the caret moved past the typed dots";
    EXPECT_LT(caret.x, _wtoi(pw[L"x"].c_str()) + _wtoi(pw[L"w"].c_str()));
    EXPECT_EQ(api().wkeGetCursorInfoType(view_), WKE_CURSOR_IBEAM);
    const size_t before = urls_.size();
    EXPECT_TRUE(api().wkeFireKeyDownEvent(view_, VK_RETURN, 0, false));
    ASSERT_TRUE(waitCommitted(view_, host_, before));
    const Call* c = lastCall(L"report");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->args[0], L"post");
    EXPECT_EQ(c->args[1], L"user=a+b&pw=p%261");
}

TEST_F(EngineTest, KeysThatThePageDoesNotTakeAreReportedUnhandled) {
    ASSERT_TRUE(loadAndWait(view_, host_, pageUrl(L"<html><body><p>short</p></body></html>")));
    EXPECT_FALSE(api().wkeFireKeyDownEvent(view_, VK_F5, 0, false));
    EXPECT_FALSE(api().wkeFireKeyPressEvent(view_, L'x', 0, false)) << "no field has the focus";
    EXPECT_FALSE(api().wkeFireMouseWheelEvent(view_, 5, 5, -120, 0)) << "nothing to scroll";
    EXPECT_TRUE(api().wkeFireMouseEvent(view_, WM_MOUSEMOVE, 5, 5, 0));
}

TEST_F(EngineTest, AViewDestroyedInsideABoundCallStopsThePageSafely) {
    api().jsBindFunction("closeView", &closeView, 0);
    const std::wstring html =
        L"<html><body><button id=\"b\" onclick=\"closeView(); report('after')\">close</button></body></html>";
    ASSERT_TRUE(loadAndWait(view_, host_, pageUrl(html)));
    g_closing = view_;
    paints_.clear();
    click(view_, host_, L"b");
    ASSERT_NE(lastCall(L"closeView"), nullptr);
    EXPECT_EQ(lastCall(L"report"), nullptr) << "the script ended with its view";
    EXPECT_EQ(api().wkeGetViewDC(view_), nullptr) << "the handle is no view any more";
    pumpFor(200);
    EXPECT_TRUE(paints_.empty()) << "no callback after the view went";
    std::erase(views_, view_);
}

TEST_F(EngineTest, ANewerLoadReplacesAnOlderOneAndAnEmptyAddressShowsABlankPage) {
    const size_t before = urls_.size();
    api().wkeLoadURL(view_, pageUrl(L"<html><head><title>first</title></head></html>").c_str());
    api().wkeLoadURL(view_, "");
    ASSERT_TRUE(waitCommitted(view_, host_, before));
    pumpFor(300);
    Record info = hook_.ask(host_, L"info");
    EXPECT_EQ(info[L"title"], L"");
    EXPECT_EQ(info[L"url"], L"");
    ASSERT_EQ(urls_.size(), before + 1) << "only the last load was shown";
    EXPECT_EQ(urls_.back().second, L"");
}

}  // namespace
