// The account information dialog over its real layout.
#include <windows.h>

#include <foundation/AppState.h>
#include <gtest/gtest.h>
#include <soui/SStrCpCvt.h>

#include "DialogUi.h"
#include "ModalScript.h"
#include "UserInfoDlg.h"

using dlgtest::ModalScript;

namespace {

class UserInfoDialog : public testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(dlgtest::dialogUi(), nullptr); }
    void TearDown() override {
        g_appState.user.userName = savedName;
        g_appState.user.userId = savedId;
    }
    SOUI::SStringA savedName = g_appState.user.userName;
    SOUI::SStringA savedId = g_appState.user.userId;

    // The two lines the dialog shows for a user record, and its code.
    struct Shown {
        std::wstring nickname, userid;
        INT_PTR code;
    };
    static Shown show() {
        CUserInfoDlg dlg;
        Shown s;
        ModalScript script;
        script
            .then([&] {
                ASSERT_NE(dlg.nickname, nullptr);
                ASSERT_NE(dlg.userid, nullptr);
                s.nickname = dlg.nickname->GetWindowText().c_str();
                s.userid = dlg.userid->GetWindowText().c_str();
            })
            .click(L"btn_close");
        s.code = script.run(dlg);
        EXPECT_TRUE(script.allStepsRan());
        return s;
    }
};

TEST_F(UserInfoDialog, ShowsTheNameAndIdOfTheUserRecord) {
    // The record's texts are in the ANSI code page (936 under the test runner).
    g_appState.user.userName = SOUI::SStrCpCvt::CvtW2A(L"张三 Zhang", CP_ACP);
    g_appState.user.userId = "10086";
    const Shown s = show();
    EXPECT_EQ(s.nickname, L"昵称      ： 张三 Zhang");
    EXPECT_EQ(s.userid, L"ID         ：10086");
    EXPECT_EQ(s.code, 8);
}

TEST_F(UserInfoDialog, EmptyRecordShowsThePrefixesAlone) {
    g_appState.user.userName = "";
    g_appState.user.userId = "";
    const Shown s = show();
    EXPECT_EQ(s.nickname, L"昵称      ： ");
    EXPECT_EQ(s.userid, L"ID         ：");
    EXPECT_EQ(s.code, 8);
}

}  // namespace
