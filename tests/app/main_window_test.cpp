// The main window in this process, over the program's resources and the PDF control stand-in:
// its creation and the control's set-up, the message map, size changes, the account area, the
// control's events and the close sequence. There is one main window per process, so the tests
// run in this order and the close sequence comes last.
#include <windows.h>

#include <gtest/gtest.h>
#include <soui/SStrCpCvt.h>

#include "MainDlg.h"
#include "PdfControlAccess.h"
#include "PdfEditControl.h"
#include "foundation/AppState.h"
#include "support/RecordingDialogs.h"
#include "support/ShellFixture.h"

namespace {

using pdftest::countLines;
using pdftest::inOrder;
using shelltest::answers;
using shelltest::controlModule;

[[maybe_unused]] SOUI::SWindow* element(const wchar_t* name) {
    return g_mainDlg ? g_mainDlg->FindChildByName(name) : nullptr;
}

[[maybe_unused]] std::wstring setting(const wchar_t* key) {
    return g_appState.readAppString(key).c_str();
}

// A layout coordinate as written: "-415" counts from the far edge.
[[maybe_unused]] int posValue(SOUI::SWindow* window, int index) {
    const SOUI::SPosItem& item = window->GetLayoutParam().pos[index];
    return item.kind == SOUI::SPosItem::FromEnd ? -item.value : item.value;
}

class MainWindow : public testing::Test {
  protected:
    void SetUp() override {
        dialogScript().reset();
        answers().reset();
    }
    std::wstring journal() const { return controlModule().journal(); }
    std::vector<std::wstring> lines() const { return controlModule().journalLines(); }
};

TEST_F(MainWindow, CreationConfiguresTheControlOnceAndShowsTheButtonsOfTheSwitches) {
    ASSERT_EQ(g_mainDlg, nullptr) << "this test must run first in its process";
    g_appState.doLogin = 0;
    g_appState.editButtonVisible = 1;
    g_appState.readButtonVisible = 0;
    g_appState.convertButtonVisible = 1;
    controlModule().clearJournal();

    CMainDlg* main = getMainDlg();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(getMainDlg(), main);
    EXPECT_EQ(main->initialised, 1);
    EXPECT_EQ(main->pdfControl, g_pdfControl);
    ASSERT_TRUE(IsWindow(main->m_hWnd));
    EXPECT_FALSE(IsWindowVisible(main->m_hWnd)) << "shown by the entry point, not here";
    EXPECT_EQ(answers().userDataCalls, 0) << "no profile request with the sign-in switch off";
    ADD_FAILURE() << journal();
}

}  // namespace
