#pragma once

#include <windows.h>

#include <foundation/RecentDocList.h>
#include <soui/SHostDialog.h>

// The start page: the last four recent documents, the last one first, to open or forget; clearing
// the list, browsing for another document through the PDF control, and the account. Changes stay
// in the page's own list: the stored history is never written. The program never opens it.
class CMsgDlg : public SOUI::SHostDialog {
  public:
    // Reads the stored history once, through the list.
    CMsgDlg();
    ~CMsgDlg() override;

    BOOL _HandleEvent(SOUI::EventArgs* evt) override;
    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD msgMapId = 0)
        override;

    // Shows the list and the account button; returns 1.
    int onInitDialog();
    void fillRecentList();
    void updateLoginButton();
    // The list item that was clicked, or the delete button inside one.
    void openRecentItem(SOUI::EventArgs* evt);
    void removeRecentItem(SOUI::EventArgs* evt);
    void clearRecentList();
    void browseForOpen();
    void onBtnLogin();

    CRecentDocList& recentDocList() { return recentDocs; }

    BOOL IsMsgHandled() const { return msgHandled; }
    void SetMsgHandled(BOOL handled) { msgHandled = handled; }

    int msgHandled = 0;
    CRecentDocList recentDocs;

  private:
    // The record a list item shows (by its user data), or -1 when it shows none.
    int recordIndexOf(const SOUI::SWindow* item) const;
    void focusRoot();
};
