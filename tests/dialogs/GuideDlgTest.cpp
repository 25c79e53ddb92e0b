// The guide tour as a modal dialog over its real layout, clicked through the UI library.
#include <windows.h>

#include <gtest/gtest.h>

#include "DialogUi.h"
#include "GuideDlg.h"
#include "ModalScript.h"

using dlgtest::ModalScript;

namespace {

class GuideDialog : public testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(dlgtest::dialogUi(), nullptr); }

    // The place of a button inside the page window, as the layout's "pos" names it.
    static POINT placeOf(CGuideDlg& dlg, const wchar_t* name) {
        RECT page, rc;
        dlg.root->GetWindowRect(&page);
        dlg.FindChildByName(name)->GetWindowRect(&rc);
        return {rc.left - page.left, rc.top - page.top};
    }
    static bool shown(CGuideDlg& dlg, const wchar_t* name) { return dlg.FindChildByName(name)->IsVisible(TRUE) != 0; }
    static std::wstring pageSkin(CGuideDlg& dlg) { return dlg.root->GetSkinName().c_str(); }
};

TEST_F(GuideDialog, CloseAndGoBackThenQuitEndsWithEight) {
    CGuideDlg dlg;
    ModalScript script;
    script
        .then([&] {
            EXPECT_EQ(dlg.step(), 1);
            ASSERT_NE(dlg.root, nullptr);
            EXPECT_EQ(pageSkin(dlg), L"bg_guide1_imglist");
            for (SOUI::SImageButton* b : {dlg.btnStart, dlg.btnReGuide, dlg.btnIKown, dlg.btnEnd, dlg.btnCancel}) {
                EXPECT_NE(b, nullptr);
            }
            EXPECT_TRUE(shown(dlg, L"btn_start"));
            EXPECT_FALSE(shown(dlg, L"btn_iKown"));
        })
        .click(L"btn_start")
        .waitFor([&] { return dlg.step() == 2; })
        .then([&] {
            EXPECT_EQ(pageSkin(dlg), L"bg_guide2_imglist");
            EXPECT_FALSE(shown(dlg, L"btn_start"));
            EXPECT_TRUE(shown(dlg, L"btn_iKown"));
            const POINT at = placeOf(dlg, L"btn_iKown");
            EXPECT_EQ(at.x, 203);
            EXPECT_EQ(at.y, 417);
        })
        .click(L"btn_close")
        .waitFor([&] { return dlg.step() == 10; })
        .then([&] {
            EXPECT_EQ(pageSkin(dlg), L"bg_guide10_imglist");
            EXPECT_TRUE(shown(dlg, L"btn_end"));
            EXPECT_TRUE(shown(dlg, L"btn_cancel"));
            EXPECT_FALSE(shown(dlg, L"btn_iKown"));
        })
        .click(L"btn_cancel")
        .waitFor([&] { return dlg.step() == 2; })
        .then([&] {
            EXPECT_EQ(pageSkin(dlg), L"bg_guide2_imglist");
            EXPECT_TRUE(shown(dlg, L"btn_iKown"));
            EXPECT_FALSE(shown(dlg, L"btn_end"));
            // "203, 417" is the layout's own place.
            const POINT at = placeOf(dlg, L"btn_iKown");
            EXPECT_EQ(at.x, 203);
            EXPECT_EQ(at.y, 417);
        })
        .click(L"btn_close")
        .waitFor([&] { return dlg.step() == 10; })
        .click(L"btn_close");
    EXPECT_EQ(script.run(dlg), 8);
    EXPECT_TRUE(script.allStepsRan());
}

TEST_F(GuideDialog, WalkingTheTourToTheEndReturnsEight) {
    CGuideDlg dlg;
    ModalScript script;
    script.click(L"btn_start").waitFor([&] { return dlg.step() == 2; });
    for (int page = 3; page <= 9; ++page) {
        script.click(L"btn_iKown").waitFor([&dlg, page] { return dlg.step() == page; });
    }
    script
        .then([&] {
            EXPECT_EQ(pageSkin(dlg), L"bg_guide9_imglist");
            EXPECT_FALSE(shown(dlg, L"btn_iKown"));
            ASSERT_TRUE(shown(dlg, L"btn_reGuide"));
            ASSERT_TRUE(shown(dlg, L"btn_start"));
            EXPECT_EQ(placeOf(dlg, L"btn_reGuide").x, 412);
            EXPECT_EQ(placeOf(dlg, L"btn_reGuide").y, 420);
            EXPECT_EQ(placeOf(dlg, L"btn_start").x, 221);
            EXPECT_EQ(placeOf(dlg, L"btn_start").y, 420);
        })
        .click(L"btn_start");
    EXPECT_EQ(script.run(dlg), 8);
    EXPECT_TRUE(script.allStepsRan());
}

}  // namespace
