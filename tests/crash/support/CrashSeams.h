#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The crash path's platform calls replaced for a test: message boxes are recorded instead of
// shown, the clock may be fixed, and the log folder lies under a scratch local application data
// folder. Every box is kept in memory and, when a record file is given, also written to it at
// once (a child process may die right after its box).
namespace crashseams {

struct Box {
    bool wide = false;
    HWND owner = nullptr;
    std::string text;     // a wide box's text as UTF-8, a narrow box's bytes as given
    std::string caption;  // likewise
    UINT style = 0;
    DWORD threadId = 0;
};

// 2019-12-03 08:15:12 UTC, the time the fixed clock gives.
inline constexpr wchar_t kFixedLogName[] = L"20191203081512.log";

void install(const std::wstring& localAppData, bool fixedClock, const std::wstring& recordFile = L"");
void uninstall();

std::vector<Box> boxes();
void clearBoxes();

// The boxes a child process wrote to its record file.
std::vector<Box> readBoxes(const std::wstring& recordFile);

}  // namespace crashseams
