// What the sign-in page's report of a user id stores, and whom it tells.
#include <windows.h>

#include <foundation/AppState.h>
#include <foundation/IniFile.h>
#include <gtest/gtest.h>

#include <string>

#include "DialogUi.h"
#include "SignInStore.h"
#include "TestMainDlg.h"

namespace {

std::string setting(const char* key) {
    return readIniString("App", key, "<none>", g_appState.iniPath.c_str());
}

TEST(KnownUserIds, AnIdJoinsTheListOnlyWhenItsTextDoesNotHoldIt) {
    struct Case {
        const char* list;
        const char* id;
        bool added;
        const char* after;
    };
    const Case cases[] = {
        {"", "123", true, "123;"},
        {"1234;", "123", false, "1234;"},  // a plain substring search
        {"123;", "1234", true, "123;1234;"},
        {"77;123;", "123", false, "77;123;"},
        {"5;", "", false, "5;"},  // the empty text occurs in every list
    };
    for (const Case& c : cases) {
        SOUI::SStringA list = c.list;
        EXPECT_EQ(addKnownUserId(list, c.id), c.added) << c.list << " + " << c.id;
        EXPECT_STREQ(list.c_str(), c.after);
    }
}

class SignInStore : public testing::Test {
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

TEST_F(SignInStore, StoresTheIdThenTellsTheMainWindow) {
    CMainDlg* main = dlgtest::createTestMainWindow();
    ASSERT_NE(main->m_hWnd, nullptr);
    std::string idWhenTold, settingWhenTold;
    dlgtest::mainWindowRecord().onLoginDone = [&] {
        idWhenTold = g_appState.user.userId.c_str();
        settingWhenTold = setting("userid");
    };
    storeSignedInUser("123");
    EXPECT_EQ(dlgtest::mainWindowRecord().loginDone, 1) << "told with SendMessageW, before the call returns";
    EXPECT_EQ(idWhenTold, "123");
    EXPECT_EQ(settingWhenTold, "123");
    EXPECT_STREQ(g_appState.userIdList.c_str(), "123;");
    EXPECT_EQ(setting("userdic"), "123;");
}

TEST_F(SignInStore, AnIdInsideAKnownIdLeavesTheListAndItsSettingAlone) {
    g_appState.userIdList = "1234;";
    storeSignedInUser("123");
    EXPECT_STREQ(g_appState.user.userId.c_str(), "123");
    EXPECT_EQ(setting("userid"), "123");
    EXPECT_STREQ(g_appState.userIdList.c_str(), "1234;");
    EXPECT_EQ(setting("userdic"), "before;") << "userdic is not written";
}

TEST_F(SignInStore, TheSameIdAgainWritesTheSettingAgain) {
    g_appState.user.userId = "777";
    g_appState.userIdList = "777;";
    storeSignedInUser("777");
    EXPECT_EQ(setting("userid"), "777");
    EXPECT_EQ(setting("userdic"), "before;");
}

TEST_F(SignInStore, WithoutMainWindowTheIdIsStillStored) {
    ASSERT_EQ(g_mainDlg, nullptr);
    storeSignedInUser("42");
    EXPECT_EQ(setting("userid"), "42");
    EXPECT_EQ(setting("userdic"), "42;");
}

TEST_F(SignInStore, AReportedIdIsTakenOnlyWhenWellFormedAndTheSameInTheAnsiCodePage) {
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
