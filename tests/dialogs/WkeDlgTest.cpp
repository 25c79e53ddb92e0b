// The web sign-in dialog with the web engine stand-in and the local account service's sign-in
// page, at the program's compiled-in service address.
#include <windows.h>

#include <foundation/AppState.h>
#include <foundation/IniFile.h>
#include <gtest/gtest.h>

#include <string>

#include "ModalScript.h"
#include "PageHook.h"
#include "TestMainWindow.h"
#include "WebViewUi.h"
#include "WkeDlg.h"
#include "support/ServiceControl.h"

using dlgtest::askPage;
using dlgtest::ModalScript;

namespace {

std::string setting(const char* key) {
    return readIniString("App", key, "<none>", g_appState.iniPath.c_str());
}

class SignInDialog : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(dlgtest::dialogUiWithWebView(), nullptr);
        services::reset();
        dlgtest::createTestMainWindow();
        g_appState.user.userId = "";
        g_appState.userIdList = "";
        g_appState.saveUserId("before");
        g_appState.saveUserDic("before;");
    }
    void TearDown() override { dlgtest::destroyTestMainWindow(); }

    // Until the page of the account service stands in the view.
    static bool pageLoaded() {
        dlgtest::PageRecord info = askPage(L"info");
        return info[L"loading"] == L"0" && info[L"url"].find(L"Index/UserLogin/DoLogin") != std::wstring::npos;
    }
    // The dialog as the main window runs it: its newest sign-in dialog, mode 1, no owner.
    static INT_PTR runAsMainWindowDoes(CWkeDlg& dlg, ModalScript& script) {
        dlgtest::testMainWindow()->webDlg = &dlg;
        dlg.mode = 1;
        return script.run(dlg, nullptr, 30000);
    }
    static SOUI::SWindow* view(CWkeDlg& dlg) { return dlg.FindChildByName(L"wke_test"); }
};

TEST_F(SignInDialog, ShowsTheSignedSignInPageAndItsCloseButtonEndsWithTwo) {
    CWkeDlg dlg;
    ModalScript script;
    script.waitFor(&pageLoaded)
        .then([&] {
            ASSERT_NE(dlg.webView, nullptr);
            ASSERT_NE(dlg.title, nullptr);
            EXPECT_EQ(std::wstring(dlg.title->GetWindowText().c_str()), L"登录");
            EXPECT_EQ(askPage(L"info")[L"url"], std::wstring(dlg.url.c_str()));
            EXPECT_EQ(askPage(L"element id=login")[L"found"], L"1");
        })
        .click(L"btn_close");
    EXPECT_EQ(runAsMainWindowDoes(dlg, script), 2);
    EXPECT_TRUE(script.allStepsRan());
    const auto requests = services::requestsFor("Index/UserLogin/DoLogin");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0]["sign_ok"].asBool()) << "the address is the signed one of buildLoginUrl";
    EXPECT_EQ(setting("userid"), "before") << "nothing was reported";
}

TEST_F(SignInDialog, WmCloseEndsWithOneWhoeverSendsIt) {
    CWkeDlg dlg;
    ModalScript script;
    script.then([&] { dlg.PostMessage(WM_CLOSE); });
    EXPECT_EQ(runAsMainWindowDoes(dlg, script), 1);
    EXPECT_TRUE(script.allStepsRan());
}

TEST_F(SignInDialog, ThePagesReportStoresTheIdAndTheMainWindowClosesTheDialog) {
    CWkeDlg dlg;
    std::string idWhenTold;
    // As the main window answers a confirmed sign-in.
    dlgtest::mainWindowRecord().onLoginDone = [&] {
        idWhenTold = g_appState.user.userId.c_str();
        SendMessageW(dlgtest::testMainWindow()->webDlg->m_hWnd, WM_CLOSE, 0, 0);
    };
    ModalScript script;
    script.waitFor(&pageLoaded).waitFor([&] { return dlgtest::clickPageElement(dlg.m_hWnd, view(dlg), L"login"); });
    EXPECT_EQ(runAsMainWindowDoes(dlg, script), 1);
    EXPECT_TRUE(script.allStepsRan());
    EXPECT_EQ(dlgtest::mainWindowRecord().loginDone, 1);
    EXPECT_EQ(idWhenTold, "10001");
    EXPECT_EQ(setting("userid"), "10001");
    EXPECT_STREQ(g_appState.userIdList.c_str(), "10001;");
    EXPECT_EQ(setting("userdic"), "10001;");
}

TEST_F(SignInDialog, ThePageGetsUndefinedAndEveryCallRepeatsTheReport) {
    services::Reply page;
    page.contentType = "text/html; charset=utf-8";
    page.body =
        "<html><head><title>登录</title></head><body>"
        "<button id=\"login\" onclick=\"document.getElementById('out').textContent = typeof "
        "msgBox('123')\">登录</button>"
        "<p id=\"out\">none</p></body></html>";
    services::setReply("Index/UserLogin/DoLogin", page);
    g_appState.userIdList = "1234;";
    CWkeDlg dlg;
    ModalScript script;
    script.waitFor(&pageLoaded)
        .waitFor([&] { return dlgtest::clickPageElement(dlg.m_hWnd, view(dlg), L"login"); })
        .waitFor([] { return askPage(L"element id=out")[L"text"] == L"undefined"; })
        .waitFor([&] { return dlgtest::clickPageElement(dlg.m_hWnd, view(dlg), L"login"); })
        .waitFor([] { return dlgtest::mainWindowRecord().loginDone == 2; })
        .click(L"btn_close");
    EXPECT_EQ(runAsMainWindowDoes(dlg, script), 2);
    EXPECT_TRUE(script.allStepsRan());
    EXPECT_STREQ(g_appState.user.userId.c_str(), "123");
    EXPECT_EQ(setting("userid"), "123");
    // "123" stands inside "1234": the list and its setting stay as they were.
    EXPECT_STREQ(g_appState.userIdList.c_str(), "1234;");
    EXPECT_EQ(setting("userdic"), "before;");
}

}  // namespace
