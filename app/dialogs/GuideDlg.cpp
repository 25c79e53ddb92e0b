#include "GuideDlg.h"

#include "DialogMessageMap.h"

CGuideDlg::CGuideDlg() : SOUI::SHostDialog(L"LAYOUT:XML_GUIDE"), tour(*this) {}

CGuideDlg::~CGuideDlg() = default;

int CGuideDlg::onInitDialog() {
    btnEnd = FindChildByName2<SOUI::SImageButton>(L"btn_end");
    btnCancel = FindChildByName2<SOUI::SImageButton>(L"btn_cancel");
    btnStart = FindChildByName2<SOUI::SImageButton>(L"btn_start");
    btnReGuide = FindChildByName2<SOUI::SImageButton>(L"btn_reGuide");
    btnIKown = FindChildByName2<SOUI::SImageButton>(L"btn_iKown");
    root = FindChildByName(L"root");
    tour.reset();
    return 1;
}

BOOL CGuideDlg::_HandleEvent(SOUI::EventArgs* evt) {
    if (evt && evt->GetID() == SOUI::EVT_CMD && tour.onCommand(evt->nameFrom, evt->idFrom)) {
        return TRUE;
    }
    return SOUI::SHostDialog::_HandleEvent(evt);
}

BOOL CGuideDlg::ProcessWindowMessage(HWND hwnd,
                                     UINT msg,
                                     WPARAM wParam,
                                     LPARAM lParam,
                                     LRESULT& result,
                                     DWORD msgMapId) {
    return initDialogMessageMap(*this, hwnd, msg, wParam, lParam, result, msgMapId);
}

SOUI::SImageButton* CGuideDlg::button(GuideButton which) const {
    switch (which) {
        case GuideButton::Start:
            return btnStart;
        case GuideButton::ReGuide:
            return btnReGuide;
        case GuideButton::IKown:
            return btnIKown;
        case GuideButton::End:
            return btnEnd;
        case GuideButton::Cancel:
            return btnCancel;
    }
    return nullptr;
}

// A layout without one of the buttons or the page window leaves that part of the page as it is.
void CGuideDlg::showButton(GuideButton which, bool visible) {
    if (SOUI::SImageButton* b = button(which)) {
        b->SetVisible(visible ? TRUE : FALSE, FALSE);
    }
}

void CGuideDlg::setButtonPos(GuideButton which, const wchar_t* pos) {
    if (SOUI::SImageButton* b = button(which)) {
        b->SetAttribute(L"pos", pos, FALSE);
    }
}

void CGuideDlg::setPageSkin(const wchar_t* skin) {
    if (root) {
        root->SetAttribute(L"skin", skin, FALSE);
    }
}

void CGuideDlg::endTour(int code) {
    EndDialog(code);
}
