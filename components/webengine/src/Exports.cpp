// The exported flat interface. Each export checks its handle (a view that is gone or was never
// made is ignored), and no C++ exception crosses into the caller.
#include <webengine/wke.h>

#include "Engine.h"
#include "EngineString.h"
#include "ScriptValues.h"
#include "View.h"

using wke::Engine;
using wke::View;

namespace {

View* liveView(wkeWebView handle) {
    Engine* e = Engine::get();
    return (e && handle) ? e->viewOf(handle) : nullptr;
}

template <class F>
void withView(wkeWebView handle, F&& f) noexcept {
    try {
        if (View* v = liveView(handle)) {
            f(*v);
        }
    } catch (...) {
        OutputDebugStringW(L"wke: a call failed\n");
    }
}

template <class R, class F>
R fromView(wkeWebView handle, R fallback, F&& f) noexcept {
    try {
        if (View* v = liveView(handle)) {
            return f(*v);
        }
    } catch (...) {
        OutputDebugStringW(L"wke: a call failed\n");
    }
    return fallback;
}

const wchar_t kEmpty[] = L"";

}  // namespace

WKE_API void WKE_CALL wkeInitializeEx(const wkeSettings* /*settings*/) {
    try {
        Engine::initialize();
    } catch (...) {
        OutputDebugStringW(L"wke: the engine did not start\n");
    }
}

WKE_API void WKE_CALL wkeShutdown(void) {
    try {
        Engine::shutdown();
    } catch (...) {
    }
}

WKE_API wkeWebView WKE_CALL wkeCreateWebView(void) {
    try {
        Engine* e = Engine::get();
        return e ? e->createView()->handle() : nullptr;
    } catch (...) {
        return nullptr;
    }
}

WKE_API void WKE_CALL wkeDestroyWebView(wkeWebView view) {
    withView(view, [](View& v) { Engine::get()->destroyView(&v); });
}

WKE_API void WKE_CALL wkeSetHandle(wkeWebView view, HWND hwnd) {
    withView(view, [hwnd](View& v) { v.setHost(hwnd); });
}

WKE_API void WKE_CALL wkeSetNavigationToNewWindowEnable(wkeWebView view, bool enable) {
    withView(view, [enable](View& v) { v.setNewWindowsEnabled(enable); });
}

WKE_API void WKE_CALL wkeOnPaintUpdated(wkeWebView view, wkePaintUpdatedCallback callback, void* param) {
    withView(view, [=](View& v) { v.onPaintUpdated(callback, param); });
}

WKE_API void WKE_CALL wkeOnURLChanged(wkeWebView view, wkeURLChangedCallback callback, void* param) {
    withView(view, [=](View& v) { v.onUrlChanged(callback, param); });
}

WKE_API const wchar_t* WKE_CALL wkeToStringW(wkeString string) {
    return string ? reinterpret_cast<const wkeStringObject*>(string)->text.c_str() : kEmpty;
}

WKE_API void WKE_CALL wkeSetCookieJarFullPath(wkeWebView view, const wchar_t* path) {
    withView(view, [path](View& v) { v.setCookieJar(path ? path : L""); });
}

WKE_API void WKE_CALL wkeLoadURL(wkeWebView view, const char* url) {
    withView(view, [url](View& v) { v.load(url ? url : ""); });
}

WKE_API void WKE_CALL wkeResize(wkeWebView view, int width, int height) {
    withView(view, [=](View& v) { v.resize(width, height); });
}

WKE_API HDC WKE_CALL wkeGetViewDC(wkeWebView view) {
    return fromView(view, static_cast<HDC>(nullptr), [](View& v) { return v.viewDC(); });
}

WKE_API bool WKE_CALL wkeFireMouseEvent(wkeWebView view, unsigned int message, int x, int y, unsigned int flags) {
    return fromView(view, false, [=](View& v) { return v.mouse(message, x, y, flags); });
}

WKE_API bool WKE_CALL wkeFireMouseWheelEvent(wkeWebView view, int x, int y, int delta, unsigned int flags) {
    return fromView(view, false, [=](View& v) { return v.wheel(x, y, delta, flags); });
}

WKE_API bool WKE_CALL wkeFireKeyDownEvent(wkeWebView view,
                                          unsigned int virtualKey,
                                          unsigned int flags,
                                          bool /*systemKey*/) {
    return fromView(view, false, [=](View& v) { return v.keyDown(virtualKey, flags); });
}

WKE_API bool WKE_CALL wkeFireKeyUpEvent(wkeWebView view,
                                        unsigned int virtualKey,
                                        unsigned int flags,
                                        bool /*systemKey*/) {
    return fromView(view, false, [=](View& v) { return v.keyUp(virtualKey, flags); });
}

WKE_API bool WKE_CALL wkeFireKeyPressEvent(wkeWebView view,
                                           unsigned int charCode,
                                           unsigned int flags,
                                           bool /*systemKey*/) {
    return fromView(view, false, [=](View& v) { return v.keyPress(charCode, flags); });
}

WKE_API void WKE_CALL wkeSetFocus(wkeWebView view) {
    withView(view, [](View& v) { v.setFocus(); });
}

WKE_API void WKE_CALL wkeKillFocus(wkeWebView view) {
    withView(view, [](View& v) { v.killFocus(); });
}

WKE_API wkeRect WKE_CALL wkeGetCaret(wkeWebView view) {
    return fromView(view, wkeRect{0, 0, 0, 0}, [](View& v) { return v.caret(); });
}

WKE_API int WKE_CALL wkeGetCursorInfoType(wkeWebView view) {
    return fromView(view, static_cast<int>(WKE_CURSOR_POINTER), [](View& v) { return v.cursor(); });
}

WKE_API void WKE_CALL jsBindFunction(const char* name, jsNativeFunction function, unsigned int argCount) {
    try {
        if (Engine* e = Engine::get(); e && name) {
            e->bind(name, function, argCount);
        }
    } catch (...) {
    }
}

WKE_API jsValue WKE_CALL jsArg(jsExecState es, int index) {
    Engine* e = Engine::get();
    const auto* state = reinterpret_cast<const wke::ExecState*>(es);
    if (!e || !e->values().running(state) || index < 0 || static_cast<size_t>(index) >= state->args.size()) {
        return 0;
    }
    return state->args[static_cast<size_t>(index)];
}

WKE_API const wchar_t* WKE_CALL jsToStringW(jsExecState es, jsValue value) {
    try {
        Engine* e = Engine::get();
        auto* state = reinterpret_cast<wke::ExecState*>(es);
        if (!e || !e->values().running(state)) {
            return kEmpty;
        }
        state->texts.push_back(wke::js::toString(e->values().get(value)));
        return state->texts.back().c_str();
    } catch (...) {
        return kEmpty;
    }
}

WKE_API jsValue WKE_CALL jsUndefined(void) {
    return 0;
}
