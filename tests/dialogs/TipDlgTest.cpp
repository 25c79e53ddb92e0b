// The prompt over its real layout: its codes, the centring rule and the order in which it fills
// its texts, with and without a main window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlJournal.h"
#include "DialogUi.h"
#include "ModalScript.h"
#include "TestMainWindow.h"
#include "TipDlg.h"

using dlgtest::ModalScript;

namespace {

struct Lines {
    const wchar_t* text;
    const wchar_t* line1;
    const wchar_t* line2;
    const wchar_t* line3;
};

class TipDialog : public testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(dlgtest::dialogUi(), nullptr); }
    void TearDown() override { dlgtest::destroyTestMainWindow(); }

    static std::wstring textOf(CTipDlg& dlg, const wchar_t* name) {
        SOUI::SWindow* w = dlg.FindChildByName(name);
        return w ? w->GetWindowText().c_str() : L"<missing>";
    }
};

TEST_F(TipDialog, EachButtonEndsWithItsCode) {
    struct Case {
        const wchar_t* button;
        INT_PTR code;
    };
    for (const Case& c : {Case{L"btn_dir_ok", 1}, Case{L"btn_dir_cancel", 2}, Case{L"btn_close", 8}}) {
        CTipDlg dlg(L"该文件不存在！", L"", L"", L"", L"确定", L"取消", L"提示");
        ModalScript script;
        script.click(c.button);
        EXPECT_EQ(script.run(dlg), c.code) << c.button;
        EXPECT_TRUE(script.allStepsRan());
        EXPECT_EQ(dlg.m_hWnd, nullptr);
    }
}

TEST_F(TipDialog, EmptyCaptionsAndTitleAreShownEmptyAndTheButtonsStillEnd) {
    for (const wchar_t* button : {L"btn_dir_ok", L"btn_dir_cancel"}) {
        CTipDlg dlg(L"是否登录账号？", L"", L"", L"", L"", L"", L"");
        ModalScript script;
        script
            .then([&] {
                // The layout's placeholders are replaced by the empty texts.
                EXPECT_EQ(textOf(dlg, L"title_name"), L"");
                EXPECT_EQ(textOf(dlg, L"btn_dir_ok"), L"");
                EXPECT_EQ(textOf(dlg, L"btn_dir_cancel"), L"");
                // The captions can also be set straight on the buttons.
                dlg.setOkCaption(L"免费登录");
                dlg.setCancelCaption(L"取消");
                EXPECT_EQ(textOf(dlg, L"btn_dir_ok"), L"免费登录");
                EXPECT_EQ(textOf(dlg, L"btn_dir_cancel"), L"取消");
            })
            .click(button);
        EXPECT_EQ(script.run(dlg), wcscmp(button, L"btn_dir_ok") == 0 ? 1 : 2);
        EXPECT_TRUE(script.allStepsRan());
    }
}

TEST_F(TipDialog, AtMostOneLineIsCentredAndTheTextsAreSetInOrder) {
    struct Case {
        Lines lines;
        bool centred;
    };
    const Case cases[] = {
        {{L"", L"", L"", L""}, true},
        {{L"该文件不存在！", L"", L"", L""}, true},
        {{L"", L"", L"", L"只有第四行"}, true},
        {{L"", L"第二行", L"", L""}, true},
        {{L"是否登录账号？", L"需要登录账号才能执行保存操作！", L"", L""}, false},
        {{L"", L"", L"第三行", L"第四行"}, false},
        {{L"发现新版本，是否立即升级到最新版本?", L"1、修复预览偶尔导致程序崩溃的问题；",
          L"2、增加深度扫描恢复的文件类型；", L"3、修复其他累积的bug。"},
         false},
        // A blank is text.
        {{L" ", L" ", L"", L""}, false},
    };
    for (const Case& c : cases) {
        const Lines& l = c.lines;
        EXPECT_EQ(tipLinesCentred(l.text, l.line1, l.line2, l.line3), c.centred) << testing::PrintToString(l.text);

        CTipDlg dlg(l.text, l.line1, l.line2, l.line3, L"下载更新", L"取消", L"更新");
        dlgtest::controlJournal().clear();
        std::vector<std::wstring> shown;
        ModalScript script;
        script
            .then([&] {
                for (const wchar_t* name : {L"pro_text", L"flush_str1", L"flush_str2", L"flush_str3"}) {
                    shown.push_back(textOf(dlg, name));
                }
            })
            .click(L"btn_dir_ok");
        EXPECT_EQ(script.run(dlg), 1);

        std::vector<std::wstring> expected;
        if (c.centred) {
            for (const wchar_t* name : {L"pro_text", L"flush_str1", L"flush_str2", L"flush_str3"}) {
                expected.push_back(std::wstring(name) + L".align=center");
            }
        }
        const std::wstring texts[][2] = {{L"title_name", L"更新"},    {L"pro_text", l.text},
                                         {L"flush_str1", l.line1},    {L"flush_str2", l.line2},
                                         {L"flush_str3", l.line3},    {L"btn_dir_ok", L"下载更新"},
                                         {L"btn_dir_cancel", L"取消"}};
        for (const auto& t : texts) {
            expected.push_back(t[0] + L".text=" + t[1]);
        }
        EXPECT_EQ(dlgtest::controlJournal(), expected) << testing::PrintToString(l.text);
        EXPECT_EQ(shown, (std::vector<std::wstring>{l.text, l.line1, l.line2, l.line3}));
    }
}

TEST_F(TipDialog, RaisesTheMainWindowWhenThereIsOne) {
    dlgtest::TestMainWindow* main = dlgtest::createTestMainWindow();
    ASSERT_NE(main->m_hWnd, nullptr);
    main->ShowWindow(SW_SHOWNORMAL);
    // Another window of the process has the foreground when the prompt comes.
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    dlgtest::mainWindowRecord().activations = 0;

    CTipDlg dlg(L"该文件不存在！", L"", L"", L"", L"确定", L"取消", L"提示");
    int activationsWhenShown = -1;
    ModalScript script;
    script.then([&] { activationsWhenShown = dlgtest::mainWindowRecord().activations; }).click(L"btn_dir_cancel");
    EXPECT_EQ(script.run(dlg, main->m_hWnd), 2);
    EXPECT_GE(activationsWhenShown, 1) << "the main window was brought to the foreground";
    DestroyWindow(other);
}

TEST_F(TipDialog, WithoutMainWindowShowsAndMakesNone) {
    ASSERT_EQ(mainWindowLink(), nullptr);
    CTipDlg dlg(L"发现新版本，是否立即升级到最新版本?", L"1、修复预览偶尔导致程序崩溃的问题；",
                L"2、增加深度扫描恢复的文件类型；", L"3、修复其他累积的bug。", L"下载更新", L"取消", L"更新");
    ModalScript script;
    script.then([&] { EXPECT_EQ(textOf(dlg, L"pro_text"), L"发现新版本，是否立即升级到最新版本?"); })
        .click(L"btn_close");
    EXPECT_EQ(script.run(dlg), 8);
    EXPECT_TRUE(script.allStepsRan());
    EXPECT_EQ(mainWindowLink(), nullptr);
}

}  // namespace
