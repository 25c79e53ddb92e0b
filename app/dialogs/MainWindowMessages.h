#pragma once

#include <windows.h>

// Messages the main window answers for the rest of the program and for other processes.
// The sign-in page's script callback: the user id is stored, ask for the profile (wParam, lParam 0).
inline constexpr UINT WM_LOGIN_DONE = WM_USER + 6;
// Opens the sign-in dialog (no sender inside the program).
inline constexpr UINT WM_SHOW_LOGIN = WM_USER + 8;
// A second instance stored its command line in the settings key openDocPath (wParam, lParam 0).
inline constexpr UINT WM_OPEN_PENDING_DOC = WM_USER + 16;
