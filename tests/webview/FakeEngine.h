#pragma once

// An engine of recording functions put into the program's entry-point table, so that tests see
// exactly what the web-view control passes to the engine and choose what the engine answers.

#include <windows.h>

#include <webengine/wke.h>

#include <cstdint>
#include <string>
#include <vector>

namespace webviewtest {

struct FakeEngine {
    // Every call as "name(arguments)", in order.
    std::vector<std::string> calls;

    // Answers.
    bool createFails = false;
    bool mouseHandled = true;
    bool wheelHandled = true;
    bool keyHandled = true;
    int cursorType = 0;
    wkeRect caret = {0, 0, 0, 0};
    HDC viewDC = nullptr;

    // What the control handed over.
    wkePaintUpdatedCallback paintCallback = nullptr;
    void* paintParam = nullptr;
    wkeURLChangedCallback urlCallback = nullptr;
    void* urlParam = nullptr;
    std::wstring jarPath;
    std::string loadedUrl;

    static wkeWebView view() { return reinterpret_cast<wkeWebView>(0x5000); }
};

// The fake with its state reset, after filling g_wkeApi with its functions.
FakeEngine& installFakeEngine();
FakeEngine& fakeEngine();
// A pointer as the call texts show it ("0x1a2b").
std::string pointerText(const void* p);
// The calls after the first call whose text begins with `from`.
std::vector<std::string> callsSince(const std::string& from);

}  // namespace webviewtest
