#include "TestMainDlg.h"

CMainDlg* g_mainDlg = nullptr;
bool g_exitRequested = false;

CMainDlg::CMainDlg()
    : SOUI::SHostWnd(L"LAYOUT:XML_MAINWND"), msgHandled(0), webDlg(nullptr), pdfControl(nullptr), initialised(0) {}

CMainDlg::~CMainDlg() = default;

BOOL CMainDlg::_HandleEvent(SOUI::EventArgs*) {
    return FALSE;
}

BOOL CMainDlg::ProcessWindowMessage(HWND hwnd,
                                    UINT msg,
                                    WPARAM wParam,
                                    LPARAM lParam,
                                    LRESULT& result,
                                    DWORD msgMapId) {
    dlgtest::MainWindowRecord& record = dlgtest::mainWindowRecord();
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

int CMainDlg::openFile(const wchar_t* path) {
    dlgtest::MainWindowRecord& record = dlgtest::mainWindowRecord();
    record.openedPaths.emplace_back(path ? path : L"");
    return record.openResult ? record.openResult(record.openedPaths.back()) : 1;
}

CMainDlg* getMainDlg() {
    return g_mainDlg;
}

void showUserInfoDialog() {
    ++dlgtest::mainWindowRecord().userInfoShown;
}

namespace dlgtest {

MainWindowRecord& mainWindowRecord() {
    static MainWindowRecord record;
    return record;
}

CMainDlg* createTestMainWindow() {
    mainWindowRecord() = MainWindowRecord();
    g_mainDlg = new CMainDlg;
    g_mainDlg->Create(nullptr);
    return g_mainDlg;
}

void destroyTestMainWindow() {
    if (g_mainDlg) {
        g_mainDlg->DestroyWindow();
        // The library deletes nothing of a host: the object is ours.
        delete g_mainDlg;
        g_mainDlg = nullptr;
    }
    mainWindowRecord() = MainWindowRecord();
}

}  // namespace dlgtest
