#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "MainDlg.h"

namespace dlgtest {

// What the dialogs asked of the test program's main window. The test program defines CMainDlg's
// window operations itself: a real host window over "LAYOUT:XML_MAINWND" that records, so the
// dialogs run against a main window without the PDF control behind it.
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

// Makes g_mainDlg and its (hidden) window; getMainDlg gives it from then on. Until then both are null.
CMainDlg* createTestMainWindow();
// Destroys the window and clears g_mainDlg and the record.
void destroyTestMainWindow();

}  // namespace dlgtest
