#pragma once

// What the sign-in page's report of a user id does, apart from the engine that carries it. The
// id becomes narrow text in the thread's ANSI code page. An id that the sign-in id rule refuses, or
// that does not come back unchanged from that code page (it would be stored as another account's
// id, or with "?" in place of what did not convert), is ignored: nothing is stored and the main
// window is not told; true when the id was taken. A taken id is stored in the user record
// (CAppState::storeSignedInUser), then the main window is told (WM_LOGIN_DONE, handled before this
// returns: the main window asks for the profile and may close the sign-in dialog).
bool reportSignedInUser(const wchar_t* text);
