#pragma once

#include <windows.h>

// Starts the updater beside the program with its one parameter text "prover versionInformation".
// When the shell cannot start it (missing, or refused) the user is told in a prompt owned by
// `noticeOwner` and the result is false: the program goes on.
bool startUpdater(int show, HWND noticeOwner);
