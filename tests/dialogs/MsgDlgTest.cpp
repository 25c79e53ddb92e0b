// The start page over its real layout: the list from the history text, opening and forgetting
// records, clearing, the account button and browsing through the PDF control stand-in.
#include <windows.h>

#include <foundation/AppState.h>
#include <foundation/IniFile.h>
#include <gtest/gtest.h>
#include <soui/SHostWnd.h>

#include <string>
#include <vector>

#include "DialogUi.h"
#include "ModalScript.h"
#include "MsgDlg.h"
#include "PdfControlAccess.h"
#include "RealWndOperations.h"
#include "TestMainWindow.h"
#include "WkeDlg.h"
#include "classlib/ControlContainer.h"
#include "support/ControlTestSupport.h"
#include "support/FakeElement.h"

using dlgtest::ModalScript;

namespace {

// One list item as the page shows it; empty when hidden.
struct Item {
    std::wstring name, pages, tip;
    bool operator==(const Item&) const = default;
};

void PrintTo(const Item& i, std::ostream* os) {
    *os << testing::PrintToString(i.name) << " " << testing::PrintToString(i.pages) << " "
        << testing::PrintToString(i.tip);
}

std::string storedHistory() {
    return readIniString("App", "history", "<none>", g_appState.iniPath.c_str());
}

class StartPage : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(dlgtest::dialogUi(), nullptr);
        dlgtest::createTestMainWindow();
        g_appState.doLogin = 1;
        g_appState.user.loggedIn = 0;
        ASSERT_TRUE(g_appState.saveHistory(L"stored history"));
    }
    void TearDown() override {
        dlgtest::destroyTestMainWindow();
        g_appState.historyText = L"";
        g_appState.user.loggedIn = 0;
        g_appState.doLogin = 1;
    }

    static std::vector<Item> items(CMsgDlg& dlg) {
        std::vector<Item> shown;
        for (const wchar_t* name : {L"list_item1", L"list_item2", L"list_item3", L"list_item4"}) {
            SOUI::SWindow* item = dlg.FindChildByName(name);
            if (!item) {
                ADD_FAILURE() << "no " << testing::PrintToString(name);
                continue;
            }
            if (!item->IsVisible(TRUE)) {
                shown.push_back({});
                continue;
            }
            shown.push_back({item->FindChildByName(L"txt_fileName")->GetWindowText().c_str(),
                             item->FindChildByName(L"txt_pageNum")->GetWindowText().c_str(),
                             item->GetToolTipText().c_str()});
        }
        return shown;
    }

    // Runs a page over the history text: the items when it is up, then after each click.
    std::vector<std::vector<Item>> run(const wchar_t* history, std::vector<const wchar_t*> clicks) {
        g_appState.historyText = history;
        CMsgDlg dlg;
        std::vector<std::vector<Item>> seen;
        ModalScript script;
        script.then([&] { seen.push_back(items(dlg)); });
        for (const wchar_t* name : clicks) {
            // Every click is followed by a message of its own, so its handling is over when it arrives.
            script.click(name).then([&] { dlg.PostMessage(WM_NULL); }).then([&] { seen.push_back(items(dlg)); });
        }
        script.then([&] { dlg.EndDialog(IDOK); });
        EXPECT_EQ(script.run(dlg), IDOK);
        EXPECT_TRUE(script.allStepsRan());
        return seen;
    }

    const Item none{};
};

const wchar_t kThree[] = L"1|C:\\docs\\r1.pdf|0|3;2|C:\\docs\\r2.pdf|0|7;3|D:\\other\\r3.pdf|5|12;";

TEST_F(StartPage, ShowsTheLastRecordsFirst) {
    const auto seen = run(kThree, {});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], (std::vector<Item>{{L"r3.pdf", L"12页", L"D:\\other\\r3.pdf"},
                                          {L"r2.pdf", L"7页", L"C:\\docs\\r2.pdf"},
                                          {L"r1.pdf", L"3页", L"C:\\docs\\r1.pdf"},
                                          none}));
}

TEST_F(StartPage, SixRecordsShowTheLastFour) {
    const auto seen = run(L"1|a1|0|1;2|a2|0|2;3|a3|0|3;4|a4|0|4;5|a5|0|5;6|a6|0|6;", {});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0],
              (std::vector<Item>{
                  {L"a6", L"6页", L"a6"}, {L"a5", L"5页", L"a5"}, {L"a4", L"4页", L"a4"}, {L"a3", L"3页", L"a3"}}));
}

TEST_F(StartPage, NoHistoryHidesEveryItem) {
    const auto seen = run(L"", {});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], (std::vector<Item>{none, none, none, none}));
}

TEST_F(StartPage, DeleteButtonForgetsTheRecordOfItsItemButNotTheStoredHistory) {
    const auto seen = run(kThree, {L"btn_delete2"});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1],
              (std::vector<Item>{
                  {L"r3.pdf", L"12页", L"D:\\other\\r3.pdf"}, {L"r1.pdf", L"3页", L"C:\\docs\\r1.pdf"}, none, none}));
    EXPECT_EQ(storedHistory(), "stored@history");
}

TEST_F(StartPage, CleanHidesEveryItemAndKeepsTheStoredHistory) {
    const auto seen = run(kThree, {L"btn_clean"});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1], (std::vector<Item>{none, none, none, none}));
    EXPECT_EQ(storedHistory(), "stored@history");
}

TEST_F(StartPage, OpeningAnItemHandsItsPathToTheMainWindow) {
    const auto seen = run(kThree, {L"list_item2"});
    EXPECT_EQ(dlgtest::mainWindowRecord().openedPaths, std::vector<std::wstring>{L"C:\\docs\\r2.pdf"});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1], seen[0]) << "an opened record stays";
}

TEST_F(StartPage, AMissingDocumentLeavesTheList) {
    dlgtest::mainWindowRecord().openResult = [](const std::wstring&) { return 0; };
    const auto seen = run(kThree, {L"list_item1"});
    EXPECT_EQ(dlgtest::mainWindowRecord().openedPaths, std::vector<std::wstring>{L"D:\\other\\r3.pdf"});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1],
              (std::vector<Item>{
                  {L"r2.pdf", L"7页", L"C:\\docs\\r2.pdf"}, {L"r1.pdf", L"3页", L"C:\\docs\\r1.pdf"}, none, none}));
}

TEST_F(StartPage, ForgettingOneOfTwoEqualPathsRemovesTheEarlierRecord) {
    // Both records show; item 1 shows the later one, but the first match in the list goes.
    const auto seen = run(L"1|C:\\same.pdf|0|1;2|C:\\mid.pdf|0|2;3|C:\\same.pdf|0|9;", {L"btn_delete1"});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], (std::vector<Item>{{L"same.pdf", L"9页", L"C:\\same.pdf"},
                                          {L"mid.pdf", L"2页", L"C:\\mid.pdf"},
                                          {L"same.pdf", L"1页", L"C:\\same.pdf"},
                                          none}));
    EXPECT_EQ(seen[1], (std::vector<Item>{
                           {L"same.pdf", L"9页", L"C:\\same.pdf"}, {L"mid.pdf", L"2页", L"C:\\mid.pdf"}, none, none}));
}

TEST_F(StartPage, AccountButtonFollowsTheSwitchAndTheSignIn) {
    struct Case {
        int doLogin;
        int loggedIn;
        bool shown;
        const wchar_t* text;
    };
    for (const Case& c : {Case{0, 0, false, L"登陆"}, Case{1, 0, true, L"登陆"}, Case{1, 1, true, L"账户信息"}}) {
        g_appState.doLogin = c.doLogin;
        g_appState.user.loggedIn = c.loggedIn;
        CMsgDlg dlg;
        ModalScript script;
        script.then([&] {
            SOUI::SWindow* button = dlg.FindChildByName(L"btn_login");
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->IsVisible(TRUE) != 0, c.shown) << c.doLogin;
            EXPECT_EQ(std::wstring(button->FindChildByName(L"txt_login")->GetWindowText().c_str()), c.text);
            dlg.EndDialog(IDOK);
        });
        EXPECT_EQ(script.run(dlg), IDOK);
    }
}

TEST_F(StartPage, SignedInAccountButtonShowsTheAccountInformation) {
    g_appState.user.loggedIn = 1;
    CMsgDlg dlg;
    ModalScript script;
    script.click(L"btn_login").waitFor([] { return dlgtest::mainWindowRecord().userInfoShown == 1; }).then([&] {
        dlg.EndDialog(IDOK);
    });
    EXPECT_EQ(script.run(dlg), IDOK);
    EXPECT_TRUE(script.allStepsRan());
    EXPECT_EQ(dlgtest::testMainWindow()->webDlg, nullptr);
}

TEST_F(StartPage, SignedOutAccountButtonRunsANewSignInDialog) {
    CMsgDlg dlg;
    ModalScript script;
    // The sign-in dialog runs modally inside the click; close it with its own button.
    auto signIn = [] { return dlgtest::testMainWindow()->webDlg; };
    script.click(L"btn_login")
        .waitFor([&] { return signIn() && signIn()->m_hWnd && IsWindowVisible(signIn()->m_hWnd); })
        .then([&] { EXPECT_EQ(signIn()->mode, 1); })
        .click([&]() -> SOUI::SWindow* { return signIn()->FindChildByName(L"btn_close"); },
               [&] { return signIn()->m_hWnd; })
        .waitFor([&] { return signIn()->m_hWnd == nullptr; })
        .then([&] { dlg.EndDialog(IDOK); });
    EXPECT_EQ(script.run(dlg), IDOK);
    EXPECT_TRUE(script.allStepsRan());
    ASSERT_NE(dlgtest::testMainWindow()->webDlg, nullptr) << "the main window keeps the newest sign-in dialog";
    delete dlgtest::testMainWindow()->webDlg;
}

// The control's wrapper is process-wide: first without its window, then with one.
class StartPageBrowse : public StartPage {
  protected:
    void SetUp() override {
        StartPage::SetUp();
        ASSERT_TRUE(module.registered());
        AfxEnableControlContainer();
    }
    int browseCommands() { return pdftest::countLines(module.journalLines(), L"X.92(\"cmd.browseForOpen\", 0)"); }
    INT_PTR pressOpenMore(CMsgDlg& dlg, std::function<void(ModalScript&)> whileOpen) {
        ModalScript script;
        script.click(L"btn_openMore");
        whileOpen(script);
        script.then([&] { dlg.PostMessage(WM_NULL); }).then([&] { dlg.EndDialog(IDOK); });
        const INT_PTR code = script.run(dlg);
        EXPECT_TRUE(script.allStepsRan());
        return code;
    }
    pdftest::ControlModule module;
};

TEST_F(StartPageBrowse, WithoutTheControlWindowNothingHappens) {
    ASSERT_NE(getPdfControl(), nullptr);
    ASSERT_EQ(getPdfControl()->m_hWnd, nullptr);
    module.clearJournal();
    CMsgDlg dlg;
    EXPECT_EQ(pressOpenMore(dlg, [](ModalScript&) {}), IDOK);
    EXPECT_EQ(browseCommands(), 0) << module.journal();
}

TEST_F(StartPageBrowse, RunsTheControlsOpenCommand) {
    pdftest::HostWindow host;
    FakeElement element(L"PXVControl", host.hwnd());
    ASSERT_NE(PXV::createPdfControlWindow(element), nullptr);
    module.clearJournal();
    CMsgDlg dlg;
    // The control asks for a file in a dialog of its own; the user cancels it.
    HWND picker = nullptr;
    const INT_PTR code = pressOpenMore(dlg, [&](ModalScript& script) {
        script
            .waitFor([&] {
                picker = FindWindowW(L"#32770", nullptr);
                return picker && GetWindowThreadProcessId(picker, nullptr) == GetCurrentThreadId();
            })
            .then([&] { PostMessageW(picker, WM_COMMAND, IDCANCEL, 0); })
            .waitFor([&] { return !IsWindow(picker); });
    });
    EXPECT_EQ(code, IDOK);
    EXPECT_EQ(browseCommands(), 1) << module.journal();
    PXV::destroyPdfControlWindow(element);
}

}  // namespace
