#pragma once

// node.dll loaded by name, as the program loads it, for the engine's own tests; and the small
// helpers those tests share.

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <string>

#include <webengine/TestHook.h>
#include <webengine/wke.h>

namespace wketest {

struct Api {
    HMODULE module = nullptr;
    decltype(&::wkeInitializeEx) wkeInitializeEx = nullptr;
#define WKETEST_MEMBER(name) decltype(&::name) name = nullptr;
    WKE_FOR_EACH_ENTRY_POINT(WKETEST_MEMBER)
#undef WKETEST_MEMBER
    bool complete = false;
};

// Loads node.dll once and starts the engine; the table is complete when every export was found.
inline Api& api() {
    static Api a = [] {
        Api t;
        t.module = LoadLibraryW(L"node.dll");
        if (!t.module) {
            return t;
        }
        bool complete = true;
        auto find = [&](const char* name) {
            void* p = reinterpret_cast<void*>(GetProcAddress(t.module, name));
            complete = complete && p != nullptr;
            return p;
        };
        t.wkeInitializeEx = reinterpret_cast<decltype(t.wkeInitializeEx)>(find("wkeInitializeEx"));
#define WKETEST_FIND(name) t.name = reinterpret_cast<decltype(t.name)>(find(#name));
        WKE_FOR_EACH_ENTRY_POINT(WKETEST_FIND)
#undef WKETEST_FIND
        t.complete = complete;
        if (complete) {
            t.wkeInitializeEx(nullptr);
        }
        return t;
    }();
    return a;
}

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
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
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

using Record = std::map<std::wstring, std::wstring>;

inline Record parseRecord(const std::wstring& line) {
    Record r;
    size_t i = 0;
    while (i <= line.size()) {
        size_t end = line.find(L'\t', i);
        if (end == std::wstring::npos) {
            end = line.size();
        }
        const std::wstring item = line.substr(i, end - i);
        const size_t eq = item.find(L'=');
        if (eq != std::wstring::npos) {
            r[item.substr(0, eq)] = item.substr(eq + 1);
        }
        i = end + 1;
    }
    return r;
}

// Asks the test hook of the view shown in host (see webengine/TestHook.h).
class HookClient {
public:
    HookClient() {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &HookClient::proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"wketest.Reply";
        RegisterClassW(&wc);
        reply_ = CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }
    ~HookClient() { DestroyWindow(reply_); }
    HookClient(const HookClient&) = delete;
    HookClient& operator=(const HookClient&) = delete;

    Record ask(HWND host, const std::wstring& request) {
        HWND after = nullptr;
        while ((after = FindWindowExW(HWND_MESSAGE, after, wkehook::kTestHookClass, nullptr)) != nullptr) {
            Record info = parseRecord(send(after, L"info"));
            if (wcstoul(info[L"host"].c_str(), nullptr, 16) == static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(host))) {
                return parseRecord(send(after, request));
            }
        }
        return {};
    }

    // The centre of a page element at view coordinates; false when the page does not show it.
    bool centre(HWND host, const std::wstring& id, POINT& pt) {
        Record r = ask(host, L"element id=" + id);
        if (r[L"found"] != L"1") {
            return false;
        }
        pt = {_wtoi(r[L"x"].c_str()) + _wtoi(r[L"w"].c_str()) / 2, _wtoi(r[L"y"].c_str()) + _wtoi(r[L"h"].c_str()) / 2};
        return true;
    }

private:
    std::wstring send(HWND hook, const std::wstring& request) {
        COPYDATASTRUCT cds = {wkehook::kTestHookMagic, static_cast<DWORD>((request.size() + 1) * sizeof(wchar_t)),
                              const_cast<wchar_t*>(request.c_str())};
        answer() = L"";
        SendMessageW(hook, WM_COPYDATA, reinterpret_cast<WPARAM>(reply_), reinterpret_cast<LPARAM>(&cds));
        return answer();
    }
    static std::wstring& answer() {
        static std::wstring a;
        return a;
    }
    static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_COPYDATA) {
            const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            if (cds && cds->dwData == wkehook::kTestHookMagic && cds->lpData) {
                answer().assign(static_cast<const wchar_t*>(cds->lpData), cds->cbData / sizeof(wchar_t));
                answer().resize(wcslen(answer().c_str()));
            }
            return 1;
        }
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }

    HWND reply_ = nullptr;
};

}  // namespace wketest
