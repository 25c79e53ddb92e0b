// SWkeWebkit over node.dll, as the program uses them: the engine loaded through the program's
// binding, a sign-in page from the loopback HTTPS server shown in a host window, and its button
// pressed through the host window's messages and, as a user would, with the mouse (wkespy); and the
// local account service's own sign-in page, WKE_TEST_SIGNIN_URL (a signed address of
// "Index/UserLogin/DoLogin"), whose button hands WKE_TEST_SIGNIN_ID to msgBox.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "UiFixture.h"
#include "webview/SWkeWebkit.h"
#include "webview/WkeEngine.h"

using namespace SOUI;

namespace {

struct MsgBoxCall {
    std::wstring id;
    DWORD thread;
};

std::vector<MsgBoxCall>& msgBoxCalls() {
    static std::vector<MsgBoxCall> c;
    return c;
}

jsValue WKE_CALL msgBox(jsExecState es) {
    const wchar_t* id = g_wkeApi.jsToStringW(es, g_wkeApi.jsArg(es, 0));
    msgBoxCalls().push_back({id ? id : L"", GetCurrentThreadId()});
    return g_wkeApi.jsUndefined();
}

const wchar_t kSignInPage[] =
    L"<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>登录</title></head>\n"
    L"<body bgcolor=\"#2d8cf0\" text=\"#ffffff\"><h1>登录</h1><p>请使用测试账号登录。</p>\n"
    L"<button id=\"login\" onclick=\"msgBox('10086')\">登录</button>\n</body></html>\n";

class WebViewWithEngine : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(wketest::env("WKE_TEST_HTTPS").empty()) << "run through run_with_server.py";
        ASSERT_TRUE(loadWebEngine());
        webviewtest::UiApp::get();
        g_wkeApi.jsBindFunction("msgBox", &msgBox, 1);
        msgBoxCalls().clear();
        host_ = std::make_unique<webviewtest::TestHost>(L"LAYOUT:XML_SIGNIN");
        hwnd_ = host_->Create(nullptr, 20, 20);
        ASSERT_NE(hwnd_, nullptr);
        ShowWindow(hwnd_, SW_SHOWNORMAL);
        web_ = host_->FindChildByName2<SWkeWebkit>(L"wke_test");
        ASSERT_NE(web_, nullptr);
    }

    void TearDown() override { host_.reset(); }

    // Gives the view the sign-in page's address, as the sign-in dialog does, and waits for it.
    void showSignInPage(std::string url = wketest::pageUrl(kSignInPage, "WKE_TEST_HTTPS")) {
        web_->SetAttribute(L"url", std::wstring(url.begin(), url.end()).c_str(), FALSE);
        ASSERT_TRUE(webviewtest::pumpUntil([&] {
            wketest::Record r = hook_.ask(hwnd_, L"element id=login");
            return r[L"found"] == L"1" && r[L"loading"] == L"0";
        })) << "the page did not show";
        webviewtest::pumpUntil([] { return false; }, 300);
        if (const DWORD hold = static_cast<DWORD>(atoi(wketest::env("WKE_TEST_HOLD_MS").c_str()))) {
            webviewtest::pumpUntil([] { return false; }, hold);
        }
    }

    void pressButton() {
        const POINT at = buttonInHost();
        const LPARAM lp = MAKELPARAM(at.x, at.y);
        PostMessageW(hwnd_, WM_MOUSEMOVE, 0, lp);
        PostMessageW(hwnd_, WM_LBUTTONDOWN, MK_LBUTTON, lp);
        PostMessageW(hwnd_, WM_LBUTTONUP, 0, lp);
    }

    static std::wstring hex(HWND h) {
        wchar_t b[16];
        _snwprintf(b, 15, L"%lX", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(h)));
        b[15] = 0;
        return b;
    }

    // Runs wkespy.exe beside this program while this thread answers the hook; its exit code.
    DWORD runWkespy(const std::wstring& arguments) {
        wchar_t exe[MAX_PATH];
        GetModuleFileNameW(nullptr, exe, MAX_PATH);
        std::wstring command(exe);
        command.resize(command.find_last_of(L'\\') + 1);
        command = L"\"" + command + L"wkespy.exe\" " + arguments;
        STARTUPINFOW si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            return 1000;
        }
        webviewtest::pumpUntil([&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, 20000);
        DWORD exitCode = 1001;
        GetExitCodeProcess(pi.hProcess, &exitCode);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return exitCode;
    }

    POINT buttonInHost() {
        POINT pt = {0, 0};
        EXPECT_TRUE(hook_.centre(hwnd_, L"login", pt));
        const RECT c = webviewtest::clientOf(web_);
        return {c.left + pt.x, c.top + pt.y};
    }

    std::unique_ptr<webviewtest::TestHost> host_;
    HWND hwnd_ = nullptr;
    SWkeWebkit* web_ = nullptr;
    wketest::HookClient hook_;
};

TEST_F(WebViewWithEngine, TheProgramsBindingFindsEveryEntryPoint) {
#define WEBVIEWTEST_LOADED(name) EXPECT_NE(g_wkeApi.name, nullptr) << #name;
    WKE_FOR_EACH_ENTRY_POINT(WEBVIEWTEST_LOADED)
#undef WEBVIEWTEST_LOADED
    wketest::Record info = hook_.ask(hwnd_, L"info");
    EXPECT_EQ(info[L"url"], L"") << "the layout's empty address was loaded at creation";
    const RECT w = webviewtest::windowOf(web_);
    EXPECT_EQ(info[L"width"], std::to_wstring(w.right - w.left));
    EXPECT_EQ(info[L"height"], std::to_wstring(w.bottom - w.top));
}

TEST_F(WebViewWithEngine, ShowsThePageInTheHostWindowAndItsButtonCallsTheBoundFunction) {
    showSignInPage();
    // The page's background fills the control in the window, and only the control.
    const RECT c = webviewtest::clientOf(web_);
    HDC dc = GetDC(hwnd_);
    EXPECT_EQ(GetPixel(dc, c.left + 3, c.bottom - 3), RGB(0x2d, 0x8c, 0xf0));
    EXPECT_EQ(GetPixel(dc, c.left + 3, c.top - 5), RGB(255, 255, 255)) << "the caption row above the view";
    ReleaseDC(hwnd_, dc);

    pressButton();
    ASSERT_TRUE(webviewtest::pumpUntil([] { return !msgBoxCalls().empty(); }, 5000));
    EXPECT_EQ(msgBoxCalls()[0].id, L"10086");
    EXPECT_EQ(msgBoxCalls()[0].thread, GetCurrentThreadId());
    EXPECT_TRUE(web_->IsFocused()) << "the press gave the view the focus";
}

TEST_F(WebViewWithEngine, TheAccountServicesOwnSignInPageCallsMsgBox) {
    const std::string url = wketest::env("WKE_TEST_SIGNIN_URL");
    ASSERT_FALSE(url.empty()) << "run through run_with_server.py --services";
    wchar_t id[256] = {};
    ASSERT_GT(GetEnvironmentVariableW(L"WKE_TEST_SIGNIN_ID", id, 255), 0u);
    showSignInPage(url);
    pressButton();
    ASSERT_TRUE(webviewtest::pumpUntil([] { return !msgBoxCalls().empty(); }, 5000));
    EXPECT_EQ(msgBoxCalls()[0].id, id);
    EXPECT_EQ(msgBoxCalls()[0].thread, GetCurrentThreadId());
}

TEST_F(WebViewWithEngine, AUserClickThroughTheTestHookToolPressesTheButton) {
    showSignInPage();
    const RECT c = webviewtest::clientOf(web_);
    POINT screen = {c.left, c.top};
    ClientToScreen(hwnd_, &screen);
    wchar_t origins[2][64];
    _snwprintf(origins[0], 63, L"--origin %ld,%ld", c.left, c.top);
    _snwprintf(origins[1], 63, L"--screen-origin %ld,%ld", screen.x, screen.y);
    for (size_t i = 0; i < 2; ++i) {
        origins[i][63] = 0;
        const DWORD exitCode = runWkespy(L"click --host 0x" + hex(hwnd_) + L" --id login " + origins[i]);
        EXPECT_EQ(exitCode, 0u) << i;
        ASSERT_TRUE(webviewtest::pumpUntil([&] { return msgBoxCalls().size() == i + 1; }, 5000)) << i;
        EXPECT_EQ(msgBoxCalls()[i].id, L"10086");
    }
}

}  // namespace
