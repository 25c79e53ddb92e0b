#pragma once

#include <utility>

namespace PXV {

// Sends the debugger output the handler's name and the exception being handled. Only inside a
// catch block.
void reportStoppedHandler(const wchar_t* where) noexcept;

// The one place that decides what an exception escaping a handler becomes. A handler is an
// operation a foreign module starts (a window message, an event of the PDF control, a call of the
// web engine's script, a request of the UI library's real-window handler) or a step the main window
// must survive (the control's set-up, the engine's notice before the window goes). COM errors of the
// control's calls travel up uncaught to here, and so does any other exception: the handler stops,
// the steps already done stay done, the process goes on, and the debugger output names the handler
// and the error. True when the handler ran to its end.
template <class Handler>
bool runAtBoundary(const wchar_t* where, Handler&& handler) noexcept {
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (...) {
        reportStoppedHandler(where);
        return false;
    }
}

}  // namespace PXV
