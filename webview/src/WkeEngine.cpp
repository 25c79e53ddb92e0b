#include "webview/WkeEngine.h"

#include <windows.h>

WkeApi g_wkeApi;

namespace {

template <class F>
F lookUp(HMODULE module, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

ModuleFailure missingExport(const char* name) {
    // Export names are ASCII.
    const std::string narrow(name);
    return {ModuleFailure::Step::findExport, std::wstring(narrow.begin(), narrow.end())};
}

}  // namespace

bool loadWebEngine(ModuleFailure& failure, const wchar_t* file) {
    if (g_wkeApi.wkeCreateWebView) {
        return true;
    }
    HMODULE module = LoadLibraryW(file);
    if (!module) {
        failure = {ModuleFailure::Step::loadModule, file};
        return false;
    }
    const auto initialize = lookUp<decltype(&::wkeInitializeEx)>(module, "wkeInitializeEx");
    if (!initialize) {
        failure = missingExport("wkeInitializeEx");
        FreeLibrary(module);
        return false;
    }
    initialize(nullptr);
    WkeApi api;
    const char* missing = nullptr;
#define WKE_LOOK_UP(name)                                \
    api.name = lookUp<decltype(&::name)>(module, #name); \
    if (!api.name && !missing) {                         \
        missing = #name;                                 \
    }
    WKE_FOR_EACH_ENTRY_POINT(WKE_LOOK_UP)
#undef WKE_LOOK_UP
    if (missing) {
        failure = missingExport(missing);
        // The engine runs already: it is stopped before its module goes. One that cannot be
        // stopped keeps its module, whose threads would otherwise run on in freed code.
        if (api.wkeShutdown) {
            api.wkeShutdown();
            FreeLibrary(module);
        }
        return false;
    }
    g_wkeApi = api;
    return true;
}

bool loadWebEngine() {
    ModuleFailure failure;
    return loadWebEngine(failure);
}
