#pragma once

#include <windows.h>

#include <soui/SString.h>

// The platform calls of the crash path that tests replace: the message boxes, the clock behind
// the log file's name and the local application data folder that holds the log folder. The
// program leaves them at the real calls.
struct CrashPlatform {
    int(WINAPI* messageBoxW)(HWND owner, LPCWSTR text, LPCWSTR caption, UINT style);
    int(WINAPI* messageBoxA)(HWND owner, LPCSTR text, LPCSTR caption, UINT style);
    void(WINAPI* getSystemTime)(LPSYSTEMTIME utc);
    SOUI::SStringW (*localAppDataDir)();
};

extern CrashPlatform g_crashPlatform;
