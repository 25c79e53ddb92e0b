#include "SignInReport.h"

#include <windows.h>

#include <foundation/AppState.h>
#include <soui/SStrCpCvt.h>

#include "MainWindowLink.h"
#include "MainWindowMessages.h"
#include "SignInId.h"

bool reportSignedInUser(const wchar_t* text) {
    if (text == nullptr || !isAcceptedSignInId(std::wstring_view(text))) {
        return false;
    }
    const SOUI::SStringW wide(text);
    const SOUI::SStringA id = SOUI::SStrCpCvt::CvtW2A(wide, CP_THREAD_ACP);
    if (SOUI::SStrCpCvt::CvtA2W(id, CP_THREAD_ACP) != wide) {
        return false;
    }
    g_appState.storeSignedInUser(id);
    // The sign-in dialog is opened from the main window, so it exists; without one there is
    // nobody to tell.
    if (MainWindowLink* main = mainWindowLink()) {
        SendMessageW(main->window(), WM_LOGIN_DONE, 0, 0);
    }
    return true;
}
