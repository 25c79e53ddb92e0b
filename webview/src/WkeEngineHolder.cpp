#include "webview/WkeEngineHolder.h"

#include "webview/WkeEngine.h"

CWkeEngineHolder::CWkeEngineHolder() {
    loadWebEngine();
}

CWkeEngineHolder::~CWkeEngineHolder() {
    if (g_wkeApi.wkeShutdown) {
        g_wkeApi.wkeShutdown();
    }
}
