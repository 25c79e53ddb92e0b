#include "PageHook.h"

#include <soui/SWindow.h>
#include <webengine/TestHook.h>

namespace dlgtest {

namespace {

PageRecord g_answer;

LRESULT CALLBACK replyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg != WM_COPYDATA) {
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (!cds || cds->dwData != wkehook::kTestHookMagic || !cds->lpData) {
        return 0;
    }
    std::wstring line(static_cast<const wchar_t*>(cds->lpData));
    size_t at = 0;
    while (at <= line.size()) {
        size_t end = line.find(L'\t', at);
        if (end == std::wstring::npos) {
            end = line.size();
        }
        const std::wstring field = line.substr(at, end - at);
        const size_t eq = field.find(L'=');
        if (eq != std::wstring::npos) {
            g_answer[field.substr(0, eq)] = field.substr(eq + 1);
        }
        at = end + 1;
    }
    return 1;
}

HWND replyWindow() {
    static const HWND hwnd = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &replyProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"dialogs.test.PageHookReply";
        RegisterClassW(&wc);
        return CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }();
    return hwnd;
}

}  // namespace

PageRecord askPage(const std::wstring& request) {
    g_answer.clear();
    const HWND hook = FindWindowExW(HWND_MESSAGE, nullptr, wkehook::kTestHookClass, nullptr);
    if (!hook) {
        return {};
    }
    COPYDATASTRUCT cds = {wkehook::kTestHookMagic, static_cast<DWORD>((request.size() + 1) * sizeof(wchar_t)),
                          const_cast<wchar_t*>(request.c_str())};
    SendMessageW(hook, WM_COPYDATA, reinterpret_cast<WPARAM>(replyWindow()), reinterpret_cast<LPARAM>(&cds));
    return g_answer;
}

bool clickPageElement(HWND host, SOUI::SWindow* webView, const std::wstring& id) {
    PageRecord e = askPage(L"element id=" + id);
    if (e[L"found"] != L"1" || e[L"loading"] != L"0") {
        return false;
    }
    RECT client;
    webView->GetClientRect(&client);
    const int x = client.left + std::stoi(e[L"x"]) + std::stoi(e[L"w"]) / 2;
    const int y = client.top + std::stoi(e[L"y"]) + std::stoi(e[L"h"]) / 2;
    const LPARAM at = MAKELPARAM(x, y);
    PostMessageW(host, WM_MOUSEMOVE, 0, at);
    PostMessageW(host, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(host, WM_LBUTTONUP, 0, at);
    return true;
}

}  // namespace dlgtest
