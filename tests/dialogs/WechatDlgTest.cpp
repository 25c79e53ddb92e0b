// The image dialog over its real layout: its close button ends it with 8.
#include <windows.h>

#include <gtest/gtest.h>

#include "DialogUi.h"
#include "ModalScript.h"
#include "WechatDlg.h"

using dlgtest::ModalScript;

TEST(WechatDialog, CloseButtonEndsWithEight) {
    ASSERT_NE(dlgtest::dialogUi(), nullptr);
    WechatDlg dlg;
    ModalScript script;
    script
        .then([&] {
            SOUI::SWindow* close = dlg.FindChildByName(L"btn_close");
            ASSERT_NE(close, nullptr);
            RECT rc;
            close->GetWindowRect(&rc);
            // The library's system resources give the button its face, and so its size.
            EXPECT_GT(rc.right - rc.left, 0);
        })
        .click(L"btn_close");
    EXPECT_EQ(script.run(dlg), 8);
    EXPECT_TRUE(script.allStepsRan());
}
