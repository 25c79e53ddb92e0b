// The shell's dialogs, run modally.
#include "ShellDialogs.h"

#include "GuideDlg.h"
#include "TipDlg.h"
#include "UserInfoDlg.h"
#include "WkeDlg.h"

int runPrompt(const PromptTexts& texts, HWND owner) {
    CTipDlg prompt(texts.text, texts.line1, texts.line2, texts.line3, texts.okCaption, texts.cancelCaption,
                   texts.title);
    return static_cast<int>(prompt.DoModal(owner));
}

int runLoginDialog(CWkeDlg*& newest) {
    return runNewSignInDialog(newest);
}

void closeLoginDialog(CWkeDlg* dialog) {
    if (dialog && dialog->m_hWnd) {
        ::SendMessageW(dialog->m_hWnd, WM_CLOSE, 0, 0);
    }
}

void runUserInfoDialog() {
    CUserInfoDlg info;
    info.DoModal(nullptr);
}

void runGuideTour(HWND owner) {
    CGuideDlg guide;
    guide.DoModal(owner);
}
