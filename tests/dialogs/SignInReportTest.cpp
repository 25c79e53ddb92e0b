// What the sign-in page's report of a user id stores, and whom it tells.
#include <windows.h>

#include <foundation/AppState.h>
#include <foundation/IniFile.h>
#include <gtest/gtest.h>

#include <string>

#include "DialogUi.h"
#include "SignInReport.h"
#include "TestMainWindow.h"

namespace {

std::string setting(const char* key) {
    return readIniString("App", key, "<none>", g_appState.iniPath.c_str());
}

class SignInReport : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(dlgtest::dialogUi(), nullptr);
        g_appState.user.userId = "";
        g_appState.userIdList = "";
        ASSERT_TRUE(g_appState.saveUserId("before"));
        ASSERT_TRUE(g_appState.saveUserDic("before;"));
    }
    void TearDown() override {
        dlgtest::destroyTestMainWindow();
        g_appState.user.userId = "";
        g_appState.userIdList = "";
    }
};

TEST_F(SignInReport, StoresTheIdThenTellsTheMainWindow) {
    dlgtest::TestMainWindow* main = dlgtest::createTestMainWindow();
    ASSERT_NE(main->m_hWnd, nullptr);
    std::string idWhenTold, settingWhenTold;
    dlgtest::mainWindowRecord().onLoginDone = [&] {
        idWhenTold = g_appState.user.userId.c_str();
        settingWhenTold = setting("userid");
    };
    EXPECT_TRUE(reportSignedInUser(L"123"));
    EXPECT_EQ(dlgtest::mainWindowRecord().loginDone, 1) << "told with SendMessageW, before the call returns";
    EXPECT_EQ(idWhenTold, "123");
    EXPECT_EQ(settingWhenTold, "123");
    EXPECT_STREQ(g_appState.userIdList.c_str(), "123;");
    EXPECT_EQ(setting("userdic"), "123;");
}

TEST_F(SignInReport, WithoutMainWindowTheIdIsStillStored) {
    ASSERT_EQ(mainWindowLink(), nullptr);
    EXPECT_TRUE(reportSignedInUser(L"42"));
    EXPECT_EQ(setting("userid"), "42");
    EXPECT_EQ(setting("userdic"), "42;");
}

TEST_F(SignInReport, AReportedIdIsTakenOnlyWhenWellFormedAndTheSameInTheAnsiCodePage) {
    dlgtest::createTestMainWindow();
    struct Case {
        const wchar_t* reported;
        const char* stored;  // code page 936; null: ignored
    };
    const Case cases[] = {
        {L"1\r\n[Other]\r\nx=1", nullptr},  // refused by the id rule
        {L"", nullptr},
        {L"\U0001F600", nullptr},  // no such character in the ANSI code page
        {L"\u0E01", nullptr},
        {nullptr, nullptr},
        {L"\u7528\u623742",
         "\xD3\xC3\xBB\xA7"
         "42"},  // "用户42"
        {L"A20002", "A20002"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "ignored");
        dlgtest::mainWindowRecord().loginDone = 0;
        EXPECT_EQ(reportSignedInUser(c.reported), c.stored != nullptr);
        const char* expected = c.stored ? c.stored : "before";
        EXPECT_EQ(setting("userid"), expected);
        EXPECT_STREQ(g_appState.user.userId.c_str(), c.stored ? c.stored : "");
        EXPECT_EQ(dlgtest::mainWindowRecord().loginDone, c.stored ? 1 : 0);
    }
    EXPECT_EQ(setting("userdic"),
              "\xD3\xC3\xBB\xA7"
              "42;A20002;");
}

}  // namespace
