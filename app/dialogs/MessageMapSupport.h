#pragma once

#include <windows.h>

#include "HandlerBoundary.h"

// What the message maps of the main window and of the dialogs share.

// Keeps a window's handled flag across one dispatch: dialogs run modal loops inside handlers, and a
// message handled in the nested loop must not change the outer handler's flag.
class CHandledFlagScope {
  public:
    explicit CHandledFlagScope(int& flag) : flag_(flag), saved_(flag) {}
    ~CHandledFlagScope() { flag_ = saved_; }
    CHandledFlagScope(const CHandledFlagScope&) = delete;
    CHandledFlagScope& operator=(const CHandledFlagScope&) = delete;

  private:
    int& flag_;
    int saved_;
};

// Whether a notification reflected back to its child counts as answered: the child handled it and
// either answered non-zero or the message is no WM_CTLCOLOR* query, whose 0 leaves the colours to
// the system's default handling.
inline bool reflectionAnswered(UINT msg, BOOL handled, LRESULT answer) {
    return handled && (answer != 0 || msg < WM_CTLCOLORMSGBOX || msg > WM_CTLCOLORSTATIC);
}

// Runs a window's message map as the UI library's window procedure calls it, at the handler
// boundary: a map stopped by an error leaves the message handled with the result 0.
template <class Map>
BOOL runMessageMap(const wchar_t* window, LRESULT& result, Map&& map) noexcept {
    BOOL handled = FALSE;
    if (!PXV::runAtBoundary(window, [&] { handled = map(); })) {
        result = 0;
        return TRUE;
    }
    return handled;
}
