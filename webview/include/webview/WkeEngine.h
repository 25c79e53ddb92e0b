#pragma once

// The program's binding to the web engine "node.dll": its entry points, looked up by name once
// at start-up and kept for the life of the process.

#include <webengine/wke.h>

// The engine's entry points; every member is null until loadWebEngine succeeded, and stays null
// when node.dll or any one of its functions is missing.
struct WkeApi {
#define WKE_API_MEMBER(name) decltype(&::name) name = nullptr;
    WKE_FOR_EACH_ENTRY_POINT(WKE_API_MEMBER)
#undef WKE_API_MEMBER
};

extern WkeApi g_wkeApi;

// Loads "node.dll" by name, starts the engine (wkeInitializeEx with null) and fills g_wkeApi.
// Only a complete table is kept: true when every entry point was found. The module is never
// unloaded. A second call after success does nothing and answers true.
bool loadWebEngine();
