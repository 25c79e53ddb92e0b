#pragma once

#include <windows.h>

#include <soui/SHostDialog.h>

// One fixed picture with a close button over "LAYOUT:XML_WECHAT"; ends with 8. The program never
// opens it.
class WechatDlg : public SOUI::SHostDialog {
  public:
    WechatDlg();
    ~WechatDlg() override;

    BOOL _HandleEvent(SOUI::EventArgs* evt) override;
    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD msgMapId = 0)
        override;

    int onInitDialog() { return 1; }
    void onClose() { EndDialog(IDCLOSE); }

    BOOL IsMsgHandled() const { return msgHandled; }
    void SetMsgHandled(BOOL handled) { msgHandled = handled; }

    int msgHandled = 0;
};
