#pragma once

#include <soui/SString.h>

// What the sign-in page's report of a user id does, apart from the engine that carries it: the id
// becomes the user record's and the settings key "userid"; when the known-ids list does not hold
// it yet it joins that list ("userdic"); then the main window is told (WM_LOGIN_DONE, handled
// before this returns: the main window asks for the profile and may close the sign-in dialog).
// The id is narrow text in the thread's ANSI code page.
void storeSignedInUser(const SOUI::SStringA& id);

// The page's report as the engine gives it: an id that the sign-in id rule refuses, or that does
// not come back unchanged from the thread's ANSI code page (it would be stored as another
// account's id, or with "?" in place of what did not convert), is ignored: nothing is stored and
// the main window is not told. Otherwise as storeSignedInUser. True when the id was taken.
bool reportSignedInUser(const wchar_t* text);

// Appends the id and ";" to the list when the id occurs nowhere in the list's text (a plain
// substring search); true when it did.
bool addKnownUserId(SOUI::SStringA& list, const SOUI::SStringA& id);
