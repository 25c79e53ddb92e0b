#pragma once

#include <windows.h>

#include <soui/SHostWnd.h>

#include <functional>
#include <string>
#include <vector>

#include "MainWindowLink.h"

class CWkeDlg;

namespace dlgtest {

// What the dialogs asked of the test program's main window: a real host window over
// "LAYOUT:XML_MAINWND" that records, given to the dialogs as their main window, so they run
// against a main window without the PDF control behind it.
struct MainWindowRecord {
    int activations = 0;    // WM_ACTIVATE with the window becoming active
    int loginDone = 0;      // WM_LOGIN_DONE received
    int userInfoShown = 0;  // showUserInfoDialog calls
    std::vector<std::wstring> openedPaths;
    // What openFile answers for a path (1 opened, 0 missing); 1 unless set.
    std::function<int(const std::wstring&)> openResult;
    // Runs inside WM_LOGIN_DONE, before the message returns.
    std::function<void()> onLoginDone;
};

MainWindowRecord& mainWindowRecord();

class TestMainWindow final : public SOUI::SHostWnd, public MainWindowLink {
  public:
    TestMainWindow();

    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD msgMapId = 0)
        override;

    HWND window() const override { return m_hWnd; }
    int openFile(const wchar_t* path) override;
    void showUserInfoDialog() override;
    CWkeDlg*& newestSignInDialog() override { return webDlg; }

    // The newest sign-in dialog a dialog gave the window to keep.
    CWkeDlg* webDlg = nullptr;
};

// Makes the (hidden) window and gives it to the dialogs as their main window; until then they
// have none (mainWindowLink is null).
TestMainWindow* createTestMainWindow();
// The window createTestMainWindow made, or null.
TestMainWindow* testMainWindow();
// Destroys the window, takes it from the dialogs and clears the record.
void destroyTestMainWindow();

}  // namespace dlgtest
