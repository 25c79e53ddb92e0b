#pragma once

#include <windows.h>

// What the shell asks of the platform, of the user and of the account service where a test must
// choose the answer. The program uses the real calls (defaults below); tests replace single
// entries and never run the real browser, updater or account service through them.
struct ShellEnvironment {
    // ShellExecuteW; its result is never examined.
    void (*shellExecute)(HWND owner,
                         const wchar_t* verb,
                         const wchar_t* file,
                         const wchar_t* parameters,
                         const wchar_t* directory,
                         int show);
    // MessageBoxW.
    int (*messageBox)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);
    // The account service's requests.
    int (*getUserData)();
    int (*doLoadInfo)();
};

ShellEnvironment& shellEnvironment();
// The real calls, for a test that replaced some and wants them back.
ShellEnvironment defaultShellEnvironment();
