#include "UserInfoDlg.h"

#include <foundation/AppState.h>
#include <soui/SStrCpCvt.h>

#include "DialogMessageMap.h"

namespace {

// "昵称", six blanks, a full-width colon and one blank; "ID", nine blanks and a full-width colon.
const wchar_t kNicknamePrefix[] = L"昵称      ： ";
const wchar_t kUserIdPrefix[] = L"ID         ：";

SOUI::SStringW line(const wchar_t* prefix, const SOUI::SStringA& value) {
    SOUI::SStringW text = prefix;
    text += SOUI::SStrCpCvt::CvtA2W(value, CP_ACP);
    return text;
}

}  // namespace

CUserInfoDlg::CUserInfoDlg() : SOUI::SHostDialog(L"LAYOUT:XML_USERINFO") {}

CUserInfoDlg::~CUserInfoDlg() = default;

int CUserInfoDlg::onInitDialog() {
    nickname = FindChildByName(L"nickname");
    userid = FindChildByName(L"userid");
    if (nickname) {
        nickname->SetWindowText(line(kNicknamePrefix, g_appState.user.userName));
    }
    if (userid) {
        userid->SetWindowText(line(kUserIdPrefix, g_appState.user.userId));
    }
    return 1;
}

BOOL CUserInfoDlg::_HandleEvent(SOUI::EventArgs* evt) {
    if (isCommandFrom(evt, L"btn_close")) {
        onClose();
        return TRUE;
    }
    return SOUI::SHostDialog::_HandleEvent(evt);
}

BOOL CUserInfoDlg::ProcessWindowMessage(HWND hwnd,
                                        UINT msg,
                                        WPARAM wParam,
                                        LPARAM lParam,
                                        LRESULT& result,
                                        DWORD msgMapId) {
    return initDialogMessageMap(*this, hwnd, msg, wParam, lParam, result, msgMapId);
}
