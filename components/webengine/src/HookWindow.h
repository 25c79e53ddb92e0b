#pragma once

// The message-only window of a view that answers the test hook (webengine/TestHook.h).

#include <windows.h>

namespace wke {

void registerHookClass(HINSTANCE module);
void unregisterHookClass(HINSTANCE module);
// A hook window for the view with the id; null when it cannot be made.
HWND createHookWindow(HINSTANCE module, unsigned viewId);

}  // namespace wke
