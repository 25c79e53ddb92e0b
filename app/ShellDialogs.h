#pragma once

#include <windows.h>

#include "Prompts.h"

class CWkeDlg;

// The dialogs the shell opens, each run modally. Unit tests of the shell link a recording
// version of these instead of the dialogs.

// The prompt dialog with these texts; the code it ended with (1 for its OK button).
int runPrompt(const PromptTexts& texts, HWND owner);
// A new sign-in dialog in mode 1, stored in `newest` before it runs modally without owner; its
// code (1 when closed by WM_CLOSE after a sign-in, 2 by its close button). Never deleted here.
int runLoginDialog(CWkeDlg*& newest);
// The account information dialog, modal without owner.
void runUserInfoDialog();
// The guide tour over the main window.
void runGuideTour(HWND owner);
// Sends the sign-in dialog WM_CLOSE, which ends it with 1.
void closeLoginDialog(CWkeDlg* dialog);
