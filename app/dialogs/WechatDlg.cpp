#include "WechatDlg.h"

#include "DialogMessageMap.h"

WechatDlg::WechatDlg() : SOUI::SHostDialog(L"LAYOUT:XML_WECHAT") {}

WechatDlg::~WechatDlg() = default;

BOOL WechatDlg::_HandleEvent(SOUI::EventArgs* evt) {
    if (isCommandFrom(evt, L"btn_close")) {
        onClose();
        return TRUE;
    }
    return SOUI::SHostDialog::_HandleEvent(evt);
}

BOOL WechatDlg::ProcessWindowMessage(HWND hwnd,
                                     UINT msg,
                                     WPARAM wParam,
                                     LPARAM lParam,
                                     LRESULT& result,
                                     DWORD msgMapId) {
    return initDialogMessageMap(*this, hwnd, msg, wParam, lParam, result, msgMapId);
}
