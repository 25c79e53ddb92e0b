#pragma once

// The asking side of the engine's test hook (TestHook.h), for wkespy and for tests.

#include <windows.h>

#include <webengine/TestHook.h>

#include <map>
#include <string>
#include <vector>

namespace wkehook {

// One answer: its key=value fields.
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

// A message-only window that receives the answers; one per thread that asks.
class Client {
  public:
    Client() {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &Client::proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"wke.TestHookReply";
        RegisterClassW(&wc);
        reply_ = CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }
    ~Client() { DestroyWindow(reply_); }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    // The hook windows of every view of every process.
    static std::vector<HWND> hooks() {
        std::vector<HWND> all;
        HWND after = nullptr;
        while ((after = FindWindowExW(HWND_MESSAGE, after, kTestHookClass, nullptr)) != nullptr) {
            all.push_back(after);
        }
        return all;
    }

    // The answer of one hook window as text; "" when it gave none.
    std::wstring askText(HWND hook, const std::wstring& request) {
        COPYDATASTRUCT cds = {kTestHookMagic, static_cast<DWORD>((request.size() + 1) * sizeof(wchar_t)),
                              const_cast<wchar_t*>(request.c_str())};
        answer() = L"";
        DWORD_PTR result = 0;
        SendMessageTimeoutW(hook, WM_COPYDATA, reinterpret_cast<WPARAM>(reply_), reinterpret_cast<LPARAM>(&cds),
                            SMTO_ABORTIFHUNG, 10000, &result);
        return answer();
    }

    // The hook of the view shown in host (any view for null); null when there is none.
    HWND findByHost(HWND host) {
        for (HWND h : hooks()) {
            Record info = parseRecord(askText(h, L"info"));
            if (!host || wcstoul(info[L"host"].c_str(), nullptr, 16) ==
                             static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(host))) {
                return h;
            }
        }
        return nullptr;
    }

    // The answer of the view shown in host; empty when there is no such view.
    Record ask(HWND host, const std::wstring& request) {
        HWND hook = findByHost(host);
        return hook ? parseRecord(askText(hook, request)) : Record();
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
    static std::wstring& answer() {
        static thread_local std::wstring a;
        return a;
    }
    static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_COPYDATA) {
            const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            if (cds && cds->dwData == kTestHookMagic && cds->lpData) {
                answer().assign(static_cast<const wchar_t*>(cds->lpData), cds->cbData / sizeof(wchar_t));
                answer().resize(wcslen(answer().c_str()));
            }
            return 1;
        }
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }

    HWND reply_ = nullptr;
};

}  // namespace wkehook
