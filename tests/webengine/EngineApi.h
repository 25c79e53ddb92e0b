#pragma once

// node.dll loaded by name, as the program loads it, for the engine's own tests.

#include <windows.h>

#include <webengine/wke.h>

#include "TestSupport.h"

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

}  // namespace wketest
