#pragma once

#include <windows.h>

// What the shell asks of the platform, of the user and of the account service where a test must
// choose the answer. The program uses the real calls (defaults below); tests replace single
// entries and never run the real browser, updater or account service through them.
struct ShellEnvironment {
    using ShellExecuteFn = HINSTANCE (*)(HWND owner,
                                         const wchar_t* verb,
                                         const wchar_t* file,
                                         const wchar_t* parameters,
                                         const wchar_t* directory,
                                         int show);
    // ShellExecuteW and its result (see shellStarted).
    ShellExecuteFn shellExecute;
    // MessageBoxW.
    int (*messageBox)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);
    // The account service's requests.
    int (*getUserData)();
    int (*doLoadInfo)();
};

ShellEnvironment& shellEnvironment();
// Whether a result of ShellExecuteW says the program or page was started: above 32, else an
// error code (2 for a missing file).
inline bool shellStarted(HINSTANCE result) {
    return reinterpret_cast<INT_PTR>(result) > 32;
}
// The real calls, for a test that replaced some and wants them back.
ShellEnvironment defaultShellEnvironment();
