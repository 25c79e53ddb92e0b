#include "HookWindow.h"

#include <webengine/TestHook.h>

#include <string>

#include "Engine.h"
#include "View.h"

namespace wke {

namespace {

LRESULT CALLBACK hookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg != WM_COPYDATA) {
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    const HWND reply = reinterpret_cast<HWND>(wParam);
    Engine* engine = Engine::get();
    View* view = engine ? engine->viewById(static_cast<unsigned>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) : nullptr;
    if (!cds || cds->dwData != wkehook::kTestHookMagic || !cds->lpData || !view || !IsWindow(reply)) {
        return 0;
    }
    try {
        std::wstring request(static_cast<const wchar_t*>(cds->lpData), cds->cbData / sizeof(wchar_t));
        request.resize(wcslen(request.c_str()));
        const std::wstring answer = view->answerHook(request);
        COPYDATASTRUCT out = {wkehook::kTestHookMagic, static_cast<DWORD>((answer.size() + 1) * sizeof(wchar_t)),
                              const_cast<wchar_t*>(answer.c_str())};
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(reply, WM_COPYDATA, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(&out),
                            SMTO_ABORTIFHUNG, 5000, &ignored);
        return 1;
    } catch (...) {
        return 0;
    }
}

}  // namespace

void registerHookClass(HINSTANCE module) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &hookProc;
    wc.hInstance = module;
    wc.lpszClassName = wkehook::kTestHookClass;
    RegisterClassExW(&wc);
}

void unregisterHookClass(HINSTANCE module) {
    UnregisterClassW(wkehook::kTestHookClass, module);
}

HWND createHookWindow(HINSTANCE module, unsigned viewId) {
    HWND hwnd = CreateWindowExW(0, wkehook::kTestHookClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module, nullptr);
    if (hwnd) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(viewId));
    }
    return hwnd;
}

}  // namespace wke
