#include "TestMainWindow.h"

#include "MainWindowMessages.h"

namespace dlgtest {
namespace {

TestMainWindow* g_window = nullptr;

}  // namespace

TestMainWindow::TestMainWindow() : SOUI::SHostWnd(L"LAYOUT:XML_MAINWND") {}

BOOL TestMainWindow::ProcessWindowMessage(HWND hwnd,
                                          UINT msg,
                                          WPARAM wParam,
                                          LPARAM lParam,
                                          LRESULT& result,
                                          DWORD msgMapId) {
    MainWindowRecord& record = mainWindowRecord();
    if (msg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
        ++record.activations;
    }
    if (msg == WM_LOGIN_DONE) {
        ++record.loginDone;
        if (record.onLoginDone) {
            record.onLoginDone();
        }
        result = 0;
        return TRUE;
    }
    return SOUI::SHostWnd::ProcessWindowMessage(hwnd, msg, wParam, lParam, result, msgMapId);
}

int TestMainWindow::openFile(const wchar_t* path) {
    MainWindowRecord& record = mainWindowRecord();
    record.openedPaths.emplace_back(path ? path : L"");
    return record.openResult ? record.openResult(record.openedPaths.back()) : 1;
}

void TestMainWindow::showUserInfoDialog() {
    ++mainWindowRecord().userInfoShown;
}

MainWindowRecord& mainWindowRecord() {
    static MainWindowRecord record;
    return record;
}

TestMainWindow* createTestMainWindow() {
    mainWindowRecord() = MainWindowRecord();
    g_window = new TestMainWindow;
    g_window->Create(nullptr);
    setMainWindowLink(g_window);
    return g_window;
}

TestMainWindow* testMainWindow() {
    return g_window;
}

void destroyTestMainWindow() {
    setMainWindowLink(nullptr);
    if (g_window) {
        g_window->DestroyWindow();
        // The library deletes nothing of a host: the object is ours.
        delete g_window;
        g_window = nullptr;
    }
    mainWindowRecord() = MainWindowRecord();
}

}  // namespace dlgtest
