#pragma once

#include <windows.h>

#include <soui/SHostDialog.h>

// The account information: the signed-in user's name and id, as the user record holds them when
// the dialog opens. Ends with 8 through its close button.
class CUserInfoDlg : public SOUI::SHostDialog {
  public:
    CUserInfoDlg();
    ~CUserInfoDlg() override;

    BOOL _HandleEvent(SOUI::EventArgs* evt) override;
    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD msgMapId = 0)
        override;

    // Fills the name and id lines; returns 1.
    int onInitDialog();
    void onClose() { EndDialog(IDCLOSE); }

    BOOL IsMsgHandled() const { return msgHandled; }
    void SetMsgHandled(BOOL handled) { msgHandled = handled; }

    int msgHandled = 0;
    SOUI::SWindow* nickname = nullptr;
    SOUI::SWindow* userid = nullptr;
};
