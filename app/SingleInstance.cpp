#include "SingleInstance.h"

#include "MainDlg.h"
#include "classlib/Wnd.h"
#include "foundation/AppState.h"

bool claimFirstInstance() {
    CreateMutexW(nullptr, FALSE, kInstanceMutexName);
    return GetLastError() != ERROR_ALREADY_EXISTS;
}

bool handOverToRunningInstance(const wchar_t* commandLine) {
    CWnd* running = CWnd::FromHandle(FindWindowW(nullptr, g_appState.title.c_str()));
    if (!running) {
        return false;
    }
    g_appState.writeAppString(L"openDocPath", commandLine ? commandLine : L"");
    // Returns once the first instance has emptied the key and opened the documents.
    ::SendMessageW(running->m_hWnd, WM_OPEN_PENDING_DOC, 0, 0);
    running->ShowWindow(SW_MINIMIZE);
    running->ShowWindow(SW_SHOWNORMAL);
    return true;
}
