#include "PageHook.h"

#include <soui/SWindow.h>
#include <webengine/TestHookClient.h>

namespace dlgtest {

PageRecord askPage(const std::wstring& request) {
    // Only this process's view: other test programs on the same display have views too.
    wkehook::Client client;
    for (HWND hook : wkehook::Client::hooks()) {
        DWORD process = 0;
        GetWindowThreadProcessId(hook, &process);
        if (process == GetCurrentProcessId()) {
            return wkehook::parseRecord(client.askText(hook, request));
        }
    }
    return {};
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
