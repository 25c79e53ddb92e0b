#pragma once

#include <windows.h>

#include <soui/SHostDialog.h>
#include <soui/SString.h>

// The skinned prompt: a title, a message of up to four lines and two buttons whose captions the
// caller gives. DoModal ends with 1 for the first (OK) button, 2 for the second and 8 for the
// caption's close button.
class CTipDlg : public SOUI::SHostDialog {
  public:
    // The title comes last although it is the first text shown.
    CTipDlg(const SOUI::SStringW& text,
            const SOUI::SStringW& line1,
            const SOUI::SStringW& line2,
            const SOUI::SStringW& line3,
            const SOUI::SStringW& okCaption,
            const SOUI::SStringW& cancelCaption,
            const SOUI::SStringW& title);
    ~CTipDlg() override;

    BOOL _HandleEvent(SOUI::EventArgs* evt) override;
    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD msgMapId = 0)
        override;

    // Raises the main window when there is one, aligns and fills the texts; returns 1.
    int onInitDialog();

    // The same work done directly on the controls; the prompts of the program do it in onInitDialog.
    void setOkCaption(const SOUI::SStringW& caption);
    void setCancelCaption(const SOUI::SStringW& caption);
    void onClose() { EndDialog(IDCLOSE); }
    void onOK() { EndDialog(IDOK); }
    void onCancel() { EndDialog(IDCANCEL); }

    BOOL IsMsgHandled() const { return msgHandled; }
    void SetMsgHandled(BOOL handled) { msgHandled = handled; }

    int msgHandled = 0;
    SOUI::SStringW title;
    SOUI::SStringW text;
    SOUI::SStringW line1;
    SOUI::SStringW line2;
    SOUI::SStringW line3;
    SOUI::SStringW okCaption;
    SOUI::SStringW cancelCaption;
};

// Whether a prompt with these message lines shows them centred: at most one line has text.
bool tipLinesCentred(const SOUI::SStringW& text,
                     const SOUI::SStringW& line1,
                     const SOUI::SStringW& line2,
                     const SOUI::SStringW& line3);
