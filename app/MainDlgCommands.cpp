// The main window's caption commands, its two menus, the account area and the update check.
#include <shlwapi.h>

#include <soui/SButton.h>
#include <soui/SMenu.h>
#include <soui/SStrCpCvt.h>

#include <cwchar>

#include "MainDlg.h"
#include "PdfEditControl.h"
#include "ShellDialogs.h"
#include "ShellEnvironment.h"
#include "WebPages.h"
#include "foundation/AppState.h"

namespace {

struct MenuItem {
    UINT id;
    const wchar_t* text;
};

// A popup menu at the cursor in the look of "SMENU:menu"; the chosen item comes back to the
// window as WM_COMMAND.
void trackMenu(HWND owner, const MenuItem (&items)[2]) {
    POINT cursor = {};
    GetCursorPos(&cursor);
    SOUI::SMenu menu;
    menu.LoadMenuW(L"menu", L"SMENU");
    for (const MenuItem& item : items) {
        menu.AppendMenuW(0, item.id, item.text, 0);
    }
    menu.TrackPopupMenu(0, cursor.x, cursor.y, owner, nullptr);
}

void openPage(const wchar_t* page) {
    shellEnvironment().shellExecute(nullptr, L"open", page, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

BOOL CMainDlg::_HandleEvent(SOUI::EventArgs* evt) {
    if (!evt || evt->GetID() != SOUI::EVT_CMD || !evt->nameFrom) {
        return FALSE;
    }
    using Handler = void (CMainDlg::*)();
    static const struct {
        const wchar_t* name;
        Handler handler;
    } commands[] = {
        {L"btn_close", &CMainDlg::onClose},        {L"btn_min", &CMainDlg::onBtnMin},
        {L"btn_max", &CMainDlg::onBtnMax},         {L"btn_restore", &CMainDlg::onBtnRestore},
        {L"btn_edit", &CMainDlg::onBtnEdit},       {L"btn_menu", &CMainDlg::onBtnMenu},
        {L"btn_convert", &CMainDlg::onBtnConvert}, {L"btn_read", &CMainDlg::onBtnRead},
        {L"btn_log", &CMainDlg::onBtnLog},         {L"btn_consultation", &CMainDlg::openCustomerService},
    };
    for (const auto& command : commands) {
        if (std::wcscmp(evt->nameFrom, command.name) == 0) {
            (this->*command.handler)();
            return TRUE;
        }
    }
    return FALSE;
}

void CMainDlg::onBtnMin() {
    SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void CMainDlg::onBtnMax() {
    SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    if (SOUI::SWindow* root = FindChildByName(L"root")) {
        root->SetAttribute(L"margin", L"7,5,7,5", FALSE);
    }
}

void CMainDlg::onBtnRestore() {
    SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    if (SOUI::SWindow* root = FindChildByName(L"root")) {
        root->SetAttribute(L"margin", L"0,0,0,0", FALSE);
    }
}

void CMainDlg::onBtnEdit() {
    if (!pdfControl) {
        return;
    }
    IPdfInstancePtr instance = pdfControl->takeInstance();
    if (pdfControl->isDocumentOpen()) {
        PXV::runCommand(instance, pdfc::kCommandEditContentAll);
    }
}

void CMainDlg::onBtnMenu() {
    trackMenu(m_hWnd, {{1, L"使用教程"}, {4, L"检查更新"}});
}

void CMainDlg::onBtnRead() {
    openPage(kReaderPage);
}

void CMainDlg::onBtnLog() {
    if (shellEnvironment().getUserData()) {
        trackMenu(m_hWnd, {{12, L"账户信息"}, {13, L"退出登录"}});
        return;
    }
    showLoginDialog();
}

void CMainDlg::onBtnConvert() {
    if (PathFileExistsW(kConverterProgram)) {
        shellEnvironment().shellExecute(nullptr, L"open", kConverterProgram, nullptr, nullptr, SW_SHOW);
        return;
    }
    openPage(kConverterPage);
}

void CMainDlg::openCustomerService() {
    ::openCustomerService();
}

void CMainDlg::openChatLink() {
    shellEnvironment().shellExecute(nullptr, L"open", kChatLink, nullptr, nullptr, SW_SHOW);
}

void CMainDlg::onCommand(UINT id) {
    switch (id) {
        case 1:
            openPage(kTutorialPage);
            break;
        case 2:
        case 3:
            openChatLink();
            break;
        case 4:
            checkUpdate();
            break;
        case 12:
            showUserInfoDialog();
            break;
        case 13:
            logout();
            break;
        default:
            break;
    }
}

void CMainDlg::checkUpdate() {
    if (g_appState.updateAvailable == 0) {
        shellEnvironment().messageBox(m_hWnd, L"已经是最新版本！", L"提示", MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (runPrompt(kUpdateOfferFromMenu, nullptr) != kPromptAccepted) {
        return;
    }
    // Closed as the close button closes it, so the control first asks about unsaved changes; the
    // updater starts only once every document has closed. A close the user cancels keeps the
    // program and drops the update.
    updateAfterClosing = true;
    onClose();
}

void CMainDlg::refreshLoginArea() {
    SOUI::SWindow* userName = FindChildByName(L"user_name");
    SOUI::SWindow* logButton = FindChildByName(L"btn_log");
    if (!userName || !logButton) {
        return;
    }
    if (g_appState.doLogin == 0) {
        logButton->SetAttribute(L"pos", L"0,0,0,0", FALSE);
        userName->SetAttribute(L"pos", L"0,0,0,0", FALSE);
        return;
    }
    if (shellEnvironment().getUserData()) {
        applyLoginSkin();
        const SOUI::SStringW name = SOUI::SStrCpCvt::CvtA2W(g_appState.user.userName, CP_ACP);
        logButton->SetAttribute(L"tip", name, FALSE);
        logButton->SetAttribute(L"pos", L"-415,0", FALSE);
        userName->SetWindowText(name);
        userName->SetAttribute(L"extend_left", L"65", FALSE);
        return;
    }
    logButton->SetAttribute(L"pos", L"-345,0", FALSE);
    logButton->SetAttribute(L"skin", L"btn_log_imglist", FALSE);
    userName->SetAttribute(L"tip", L"点击登录", FALSE);
    userName->SetAttribute(L"text", L"未登录", FALSE);
    userName->SetAttribute(L"extend_left", L"38", FALSE);
}

void CMainDlg::applyLoginSkin() {
    SOUI::SButton* logButton = FindChildByName2<SOUI::SButton>(L"btn_log");
    if (!logButton) {
        return;
    }
    switch (g_appState.user.loginMethod) {
        case 1:
            logButton->SetAttribute(L"skin", L"btn_wechat_normal_imglist", FALSE);
            break;
        case 3:
            logButton->SetAttribute(L"skin", L"btn_phone_normal_imglist", FALSE);
            break;
        case 4:
            logButton->SetAttribute(L"skin", L"btn_mail_normal_imglist", FALSE);
            break;
        default:
            break;
    }
}

void CMainDlg::logout() {
    g_appState.user.loggedIn = 0;
    g_appState.user.userId = "";
    g_appState.saveUserId("");
    shellEnvironment().doLoadInfo();
    refreshLoginArea();
}

int CMainDlg::showLoginDialog() {
    return runLoginDialog(webDlg);
}

LRESULT CMainDlg::onLoginNotify() {
    if (!shellEnvironment().getUserData()) {
        // Runs inside the script callback of the dialog that sent the message; that one stays open.
        runLoginDialog(webDlg);
        return 0;
    }
    refreshLoginArea();
    if (webDlg) {
        closeLoginDialog(webDlg);
    }
    if (SOUI::SWindow* root = FindChildByName(L"root")) {
        root->Invalidate();
    }
    return 0;
}

LRESULT CMainDlg::onShowLoginRequest() {
    runLoginDialog(webDlg);
    return 0;
}

void showUserInfoDialog() {
    runUserInfoDialog();
}

void openCustomerService() {
    shellEnvironment().shellExecute(nullptr, L"open", g_appState.customUrl.c_str(), nullptr, nullptr, SW_SHOW);
}

int showLoginDialog(CMainDlg& main) {
    return runLoginDialog(main.webDlg);
}
