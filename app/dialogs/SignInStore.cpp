#include "SignInStore.h"

#include <windows.h>

#include <foundation/AppState.h>
#include <soui/SStrCpCvt.h>

#include "MainDlg.h"
#include "SignInId.h"

bool addKnownUserId(SOUI::SStringA& list, const SOUI::SStringA& id) {
    if (list.Find(id.c_str()) >= 0) {
        return false;
    }
    list += id;
    list += ";";
    return true;
}

void storeSignedInUser(const SOUI::SStringA& id) {
    g_appState.user.userId = id;
    g_appState.saveUserId(id);
    if (addKnownUserId(g_appState.userIdList, id)) {
        g_appState.saveUserDic(g_appState.userIdList);
    }
    // The sign-in dialog is opened from the main window, so it exists; without one there is
    // nobody to tell.
    if (CMainDlg* main = getMainDlg()) {
        SendMessageW(main->m_hWnd, WM_LOGIN_DONE, 0, 0);
    }
}

bool reportSignedInUser(const wchar_t* text) {
    if (text == nullptr || !isAcceptedSignInId(std::wstring_view(text))) {
        return false;
    }
    const SOUI::SStringW wide(text);
    const SOUI::SStringA id = SOUI::SStrCpCvt::CvtW2A(wide, CP_THREAD_ACP);
    if (SOUI::SStrCpCvt::CvtA2W(id, CP_THREAD_ACP) != wide) {
        return false;
    }
    storeSignedInUser(id);
    return true;
}
