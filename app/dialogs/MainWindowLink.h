#pragma once

#include <windows.h>

class CWkeDlg;

// The main window as the dialogs reach it. The shell, which lies above the dialogs, gives its
// main window once that exists (setMainWindowLink); a test program of the dialogs gives one of its
// own. Until then there is no main window: mainWindowLink is null.
class MainWindowLink {
  public:
    virtual HWND window() const = 0;
    // Opens the document in the PDF control when the file exists, else tells the user it does not;
    // 1 when opened.
    virtual int openFile(const wchar_t* path) = 0;
    // The account information dialog, modal without owner.
    virtual void showUserInfoDialog() = 0;
    // Where the main window keeps its newest sign-in dialog.
    virtual CWkeDlg*& newestSignInDialog() = 0;

  protected:
    ~MainWindowLink() = default;
};

void setMainWindowLink(MainWindowLink* link);
MainWindowLink* mainWindowLink();
