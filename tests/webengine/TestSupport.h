#pragma once

// What the engine's and the web view's tests share: message pumping, the test servers' addresses
// (run_with_server.py) and the test hook's client.

#include <windows.h>

#include <webengine/TestHookClient.h>

#include <cctype>
#include <cstdlib>
#include <functional>
#include <string>

namespace wketest {

// Pumps messages until done() holds or the time runs out; true when it held.
inline bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 15000) {
    const DWORD start = GetTickCount();
    MSG msg;
    for (;;) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) {
            return true;
        }
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

inline void pumpFor(DWORD ms) {
    pumpUntil([] { return false; }, ms);
}

inline std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

inline std::string percentEncode(const std::wstring& text) {
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n > 0 ? n : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), n, nullptr, nullptr);
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : utf8) {
        if (isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

// The address at which the test server answers the page.
inline std::string pageUrl(const std::wstring& html, const char* base = "WKE_TEST_HTTP") {
    return env(base) + "/html?b=" + percentEncode(html);
}

using Record = wkehook::Record;
using HookClient = wkehook::Client;

}  // namespace wketest
