#pragma once

#include <soui/SHostWnd.h>

namespace SOUI {

// A modal dialog built from a layout.
class SOUI_EXP SHostDialog : public SHostWnd {
  public:
    explicit SHostDialog(LPCWSTR layoutName = nullptr);
    ~SHostDialog() override;

    // A command event from an element with the ID IDOK (1), IDCANCEL (2) or IDCLOSE (8) ends the
    // dialog with that ID; other events are not handled.
    BOOL _HandleEvent(EventArgs* evt) override;
    // Creates the window (owner may be null), sends WM_INITDIALOG, centres and shows it, and runs a
    // message loop until EndDialog; the owner is disabled meanwhile. Returns EndDialog's code
    // (IDCANCEL when the window went otherwise, -1 when it could not be created).
    virtual INT_PTR DoModal(HWND owner = nullptr);
    // Ends the modal loop with the code; the window is destroyed when DoModal returns.
    virtual void EndDialog(INT_PTR code);

    // WM_CLOSE ends the dialog with IDCANCEL; the rest goes to the host's map.
    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD msgMapId = 0)
        override;

  private:
    INT_PTR code_ = IDCANCEL;
    BOOL ending_ = FALSE;
};

}  // namespace SOUI
