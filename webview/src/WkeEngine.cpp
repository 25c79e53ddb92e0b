#include "webview/WkeEngine.h"

#include <windows.h>

WkeApi g_wkeApi;

namespace {

template <class F>
F lookUp(HMODULE module, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

bool loadWebEngine() {
    if (g_wkeApi.wkeCreateWebView) {
        return true;
    }
    HMODULE module = LoadLibraryW(L"node.dll");
    if (!module) {
        return false;
    }
    const auto initialize = lookUp<decltype(&::wkeInitializeEx)>(module, "wkeInitializeEx");
    if (!initialize) {
        return false;
    }
    initialize(nullptr);
    WkeApi api;
    bool complete = true;
#define WKE_LOOK_UP(name)                                \
    api.name = lookUp<decltype(&::name)>(module, #name); \
    complete = complete && api.name != nullptr;
    WKE_FOR_EACH_ENTRY_POINT(WKE_LOOK_UP)
#undef WKE_LOOK_UP
    if (complete) {
        g_wkeApi = api;
    }
    return complete;
}
