#include "TipDlg.h"

#include <soui/SButton.h>
#include <soui/SStatic.h>

#include "DialogMessageMap.h"
#include "MainWindowLink.h"

namespace {

// The four message lines, top to bottom.
const wchar_t* const kLineNames[] = {L"pro_text", L"flush_str1", L"flush_str2", L"flush_str3"};

void setText(SOUI::SWindow* control, const SOUI::SStringW& value) {
    if (control) {
        control->SetWindowText(value);
    }
}

}  // namespace

bool tipLinesCentred(const SOUI::SStringW& text,
                     const SOUI::SStringW& line1,
                     const SOUI::SStringW& line2,
                     const SOUI::SStringW& line3) {
    int lines = 0;
    for (const SOUI::SStringW* l : {&text, &line1, &line2, &line3}) {
        if (l->Compare(L"") != 0) {
            ++lines;
        }
    }
    return lines <= 1;
}

CTipDlg::CTipDlg(const SOUI::SStringW& textArg,
                 const SOUI::SStringW& line1Arg,
                 const SOUI::SStringW& line2Arg,
                 const SOUI::SStringW& line3Arg,
                 const SOUI::SStringW& okArg,
                 const SOUI::SStringW& cancelArg,
                 const SOUI::SStringW& titleArg)
    : SOUI::SHostDialog(L"LAYOUT:XML_TIP"),
      title(titleArg),
      text(textArg),
      line1(line1Arg),
      line2(line2Arg),
      line3(line3Arg),
      okCaption(okArg),
      cancelCaption(cancelArg) {}

CTipDlg::~CTipDlg() = default;

int CTipDlg::onInitDialog() {
    // The prompt never makes the main window; one raised before it exists skips this.
    if (MainWindowLink* main = mainWindowLink()) {
        SetForegroundWindow(main->window());
    }
    SOUI::SStatic* lines[4];
    for (int i = 0; i < 4; ++i) {
        lines[i] = FindChildByName2<SOUI::SStatic>(kLineNames[i]);
    }
    if (tipLinesCentred(text, line1, line2, line3)) {
        for (SOUI::SStatic* l : lines) {
            if (l) {
                l->SetAttribute(L"align", L"center", FALSE);
            }
        }
    }
    setText(FindChildByName2<SOUI::SStatic>(L"title_name"), title);
    setText(lines[0], text);
    setText(lines[1], line1);
    setText(lines[2], line2);
    setText(lines[3], line3);
    setText(FindChildByName2<SOUI::SButton>(L"btn_dir_ok"), okCaption);
    setText(FindChildByName2<SOUI::SButton>(L"btn_dir_cancel"), cancelCaption);
    return 1;
}

void CTipDlg::setOkCaption(const SOUI::SStringW& caption) {
    setText(FindChildByName2<SOUI::SButton>(L"btn_dir_ok"), caption);
}

void CTipDlg::setCancelCaption(const SOUI::SStringW& caption) {
    setText(FindChildByName2<SOUI::SButton>(L"btn_dir_cancel"), caption);
}

BOOL CTipDlg::_HandleEvent(SOUI::EventArgs* evt) {
    if (isCommandFrom(evt, L"btn_close")) {
        onClose();
        return TRUE;
    }
    if (isCommandFrom(evt, L"btn_dir_cancel")) {
        onCancel();
        return TRUE;
    }
    // The OK button is known by its numeric id, whatever its name.
    if (evt && evt->GetID() == SOUI::EVT_CMD && evt->idFrom == IDOK) {
        onOK();
        return TRUE;
    }
    return SOUI::SHostDialog::_HandleEvent(evt);
}

BOOL CTipDlg::ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD msgMapId) {
    return initDialogMessageMap(*this, hwnd, msg, wParam, lParam, result, msgMapId);
}
