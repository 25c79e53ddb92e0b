#pragma once

// The program's binding to the web engine "node.dll": its entry points, looked up by name once
// at start-up and kept for the life of the process.

#include <webengine/wke.h>

#include "foundation/ModuleFailure.h"

// The engine's entry points; every member is null until loadWebEngine succeeded, and stays null
// when node.dll or any one of its functions is missing.
struct WkeApi {
#define WKE_API_MEMBER(name) decltype(&::name) name = nullptr;
    WKE_FOR_EACH_ENTRY_POINT(WKE_API_MEMBER)
#undef WKE_API_MEMBER
};

extern WkeApi g_wkeApi;

// Loads "node.dll" (tests name another module) by name, starts the engine (wkeInitializeEx with
// null) and fills g_wkeApi. Only a complete table is kept: true when every entry point was found.
// Otherwise false and `failure` names the module or the first missing export; an engine started
// without its full table is shut down and its module freed again (kept when it has no
// wkeShutdown). After success the module is never unloaded; a second call does nothing and
// answers true.
bool loadWebEngine(ModuleFailure& failure, const wchar_t* file = L"node.dll");
// The same, for callers that only ask whether the engine is there.
bool loadWebEngine();
