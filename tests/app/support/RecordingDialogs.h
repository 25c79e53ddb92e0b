#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

// The shell's dialogs, recorded instead of shown: what was asked, and the answers the test chose.
struct ShownDialog {
    std::wstring kind;                // "prompt", "login", "userInfo", "guide", "closeLogin"
    std::vector<std::wstring> texts;  // a prompt's seven texts in the constructor's order
    HWND owner = nullptr;
};

struct DialogScript {
    std::vector<ShownDialog> shown;
    std::deque<int> promptCodes;  // answered in turn; 2 when none is left
    std::deque<int> loginCodes;   // likewise
    // Runs while a sign-in dialog is "open", as its page would (e.g. sending WM_LOGIN_DONE).
    std::function<void()> whileLoginOpen;

    void reset() { *this = DialogScript(); }
    int count(const std::wstring& kind) const;
};

DialogScript& dialogScript();
