#pragma once

#include <windows.h>

#include <soui/SButton.h>
#include <soui/SHostDialog.h>

#include "GuideTour.h"

// The first-start guide: a modal dialog the size of the main window over "LAYOUT:XML_GUIDE", one
// full-size picture a page with image buttons placed over it. It ends with 8 when the user finishes
// or quits the tour.
class CGuideDlg : public SOUI::SHostDialog, private GuideView {
  public:
    CGuideDlg();
    ~CGuideDlg() override;

    BOOL _HandleEvent(SOUI::EventArgs* evt) override;
    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD msgMapId = 0)
        override;

    // Finds the buttons and the page window; back to the start page. Returns 1.
    int onInitDialog();
    void nextStep() { tour.nextStep(); }
    void restartTour() { tour.restartTour(); }
    void onEnd() { tour.onEnd(); }
    void onStart() { tour.onStart(); }
    void onCancel() { tour.onCancel(); }
    void onOK() { EndDialog(IDOK); }
    void onDirCancel() { EndDialog(IDCANCEL); }

    BOOL IsMsgHandled() const { return msgHandled; }
    void SetMsgHandled(BOOL handled) { msgHandled = handled; }

    int step() const { return tour.step(); }
    int savedStep() const { return tour.savedStep(); }

    int msgHandled = 0;
    // The page sequence with its step and the step to go back to from the quit confirmation.
    CGuideTour tour;
    SOUI::SImageButton* btnStart = nullptr;
    SOUI::SImageButton* btnReGuide = nullptr;
    SOUI::SImageButton* btnCancel = nullptr;
    SOUI::SImageButton* btnEnd = nullptr;
    SOUI::SImageButton* btnIKown = nullptr;
    // The window that carries the page picture as its skin.
    SOUI::SWindow* root = nullptr;

  private:
    SOUI::SImageButton* button(GuideButton which) const;
    void showButton(GuideButton which, bool visible) override;
    void setButtonPos(GuideButton which, const wchar_t* pos) override;
    void setPageSkin(const wchar_t* skin) override;
    void endTour(int code) override;
};
