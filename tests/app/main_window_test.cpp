// The main window in this process, over the program's resources and the PDF control stand-in:
// its creation and the control's set-up, the message map, size changes, the account area, the
// control's events and the close sequence. There is one main window per process, so the tests
// run in this order and the close sequence comes last.
#include <windows.h>

#include <gtest/gtest.h>
#include <soui/SEvents.h>
#include <soui/SStrCpCvt.h>

#include <deque>
#include <memory>
#include <optional>
#include <stdexcept>
#include <type_traits>

#include "MainDlg.h"
#include "PdfControlAccess.h"
#include "PdfEditControl.h"
#include "ShellEnvironment.h"
#include "SingleInstance.h"
#include "Updater.h"
#include "foundation/AppState.h"
#include "foundation/UniqueHandle.h"
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

// What the window shows of an element: its rectangle and its client rectangle.
[[maybe_unused]] RECT rectOf(SOUI::SWindow* window) {
    RECT rc;
    window->GetWindowRect(&rc);
    return rc;
}

[[maybe_unused]] RECT clientOf(SOUI::SWindow* window) {
    RECT rc;
    window->GetClientRect(&rc);
    return rc;
}

// The border between an element's rectangle and its client rectangle (its margin), as laid out.
[[maybe_unused]] std::vector<LONG> borderOf(SOUI::SWindow* window) {
    const RECT rc = rectOf(window), client = clientOf(window);
    return {client.left - rc.left, client.top - rc.top, rc.right - client.right, rc.bottom - client.bottom};
}

// How far the account area's name stands from the left of the account button's client area.
[[maybe_unused]] LONG nameExtent() {
    return rectOf(element(L"user_name")).left - clientOf(element(L"btn_log")).left;
}

// A layout coordinate as written: "-415" counts from the far edge.
[[maybe_unused]] int posValue(SOUI::SWindow* window, int index) {
    const SOUI::SPosItem& item = window->GetLayoutParam().pos[index];
    return item.kind == SOUI::SPosItem::FromEnd ? -item.value : item.value;
}

// A one-page sample PDF written into `dir` and opened in the main window's control; its path.
std::wstring openSample(CMainDlg& main, const std::wstring& dir, const wchar_t* name) {
    const std::wstring path = dir + name;
    pdftest::writeSamplePdf(path, 1);
    main.openFile(path.c_str());
    return path;
}

ULONG openCount(CMainDlg& main) {
    ULONG n = 0;
    main.pdfControl->takeInstance()->GetDocumentCount(&n);
    return n;
}

class MainWindow : public testing::Test {
  protected:
    void SetUp() override {
        dialogScript().reset();
        answers().reset();
    }
    std::wstring journal() const { return controlModule().journal(); }
    std::vector<std::wstring> lines() const { return controlModule().journalLines(); }
    // The user closes the active document in the control, answering its question about unsaved
    // changes with "don't save" when one is asked; returns once the closed-document event has been
    // handled.
    void userClosesActive(bool asked) {
        controlModule().clearJournal();
        std::optional<pdftest::MessageBoxAnswer> drop;
        if (asked) {
            drop.emplace(IDNO);
        }
        EXPECT_EQ(controlModule().closeDocument(), 1);
        if (drop) {
            ASSERT_TRUE(drop->finish());
        }
        ASSERT_TRUE(pdftest::pumpUntil([&] { return countLines(lines(), L"X.20()") > 0; })) << journal();
        pdftest::pumpPending();
    }
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

    // The events are enabled first, every name looked up afresh, then the chains in their order.
    auto log = lines();
    EXPECT_EQ(countLines(log, L"X.45("), 15);
    EXPECT_EQ(countLines(log, L"C.0x60020039("), 15);
    EXPECT_TRUE(inOrder(
        log, {L"C.101 put 1", L"X.45(\"e.documentView.beforeClose\", 0)", L"X.45(\"e.document.sourceChanged\", 0)",
              L"X.169(1)", L"X.17() -> A", L"A.15() -> B", L"B.34() -> Y", L"Y.12(4) -> Y[4]", L"Y[4].8(3) -> Y[4][3]",
              L"Y[4][3].12(1) -> Y[4][3][1]", L"Y[4][3][1].25(2, 1)",
              // The default switches hide the tabs 6, 7 and 9.
              L"Y.12(6) -> Y[6]", L"Y[6].18(1)", L"Y.12(7) -> Y[7]", L"Y[7].18(1)", L"Y.12(9) -> Y[9]", L"Y[9].18(1)",
              L"B.42() -> H", L"H.8(5) -> H[5]", L"H[5].8(7) -> H[5][7]", L"H[5][7].20(3)", L"B.35() -> K",
              L"K.12(0) -> K[0]", L"K[0].8(4) -> K[0][4]", L"K[0].8(3) -> K[0][3]", L"K[0][4].style.20(3)",
              L"K[0][3].style.20(2)", L"X.106() -> S", L"S.33(\"Docs.SingleWnd\", 0)",
              L"S.37(\"General.AppTitle\", \"BravikPDF编辑器\")", L"S.41(VT_BSTR \"CustomUI\") -> S/CustomUI",
              L"S/CustomUI.41(VT_BSTR \"Colors\") -> S/CustomUI/Colors", L"S/CustomUI/Colors#1.37(\"ID\", \"Hot\")",
              L"S/CustomUI/Colors#1.37(\"Value\", \"rgbd(190,190,190)\")",
              L"S/CustomUI/Colors#2.37(\"ID\", \"selection\")", L"X.95(9, 0)", L"X.95(18, 0)", L"A.14() -> Q1",
              L"Q3.17(1024, 0, 1024, 0)", L"A.26() -> T", L"T.14() -> T2", L"T2.11() -> Q2", L"Q3.17(1024, 0, 1024, 0)",
              L"X.28(\"UIX\") -> UIX", L"UIX.70() -> V", L"B.7() -> W", L"V.43(W, 1, 0)"}))
        << journal();
    EXPECT_EQ(countLines(log, L".18(1)"), 3) << journal();
    EXPECT_EQ(countLines(log, L"H.20(18)"), 5) << journal();
    const int first = pdftest::findLine(log, L"H.20(18)");
    for (int i = 1; i < 5; ++i) {
        EXPECT_NE(log[static_cast<size_t>(first + i)].find(L"H.20(18)"), std::wstring::npos) << "one after the other";
    }

    // The buttons follow the switches; the convert button takes the read button's place.
    EXPECT_TRUE(element(L"btn_edit")->IsVisible());
    EXPECT_FALSE(element(L"btn_read")->IsVisible());
    EXPECT_TRUE(element(L"btn_convert")->IsVisible());
    EXPECT_EQ(posValue(element(L"btn_convert"), 0), 240);
    EXPECT_EQ(posValue(element(L"btn_convert"), 1), 20);
}

TEST_F(MainWindow, MessageMapAnswersAndKeepsEachLevelsHandledFlag) {
    CMainDlg& main = *g_mainDlg;
    struct Case {
        UINT msg;
        WPARAM wParam;
        BOOL handled;
        LRESULT result;
    } cases[] = {
        {WM_MOVE, 0, TRUE, 0},
        {WM_COMMAND, MAKEWPARAM(5, 0), TRUE, 0},
        {WM_COMMAND, MAKEWPARAM(1, 1), TRUE, 0},  // a notification code: nothing runs
        {WM_COMMAND, MAKEWPARAM(40, 0), TRUE, 0},
        {WM_USER + 100, 0, FALSE, 1},  // through the whole map; the reflection's result stays
    };
    for (const Case& c : cases) {
        main.msgHandled = 7;
        LRESULT result = 12345;
        EXPECT_EQ(main.ProcessWindowMessage(main.m_hWnd, c.msg, c.wParam, 0, result, 0), c.handled) << c.msg;
        EXPECT_EQ(result, c.result) << c.msg;
        EXPECT_EQ(main.msgHandled, 7) << "restored after message " << c.msg;
    }
    LRESULT untouched = 99;
    EXPECT_FALSE(main.ProcessWindowMessage(main.m_hWnd, WM_MOVE, 0, 0, untouched, 1)) << "another map ID";
    EXPECT_EQ(untouched, 99);
    EXPECT_EQ(answers().shellCalls, 0);

    // Nested: a sign-in dialog opened by WM_LOGIN_DONE runs while a size message (whose handler
    // clears the flag) reaches the window; the outer message is still handled.
    answers().userDataResult = 0;
    dialogScript().whileLoginOpen = [&] { main.SendMessage(WM_SIZE, SIZE_MINIMIZED, 0); };
    LRESULT result = 5;
    EXPECT_TRUE(main.ProcessWindowMessage(main.m_hWnd, WM_LOGIN_DONE, 0, 0, result, 0));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(dialogScript().count(L"login"), 1);
    EXPECT_EQ(main.SendMessage(WM_SHOW_LOGIN), 0);
    EXPECT_EQ(dialogScript().count(L"login"), 2);
}

TEST_F(MainWindow, CommandsOpenPagesAndTheUpdateCheck) {
    CMainDlg& main = *g_mainDlg;
    struct Case {
        UINT id;
        const wchar_t* file;
        int show;
    } pages[] = {{1, L"https://www.example.com/pdfbianji/jiaocheng", SW_SHOWNORMAL},
                 {2, L"imchat://", SW_SHOW},
                 {3, L"imchat://", SW_SHOW}};
    for (const Case& c : pages) {
        answers().reset();
        EXPECT_EQ(main.SendMessage(WM_COMMAND, MAKEWPARAM(c.id, 0), 0), 0);
        EXPECT_EQ(answers().shellCalls, 1) << c.id;
        EXPECT_EQ(answers().lastShellVerb, L"open") << c.id;
        EXPECT_EQ(answers().lastShellFile.rfind(c.file, 0), 0u) << answers().lastShellFile;
        EXPECT_EQ(answers().lastShellShow, c.show) << c.id;
    }

    answers().reset();
    g_appState.updateAvailable = 0;
    main.SendMessage(WM_COMMAND, MAKEWPARAM(4, 0), 0);
    EXPECT_EQ(answers().lastMessageBox, L"已经是最新版本！");
    EXPECT_EQ(dialogScript().count(L"prompt"), 0);

    // With an update, declining the offer leaves everything as it was.
    g_appState.updateAvailable = 1;
    dialogScript().promptCodes = {8};
    main.SendMessage(WM_COMMAND, MAKEWPARAM(4, 0), 0);
    ASSERT_EQ(dialogScript().count(L"prompt"), 1);
    EXPECT_EQ(dialogScript().shown[0].texts[2], L"2、优化程序,提升程序的运行效率；");
    EXPECT_EQ(dialogScript().shown[0].texts[6], L"更新");
    EXPECT_EQ(answers().shellCalls, 0);
    EXPECT_TRUE(IsWindow(main.m_hWnd));

    // Accepted with no document open, but the shell cannot start the updater: the user is told
    // over the main window, the engine hears of no exit and the program goes on.
    dialogScript().reset();
    dialogScript().promptCodes = {1, 1};
    answers().shellResult = SE_ERR_FNF;
    controlModule().clearJournal();
    main.SendMessage(WM_COMMAND, MAKEWPARAM(4, 0), 0);
    EXPECT_EQ(countLines(lines(), L"X.11("), 0) << journal();
    EXPECT_EQ(answers().shellCalls, 1);
    EXPECT_EQ(answers().lastShellVerb, L"open");
    EXPECT_EQ(answers().lastShellFile, L"Updrell.exe");
    EXPECT_EQ(answers().lastShellShow, SW_SHOW);
    ASSERT_EQ(dialogScript().count(L"prompt"), 2);
    EXPECT_EQ(dialogScript().shown[1].texts,
              (std::vector<std::wstring>{L"无法启动升级程序！", L"", L"", L"", L"确定", L"取消", L"提示"}));
    EXPECT_EQ(dialogScript().shown[1].owner, main.m_hWnd);
    EXPECT_TRUE(IsWindow(main.m_hWnd));
    EXPECT_FALSE(g_exitRequested);
    EXPECT_FALSE(main.updateAfterClosing);
    g_appState.updateAvailable = 0;

    // The account menu's information item.
    main.SendMessage(WM_COMMAND, MAKEWPARAM(12, 0), 0);
    EXPECT_EQ(dialogScript().count(L"userInfo"), 1);
}

TEST_F(MainWindow, AnErrorInAHandlerStopsThatMessageOnly) {
    CMainDlg& main = *g_mainDlg;
    g_appState.updateAvailable = 0;
    ShellEnvironment& shell = shellEnvironment();
    const auto kept = shell.messageBox;
    shell.messageBox = [](HWND, const wchar_t*, const wchar_t*, UINT) -> int {
        throw std::runtime_error("no memory for the notice");
    };
    main.msgHandled = 5;
    EXPECT_EQ(main.SendMessage(WM_COMMAND, MAKEWPARAM(4, 0), 0), 0);
    shell.messageBox = kept;
    EXPECT_EQ(main.msgHandled, 5) << "the outer handler's flag survives";
    EXPECT_TRUE(IsWindow(main.m_hWnd));

    // The next message runs as ever.
    answers().reset();
    main.SendMessage(WM_COMMAND, MAKEWPARAM(4, 0), 0);
    EXPECT_EQ(answers().lastMessageBox, L"已经是最新版本！");
}

TEST_F(MainWindow, CaptionButtonsActByTheirSendersName) {
    CMainDlg& main = *g_mainDlg;
    auto press = [&](const wchar_t* name) {
        SOUI::EventCmd evt(nullptr, 0, name);
        return main._HandleEvent(&evt);
    };
    // The converter starts when it lies in the current folder, else its page opens.
    wchar_t saved[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, saved);
    const std::wstring dir = shelltest::scratchFolder(L"caption");
    ASSERT_TRUE(SetCurrentDirectoryW(dir.c_str()));
    DeleteFileW(L"convert\\Transvera.exe");  // Wine reuses process IDs, so the folder may be an old one
    g_appState.customUrl = L"https://service.example.com/client?k=1";
    struct Case {
        const wchar_t* name;
        const wchar_t* file;
        int show;
    } cases[] = {
        {L"btn_read", L"https://www.example.com/pdfyuedu", SW_SHOWNORMAL},
        {L"btn_consultation", L"https://service.example.com/client?k=1", SW_SHOW},
        {L"btn_convert", L"https://www.example.com/pdfzhuanhuan", SW_SHOWNORMAL},
    };
    for (const Case& c : cases) {
        answers().reset();
        EXPECT_TRUE(press(c.name)) << c.name;
        EXPECT_EQ(answers().shellCalls, 1) << c.name;
        EXPECT_EQ(answers().lastShellVerb, L"open") << c.name;
        EXPECT_EQ(answers().lastShellFile, c.file) << c.name;
        EXPECT_EQ(answers().lastShellShow, c.show) << c.name;
    }
    CreateDirectoryW((dir + L"convert").c_str(), nullptr);
    pdftest::writeFileBytes(dir + L"convert\\Transvera.exe", "MZ");
    answers().reset();
    EXPECT_TRUE(press(L"btn_convert"));
    EXPECT_EQ(answers().lastShellVerb, L"open");
    EXPECT_EQ(answers().lastShellFile, L"convert\\Transvera.exe");
    EXPECT_EQ(answers().lastShellParameters, L"");
    EXPECT_EQ(answers().lastShellShow, SW_SHOW);
    DeleteFileW(L"convert\\Transvera.exe");
    SetCurrentDirectoryW(saved);

    // The second form of the customer-service action opens the same page.
    answers().reset();
    openCustomerService();
    EXPECT_EQ(answers().lastShellVerb, L"open");
    EXPECT_EQ(answers().lastShellFile, L"https://service.example.com/client?k=1");
    EXPECT_EQ(answers().lastShellShow, SW_SHOW);

    // The edit button acts only on an open document; names are compared exactly.
    controlModule().clearJournal();
    ASSERT_EQ(main.pdfControl->isDocumentOpen(), FALSE);
    EXPECT_TRUE(press(L"btn_edit"));
    EXPECT_EQ(countLines(lines(), L"X.92("), 0) << journal();
    answers().reset();
    for (const wchar_t* other : {L"BTN_READ", L"btn_read ", L"root", L""}) {
        EXPECT_FALSE(press(other)) << other;
    }
    SOUI::EventArgs notCommand(nullptr, SOUI::EVT_CMD + 1, 0, L"btn_read");
    EXPECT_FALSE(main._HandleEvent(&notCommand));
    EXPECT_EQ(answers().shellCalls, 0);

    // The account button signs in when the profile says nobody is, and both sign-in entries
    // outside the window's own run a new dialog with its code.
    answers().userDataResult = 0;
    EXPECT_TRUE(press(L"btn_log"));
    EXPECT_EQ(dialogScript().count(L"login"), 1);
    dialogScript().loginCodes = {7, 2};
    EXPECT_EQ(requestLogin(), 7);
    CWkeDlg* before = main.webDlg;
    EXPECT_EQ(showLoginDialog(main), 2);
    EXPECT_NE(main.webDlg, before) << "the newest dialog is the window's";
    EXPECT_EQ(dialogScript().count(L"login"), 3);
}

TEST_F(MainWindow, SizeChangesWriteTheFrameStateOnMaximiseAndRestoreOnly) {
    CMainDlg& main = *g_mainDlg;
    SOUI::SWindow* maxButton = element(L"btn_max");
    SOUI::SWindow* restoreButton = element(L"btn_restore");
    ASSERT_TRUE(maxButton && restoreButton);

    SOUI::SWindow* root = element(L"root");
    ASSERT_NE(root, nullptr);
    // Where the caption row stands inside the root (which has a padding of 1).
    auto captionOffset = [root] {
        const RECT rc = rectOf(root), caption = rectOf(root->GetChild(0));
        return std::vector<LONG>{caption.left - rc.left, caption.top - rc.top, rc.right - caption.right};
    };

    main.SendMessage(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(1000, 650));
    EXPECT_EQ(setting(L"frameState"), L"max");
    EXPECT_TRUE(restoreButton->IsVisible());
    EXPECT_FALSE(maxButton->IsVisible());
    // The maximised window draws a border inside the screen's edge: the caption moves in with it.
    EXPECT_EQ(borderOf(root), (std::vector<LONG>{7, 5, 7, 5}));
    EXPECT_EQ(captionOffset(), (std::vector<LONG>{8, 6, 8}));

    main.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(1000, 650));
    EXPECT_EQ(setting(L"frameState"), L"normal");
    EXPECT_FALSE(restoreButton->IsVisible());
    EXPECT_TRUE(maxButton->IsVisible());
    EXPECT_EQ(borderOf(root), (std::vector<LONG>{0, 0, 0, 0}));
    EXPECT_EQ(captionOffset(), (std::vector<LONG>{1, 1, 1}));

    g_appState.writeAppString(L"frameState", L"untouched");
    main.SendMessage(WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_EQ(setting(L"frameState"), L"untouched");
    main.initialised = 0;  // as while the window is being built
    main.SendMessage(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(1000, 650));
    main.initialised = 1;
    EXPECT_EQ(setting(L"frameState"), L"untouched");
    EXPECT_FALSE(restoreButton->IsVisible());
}

TEST_F(MainWindow, AccountAreaShowsHiddenSignedInAndSignedOut) {
    CMainDlg& main = *g_mainDlg;
    SOUI::SWindow* logButton = element(L"btn_log");
    SOUI::SWindow* userName = element(L"user_name");

    g_appState.doLogin = 0;
    main.refreshLoginArea();
    EXPECT_EQ(answers().userDataCalls, 0);
    for (SOUI::SWindow* w : {logButton, userName}) {
        EXPECT_EQ(w->GetLayoutParam().posCount, 4);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(posValue(w, i), 0);
        }
    }

    g_appState.doLogin = 1;
    answers().userDataResult = 1;
    g_appState.user.userName = SOUI::SStrCpCvt::CvtW2A(L"测试用户", CP_ACP);
    g_appState.user.loginMethod = 3;
    main.refreshLoginArea();
    EXPECT_EQ(answers().userDataCalls, 1);
    EXPECT_EQ(std::wstring(logButton->GetSkinName().c_str()), L"btn_phone_normal_imglist");
    EXPECT_EQ(std::wstring(logButton->GetToolTipText().c_str()), L"测试用户");
    EXPECT_EQ(posValue(logButton, 0), -415);
    EXPECT_EQ(std::wstring(userName->GetWindowText().c_str()), L"测试用户");
    EXPECT_EQ(nameExtent(), 65) << "the signed-in name's extent";

    answers().userDataResult = 0;
    main.refreshLoginArea();
    EXPECT_EQ(posValue(logButton, 0), -345);
    EXPECT_EQ(std::wstring(logButton->GetSkinName().c_str()), L"btn_log_imglist");
    EXPECT_EQ(std::wstring(userName->GetToolTipText().c_str()), L"点击登录");
    EXPECT_EQ(std::wstring(userName->GetWindowText().c_str()), L"未登录");
    EXPECT_EQ(nameExtent(), 38) << "the signed-out name's extent";
    EXPECT_EQ(std::wstring(logButton->GetToolTipText().c_str()), L"测试用户") << "the old name stays as the tip";

    // A method without a skin of its own keeps the button's skin.
    answers().userDataResult = 1;
    g_appState.user.loginMethod = 2;
    main.refreshLoginArea();
    EXPECT_EQ(std::wstring(logButton->GetSkinName().c_str()), L"btn_log_imglist");
}

TEST_F(MainWindow, SignInAndSignOut) {
    CMainDlg& main = *g_mainDlg;
    g_appState.doLogin = 1;

    // A completed sign-in: the profile is confirmed, the area redrawn and the newest dialog closed.
    main.showLoginDialog();
    answers().userDataResult = 1;
    EXPECT_EQ(main.SendMessage(WM_LOGIN_DONE), 0);
    EXPECT_EQ(dialogScript().count(L"closeLogin"), 1);
    EXPECT_EQ(answers().userDataCalls, 2) << "onLoginNotify and its refresh";

    // Signing out clears the id in the state and the settings and asks for the switches again.
    g_appState.user.userId = "42";
    g_appState.user.loggedIn = 1;
    g_appState.saveUserId("42");
    answers().reset();
    answers().userDataResult = 0;
    main.SendMessage(WM_COMMAND, MAKEWPARAM(13, 0), 0);
    EXPECT_EQ(g_appState.user.loggedIn, 0);
    EXPECT_TRUE(g_appState.user.userId.IsEmpty());
    EXPECT_TRUE(g_appState.loadUserId().IsEmpty());
    EXPECT_EQ(answers().loadInfoCalls, 1);
    EXPECT_EQ(posValue(element(L"btn_log"), 0), -345);
}

TEST_F(MainWindow, CopyDataOpensAnExistingFileAndNamesAMissingOne) {
    CMainDlg& main = *g_mainDlg;
    const std::wstring dir = shelltest::scratchFolder(L"copydata");
    const std::wstring existing = dir + L"存在.pdf";
    pdftest::writeSamplePdf(existing, 1);
    const std::wstring missing = dir + L"missing.pdf";

    controlModule().clearJournal();
    COPYDATASTRUCT data = {0, static_cast<DWORD>((existing.size() + 1) * sizeof(wchar_t)),
                           const_cast<wchar_t*>(existing.c_str())};
    EXPECT_EQ(main.SendMessage(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 1);
    EXPECT_EQ(countLines(lines(), L"opened \"" + existing + L"\""), 1) << journal();
    EXPECT_EQ(dialogScript().count(L"prompt"), 0);

    // Without its terminator in the data the path is still read within the data only.
    data = {0, static_cast<DWORD>(missing.size() * sizeof(wchar_t)), const_cast<wchar_t*>(missing.c_str())};
    EXPECT_EQ(main.SendMessage(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 1);
    ASSERT_EQ(dialogScript().count(L"prompt"), 1);
    const ShownDialog& prompt = dialogScript().shown[0];
    EXPECT_EQ(prompt.texts, (std::vector<std::wstring>{L"该文件不存在！", L"", L"", L"", L"确定", L"取消", L"提示"}));
    EXPECT_EQ(prompt.owner, main.m_hWnd);

    controlModule().clearJournal();
    main.onCopyData(nullptr);
    EXPECT_EQ(countLines(lines(), L"opened"), 0);
    EXPECT_EQ(g_pdfControl->isDocumentOpen(), TRUE);
}

TEST_F(MainWindow, PendingDocumentsAreTakenFromTheSettingsAndTheKeyEmptied) {
    CMainDlg& main = *g_mainDlg;
    const std::wstring dir = shelltest::scratchFolder(L"pending");
    const std::wstring a = dir + L"a@b 100%.pdf";
    const std::wstring b = dir + L"한국어 ภาษาไทย ß straße.pdf";
    const std::wstring c = dir + L"plain.pdf";
    for (const std::wstring& path : {a, b, c}) {
        pdftest::writeSamplePdf(path, 1);
    }
    struct Case {
        std::wstring commandLine;
        std::vector<std::wstring> opened;
    };
    for (const Case& t : {Case{L"\"" + a + L";" + b + L";\"", {b, a}}, Case{c, {c}}}) {
        ASSERT_TRUE(storePendingCommandLine(t.commandLine.c_str()));
        controlModule().clearJournal();
        EXPECT_EQ(main.SendMessage(WM_OPEN_PENDING_DOC), 0);
        EXPECT_EQ(setting(L"openDocPath"), L"");
        std::vector<std::wstring> opened;
        for (const std::wstring& path : t.opened) {
            opened.push_back(L"opened \"" + path + L"\"");
        }
        EXPECT_TRUE(inOrder(lines(), opened)) << journal();
        EXPECT_EQ(countLines(lines(), L"opened"), static_cast<int>(t.opened.size())) << journal();
    }

    // A damaged value opens nothing and is emptied all the same.
    g_appState.writeAppString(L"openDocPath", (L"\"" + c + L"\"").c_str());
    controlModule().clearJournal();
    EXPECT_EQ(main.SendMessage(WM_OPEN_PENDING_DOC), 0);
    EXPECT_EQ(countLines(lines(), L"open"), 0) << journal();
    EXPECT_EQ(setting(L"openDocPath"), L"");
}

TEST_F(MainWindow, ASecondInstanceFindsOnlyTheMarkedMainWindow) {
    CMainDlg& main = *g_mainDlg;
    wchar_t title[128] = {};
    GetWindowTextW(main.m_hWnd, title, 127);
    ASSERT_NE(title[0], L'\0');
    g_appState.title = title;
    // Another window with the title, as the guide tour or another program may show.
    HWND other = CreateWindowExW(0, L"STATIC", title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(findRunningMainWindow(), nullptr) << "unmarked windows are passed over";
    markMainWindow(main.m_hWnd);
    EXPECT_EQ(findRunningMainWindow(), main.m_hWnd);
    DestroyWindow(other);
}

namespace {

// What the main window's thread is sent, counted by a hook of that thread; on the first hand-off
// the hook can hold the settings file open while the handler runs, as a scanner or a sync tool
// may, so that the handler's emptying of the key fails.
struct HandOffSends {
    HWND window = nullptr;
    int openPending = 0;
    int copyData = 0;
    bool holdSettingsOnce = false;
    UniqueHandle heldSettings;
};
HandOffSends g_sends;

LRESULT CALLBACK countHandOffSend(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->hwnd == g_sends.window) {
        if (sent->message == WM_OPEN_PENDING_DOC && g_sends.openPending++ == 0 && g_sends.holdSettingsOnce) {
            g_sends.heldSettings.reset(CreateFileA(g_appState.iniPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                   OPEN_EXISTING, 0, nullptr));
        }
        g_sends.copyData += sent->message == WM_COPYDATA;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK releaseHeldSettings(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->hwnd == g_sends.window && sent->message == WM_OPEN_PENDING_DOC) {
        g_sends.heldSettings.reset();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The main window's own procedure, answering WM_COPYDATA with 0 as a handler whose error reached the
// boundary does.
WNDPROC g_mainWindowProc = nullptr;
LRESULT CALLBACK answerCopyDataWithZero(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcW(g_mainWindowProc, window, message, wParam, lParam);
    return message == WM_COPYDATA ? 0 : result;
}

// A second launch in this process, on a thread of its own while this thread runs the main window.
class SecondLaunch {
  public:
    explicit SecondLaunch(std::wstring commandLine)
        : commandLine_(std::move(commandLine)),
          thread_(CreateThread(nullptr, 0, &SecondLaunch::run, this, 0, nullptr)) {}
    ~SecondLaunch() {
        if (thread_.valid() && WaitForSingleObject(thread_.get(), 0) == WAIT_TIMEOUT) {
            TerminateThread(thread_.get(), 1);  // it would go on sending to the main window
        }
    }
    SecondLaunch(const SecondLaunch&) = delete;
    SecondLaunch& operator=(const SecondLaunch&) = delete;

    // Runs the main window's messages until the launch has ended, at most for `limit`.
    bool ended(std::chrono::milliseconds limit) {
        return thread_.valid() &&
               pdftest::pumpUntil([&] { return WaitForSingleObject(thread_.get(), 0) == WAIT_OBJECT_0; }, limit);
    }
    HandOffResult result() const { return result_; }

  private:
    static DWORD WINAPI run(void* self) {
        auto* launch = static_cast<SecondLaunch*>(self);
        launch->result_ = handOverToRunningInstance(launch->commandLine_.c_str());
        return 0;
    }
    std::wstring commandLine_;
    HandOffResult result_ = HandOffResult::NotHandedOver;
    UniqueHandle thread_;
};

}  // namespace

// A send that the main window answered is a delivered hand-off, whatever the key holds afterwards
// and whatever the handler answered: the launch ends at once, and nothing is sent or opened twice.
TEST_F(MainWindow, ASecondLaunchEndsOnceTheMainWindowHasAnswered) {
    CMainDlg& main = *g_mainDlg;
    wchar_t title[128] = {};
    GetWindowTextW(main.m_hWnd, title, 127);
    g_appState.title = title;
    markMainWindow(main.m_hWnd);
    const std::wstring dir = shelltest::scratchFolder(L"launches");
    const std::wstring a = dir + L"a 文档.pdf";
    const std::wstring b = dir + L"b@.pdf";
    pdftest::writeSamplePdf(a, 1);
    pdftest::writeSamplePdf(b, 1);
    enum class Fault { none, emptyingFails, settingsUnwritableCopyDataAnswersZero };
    struct Case {
        const char* what;
        std::wstring commandLine;
        Fault fault;
        std::vector<std::wstring> opened;
        int openPending;
        int copyData;
    };
    const Case cases[] = {
        {"no arguments", L"", Fault::none, {}, 1, 0},
        {"the handler cannot empty the key", L"\"" + a + L"\"", Fault::emptyingFails, {a}, 1, 0},
        {"the settings cannot be written and WM_COPYDATA answers 0",
         L"\"" + a + L";" + b + L";\"",
         Fault::settingsUnwritableCopyDataAnswersZero,
         {b, a},
         0,
         2},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.what);
        controlModule().clearJournal();
        g_sends = HandOffSends();
        g_sends.window = main.m_hWnd;
        g_sends.holdSettingsOnce = t.fault == Fault::emptyingFails;
        using Hook = std::unique_ptr<std::remove_pointer_t<HHOOK>, decltype(&UnhookWindowsHookEx)>;
        const Hook before(SetWindowsHookExW(WH_CALLWNDPROC, &countHandOffSend, nullptr, GetCurrentThreadId()),
                          &UnhookWindowsHookEx);
        const Hook after(SetWindowsHookExW(WH_CALLWNDPROCRET, &releaseHeldSettings, nullptr, GetCurrentThreadId()),
                         &UnhookWindowsHookEx);
        ASSERT_TRUE(before && after);
        UniqueHandle unwritable;
        if (t.fault == Fault::settingsUnwritableCopyDataAnswersZero) {
            unwritable.reset(
                CreateFileA(g_appState.iniPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(unwritable.valid());
            g_mainWindowProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(main.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&answerCopyDataWithZero)));
        }
        {
            SecondLaunch launch(t.commandLine);
            EXPECT_TRUE(launch.ended(std::chrono::seconds(15))) << "the launch went on";
            EXPECT_EQ(launch.result(), HandOffResult::HandedOver);
        }
        if (g_mainWindowProc) {
            SetWindowLongPtrW(main.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_mainWindowProc));
            g_mainWindowProc = nullptr;
        }
        unwritable.reset();
        EXPECT_EQ(g_sends.openPending, t.openPending);
        EXPECT_EQ(g_sends.copyData, t.copyData);
        std::vector<std::wstring> opened;
        for (const std::wstring& path : t.opened) {
            opened.push_back(L"opened \"" + path + L"\"");
            EXPECT_EQ(countLines(lines(), opened.back()), 1) << journal();
        }
        EXPECT_TRUE(inOrder(lines(), opened)) << journal();
        EXPECT_EQ(countLines(lines(), L"opened"), static_cast<int>(t.opened.size())) << journal();
        EXPECT_EQ(setting(L"openDocPath"), L"") << "nothing of the launch is left in the key";
        EXPECT_EQ(dialogScript().count(L"prompt"), 0);
        EXPECT_TRUE(IsWindowVisible(main.m_hWnd) && !IsIconic(main.m_hWnd)) << "shown minimised, then normal";
    }
}

TEST_F(MainWindow, TheControlsEventsReachTheirHandlers) {
    // A document view becoming active switches to the content-editing tool.
    ASSERT_TRUE(pdftest::pumpUntil([] {
        return controlModule().journal().find(L"pageThumbnailsView") != std::wstring::npos;
    })) << journal();
    EXPECT_TRUE(inOrder(
        lines(), {L"C.0x6002000F(\"bookmarksView\", TRUE, FALSE)", L"C.0x6002000F(\"pageThumbnailsView\", TRUE, FALSE)",
                  L"X.92(\"cmd.tool.editContent.all\", 0)"}))
        << journal();

    // An executed operation touches the collection's items from 12 on, counted once.
    for (ULONG count : {14u, 12u}) {
        controlModule().setTabCount(count);
        controlModule().clearJournal();
        ASSERT_EQ(controlModule().fireEvent(L"e.operExecuted"), 1);
        auto log = lines();
        EXPECT_EQ(countLines(log, L"Y.13()"), 1) << journal();
        EXPECT_EQ(countLines(log, L"Y.15("), count - 12) << journal();
        if (count == 14) {
            EXPECT_TRUE(inOrder(log, {L"Y.15(12)", L"Y.15(13)"})) << journal();
        }
    }
    controlModule().clearJournal();
    ASSERT_EQ(controlModule().fireEvent(L"e.document.textEditor.started"), 1);
    EXPECT_EQ(countLines(lines(), L"Y.13()"), 1) << journal();

    // An event of none of the five names costs five lookups and changes nothing.
    controlModule().clearJournal();
    ASSERT_EQ(controlModule().fireEvent(L"e.document.afterSave"), 1);
    EXPECT_EQ(countLines(lines(), L"X.45("), 5) << journal();
    EXPECT_EQ(countLines(lines(), L"Y."), 0) << journal();

    // A closed document while nobody asked to close the program changes nothing.
    controlModule().clearJournal();
    ASSERT_EQ(controlModule().fireEvent(L"e.document.closed"), 1);
    EXPECT_EQ(countLines(lines(), L".26(-1)"), 0) << journal();
    EXPECT_TRUE(IsWindow(g_mainDlg->m_hWnd));
}

TEST_F(MainWindow, SavingAsksForASignInWhenTheSwitchRequiresOne) {
    g_appState.user.loggedIn = 0;
    struct Case {
        int doLogin;
        std::deque<int> prompt;
        std::deque<int> login;
        int saved;  // PdfcPerformSave: 1 saved, 0 stopped
        int prompts;
        int logins;
    } cases[] = {
        {0, {}, {}, 1, 0, 0},    // switch off: no prompt
        {1, {2}, {}, 0, 1, 0},   // cancel
        {1, {8}, {}, 0, 1, 0},   // the prompt's close button
        {1, {1}, {1}, 1, 1, 1},  // signed in: the save goes on
        {1, {1}, {2}, 0, 1, 1},  // sign-in dialog closed
    };
    for (const Case& c : cases) {
        dialogScript().reset();
        g_appState.doLogin = c.doLogin;
        dialogScript().promptCodes = c.prompt;
        dialogScript().loginCodes = c.login;
        EXPECT_EQ(controlModule().performSave(), c.saved) << c.doLogin << " " << c.prompt.size();
        EXPECT_EQ(dialogScript().count(L"prompt"), c.prompts);
        EXPECT_EQ(dialogScript().count(L"login"), c.logins);
        if (c.prompts) {
            EXPECT_EQ(dialogScript().shown[0].texts,
                      (std::vector<std::wstring>{L"是否登录账号？", L"需要登录账号才能执行保存操作！", L"", L"",
                                                 L"免费登录", L"取消", L"提示"}));
            EXPECT_EQ(dialogScript().shown[0].owner, nullptr);
        }
    }
    // A signed-in user saves without a question.
    dialogScript().reset();
    g_appState.user.loggedIn = 1;
    EXPECT_EQ(controlModule().performSave(), 1);
    EXPECT_EQ(dialogScript().count(L"prompt"), 0);
    g_appState.user.loggedIn = 0;
    g_appState.doLogin = 0;
}

// The updater's start of the offer at start-up (SW_SHOWNORMAL) and of the main menu's (SW_SHOW).
TEST_F(MainWindow, TheUpdaterStartsWithItsTextOrTheUserIsToldItCouldNot) {
    const std::wstring parameters =
        SOUI::SStrCpCvt::CvtA2W(g_appState.prover + " " + g_appState.versionInformation, CP_ACP).c_str();
    struct Case {
        INT_PTR shellResult;
        bool started;
    } cases[] = {{42, true}, {33, true}, {32, false}, {SE_ERR_FNF, false}, {0, false}};
    for (const Case& c : cases) {
        answers().reset();
        dialogScript().reset();
        answers().shellResult = c.shellResult;
        EXPECT_EQ(startUpdater(SW_SHOWNORMAL, nullptr), c.started) << c.shellResult;
        EXPECT_EQ(answers().shellCalls, 1);
        EXPECT_EQ(answers().lastShellVerb, L"open");
        EXPECT_EQ(answers().lastShellFile, L"Updrell.exe");
        EXPECT_EQ(answers().lastShellParameters, parameters);
        EXPECT_EQ(answers().lastShellShow, SW_SHOWNORMAL);
        ASSERT_EQ(dialogScript().count(L"prompt"), c.started ? 0 : 1) << c.shellResult;
        if (!c.started) {
            EXPECT_EQ(dialogScript().shown[0].texts[0], L"无法启动升级程序！");
            EXPECT_EQ(dialogScript().shown[0].owner, nullptr);
        }
    }
}

TEST_F(MainWindow, ACancelledCloseEndsTheClosingAndALaterCloseClosesOneDocument) {
    CMainDlg& main = *g_mainDlg;
    const std::wstring dir = shelltest::scratchFolder(L"cancel");
    auto openPdf = [&](const wchar_t* name) { return openSample(main, dir, name); };
    // The user closes the active document, dropping its changes: that one closes, and the
    // closed-document event leaves the rest alone.
    auto userClosesOne = [&](ULONG before) {
        userClosesActive(true);
        EXPECT_EQ(openCount(main), before - 1);
        EXPECT_EQ(countLines(lines(), L".26(-1)"), 0) << journal();
        EXPECT_TRUE(IsWindow(main.m_hWnd));
    };

    // The close button's road: the active document has unsaved changes, the user cancels.
    openPdf(L"changed.pdf");
    ASSERT_EQ(controlModule().markModified(), 1);
    const ULONG open = openCount(main);
    pdftest::MessageBoxAnswer cancel(IDCANCEL);
    main.SendMessage(WM_CLOSE);
    ASSERT_TRUE(cancel.finish());
    EXPECT_NE(cancel.text().find(L"changed.pdf"), std::wstring::npos) << cancel.text();
    EXPECT_EQ(cancel.owner(), main.m_hWnd);
    EXPECT_FALSE(g_exitRequested) << "a cancelled close ends the closing";
    EXPECT_EQ(openCount(main), open);
    userClosesOne(open);

    // The closed-document event's road: the first document closes, the next one has unsaved
    // changes and the user cancels.
    openPdf(L"kept.pdf");
    ASSERT_EQ(controlModule().markModified(), 1);
    openPdf(L"plain.pdf");
    const ULONG before = openCount(main);
    controlModule().clearJournal();
    pdftest::MessageBoxAnswer cancelNext(IDCANCEL);
    main.SendMessage(WM_CLOSE);
    EXPECT_TRUE(g_exitRequested);
    ASSERT_TRUE(pdftest::pumpUntil([&] { return countLines(lines(), L"answer cancel") == 1; })) << journal();
    ASSERT_TRUE(cancelNext.finish());
    EXPECT_NE(cancelNext.text().find(L"kept.pdf"), std::wstring::npos) << cancelNext.text();
    EXPECT_FALSE(g_exitRequested);
    EXPECT_EQ(openCount(main), before - 1);
    userClosesOne(before - 1);
}

// The main menu's update: the control's questions first, the updater once every document has
// closed. The shell cannot start it here, so the window stays for the tests after this one.
TEST_F(MainWindow, TheMenusUpdateStartsTheUpdaterOnlyOnceEveryDocumentHasClosed) {
    CMainDlg& main = *g_mainDlg;
    const std::wstring dir = shelltest::scratchFolder(L"update");
    g_appState.updateAvailable = 1;

    // The user keeps a document with unsaved changes: no updater, the closing and the update end.
    const std::wstring kept = openSample(main, dir, L"kept.pdf");
    ASSERT_EQ(controlModule().markModified(), 1);
    const ULONG open = openCount(main);
    dialogScript().promptCodes = {1};
    {
        pdftest::MessageBoxAnswer cancel(IDCANCEL);
        main.SendMessage(WM_COMMAND, MAKEWPARAM(4, 0), 0);
        ASSERT_TRUE(cancel.finish());
        EXPECT_NE(cancel.text().find(L"kept.pdf"), std::wstring::npos) << cancel.text();
    }
    EXPECT_EQ(answers().shellCalls, 0) << "no updater while a document stays";
    EXPECT_FALSE(g_exitRequested);
    EXPECT_FALSE(main.updateAfterClosing);
    EXPECT_EQ(openCount(main), open);
    // A later close of that document starts nothing either.
    userClosesActive(true);
    EXPECT_EQ(answers().shellCalls, 0);
    EXPECT_EQ(openCount(main), open - 1);

    // The user drops the changes: every document closes, then the updater is started once, before
    // the engine hears of the exit.
    const std::wstring dropped = openSample(main, dir, L"dropped.pdf");
    ASSERT_EQ(controlModule().markModified(), 1);
    dialogScript().reset();
    dialogScript().promptCodes = {1, 1};
    answers().reset();
    answers().shellResult = SE_ERR_FNF;
    controlModule().clearJournal();
    {
        pdftest::MessageBoxAnswer drop(IDNO);
        main.SendMessage(WM_COMMAND, MAKEWPARAM(4, 0), 0);
        ASSERT_TRUE(drop.finish());
    }
    ASSERT_TRUE(pdftest::pumpUntil([] { return answers().shellCalls > 0; })) << journal();
    pdftest::pumpPending();
    EXPECT_EQ(answers().shellCalls, 1);
    EXPECT_EQ(answers().lastShellFile, L"Updrell.exe");
    EXPECT_EQ(answers().lastShellShow, SW_SHOW);
    EXPECT_TRUE(inOrder(answers().journalAtLastShell, {L"answer no", L"close \"" + dropped + L"\"", L"X.20() -> 0"}))
        << journal();
    EXPECT_EQ(openCount(main), 0u);
    // It could not start: the user is told over the main window, and the program stays.
    ASSERT_EQ(dialogScript().count(L"prompt"), 2);
    EXPECT_EQ(dialogScript().shown[1].texts[0], L"无法启动升级程序！");
    EXPECT_EQ(dialogScript().shown[1].owner, main.m_hWnd);
    EXPECT_EQ(countLines(lines(), L"X.11("), 0) << journal();
    EXPECT_TRUE(IsWindow(main.m_hWnd));
    EXPECT_FALSE(g_exitRequested);
    EXPECT_FALSE(main.updateAfterClosing);
    g_appState.updateAvailable = 0;
}

// A close that fails with an error ends the closing as a cancel does, on the close button's road
// and on the update's: a later close of one document closes only that one, and starts nothing.
TEST_F(MainWindow, AFailedCloseEndsTheClosingAndDropsTheUpdate) {
    CMainDlg& main = *g_mainDlg;
    const std::wstring dir = shelltest::scratchFolder(L"failed");
    g_appState.updateAvailable = 1;
    struct Case {
        const wchar_t* road;
        UINT message;
        WPARAM wParam;
    } roads[] = {{L"close button", WM_CLOSE, 0}, {L"update", WM_COMMAND, MAKEWPARAM(4, 0)}};
    for (const Case& c : roads) {
        openSample(main, dir, L"first.pdf");
        openSample(main, dir, L"second.pdf");
        const ULONG open = openCount(main);
        dialogScript().reset();
        dialogScript().promptCodes = {1};
        answers().reset();
        controlModule().clearJournal();
        controlModule().failNextCloseChain();
        main.SendMessage(c.message, c.wParam, 0);
        EXPECT_EQ(countLines(lines(), L"T.25() failed"), 1) << c.road << journal();
        EXPECT_FALSE(g_exitRequested) << c.road;
        EXPECT_FALSE(main.updateAfterClosing) << c.road;
        EXPECT_EQ(openCount(main), open) << c.road;

        userClosesActive(false);
        EXPECT_EQ(openCount(main), open - 1) << c.road;
        EXPECT_EQ(countLines(lines(), L".26(-1)"), 0) << c.road << journal();
        EXPECT_EQ(answers().shellCalls, 0) << c.road;
        EXPECT_TRUE(IsWindow(main.m_hWnd));
    }
    g_appState.updateAvailable = 0;
}

// Whether a second instance still found the main window once its WM_DESTROY had been handled.
HWND g_destroyWatched = nullptr;
int g_foundAfterDestroy = -1;

LRESULT CALLBACK watchDestroy(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->hwnd == g_destroyWatched && sent->message == WM_DESTROY) {
        g_foundAfterDestroy = findRunningMainWindow() == g_destroyWatched ? 1 : 0;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(MainWindow, ClosingWithTwoDocumentsClosesBothThenTheWindow) {
    CMainDlg& main = *g_mainDlg;
    HWND hwnd = main.m_hWnd;
    ASSERT_TRUE(IsWindow(hwnd));
    markMainWindow(hwnd);
    ASSERT_EQ(findRunningMainWindow(), hwnd);
    g_destroyWatched = hwnd;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, &watchDestroy, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    EXPECT_EQ(main.pdfControl->isDocumentOpen(), TRUE);
    ULONG open = 0;
    main.pdfControl->takeInstance()->GetDocumentCount(&open);
    ASSERT_GE(open, 2u) << journal();

    controlModule().clearJournal();
    main.SendMessage(WM_CLOSE);
    EXPECT_TRUE(g_exitRequested);
    ASSERT_TRUE(pdftest::pumpUntil([&] { return !IsWindow(hwnd); })) << journal();
    auto log = lines();
    EXPECT_EQ(countLines(log, L"V.26(-1)"), static_cast<int>(open)) << journal();
    EXPECT_TRUE(inOrder(log, {L"V.26(-1)", L"X.20() -> " + std::to_wstring(open - 1), L"V.26(-1)", L"X.20() -> 0",
                              L"X.11(0)", L"X.84("}))
        << journal();
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(g_foundAfterDestroy, 0) << "the mark goes with the window";
    EXPECT_EQ(g_mainDlg, &main) << "the object stays";
    EXPECT_EQ(getMainDlg(), &main);
}

}  // namespace
