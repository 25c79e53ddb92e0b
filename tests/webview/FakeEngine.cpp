#include "FakeEngine.h"

#include <cstdarg>
#include <cstdio>

#include "webview/WkeEngine.h"

namespace webviewtest {

namespace {

FakeEngine g_fake;

std::string viewText(wkeWebView v) {
    return v == FakeEngine::view() ? "view" : pointerText(v);
}

void log(const char* format, ...) __attribute__((format(printf, 1, 2)));
void log(const char* format, ...) {
    char b[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(b, sizeof b, format, args);
    va_end(args);
    g_fake.calls.emplace_back(b);
}

wkeWebView WKE_CALL createWebView() {
    log("wkeCreateWebView()");
    return g_fake.createFails ? nullptr : FakeEngine::view();
}
void WKE_CALL destroyWebView(wkeWebView v) {
    log("wkeDestroyWebView(%s)", viewText(v).c_str());
}
void WKE_CALL setHandle(wkeWebView v, HWND h) {
    log("wkeSetHandle(%s,%s)", viewText(v).c_str(), pointerText(h).c_str());
}
void WKE_CALL setNewWindows(wkeWebView v, bool enable) {
    log("wkeSetNavigationToNewWindowEnable(%s,%d)", viewText(v).c_str(), enable ? 1 : 0);
}
void WKE_CALL onPaintUpdated(wkeWebView v, wkePaintUpdatedCallback cb, void* param) {
    log("wkeOnPaintUpdated(%s,%s)", viewText(v).c_str(), pointerText(param).c_str());
    g_fake.paintCallback = cb;
    g_fake.paintParam = param;
}
void WKE_CALL onUrlChanged(wkeWebView v, wkeURLChangedCallback cb, void* param) {
    log("wkeOnURLChanged(%s,%s)", viewText(v).c_str(), pointerText(param).c_str());
    g_fake.urlCallback = cb;
    g_fake.urlParam = param;
}
const wchar_t* WKE_CALL toStringW(wkeString s) {
    log("wkeToStringW(%s)", pointerText(s).c_str());
    return L"http://changed/";
}
void WKE_CALL setCookieJar(wkeWebView v, const wchar_t* path) {
    log("wkeSetCookieJarFullPath(%s)", viewText(v).c_str());
    g_fake.jarPath = path ? path : L"(null)";
}
void WKE_CALL loadUrl(wkeWebView v, const char* url) {
    log("wkeLoadURL(%s,%s)", viewText(v).c_str(), url ? url : "(null)");
    g_fake.loadedUrl = url ? url : "";
}
void WKE_CALL resize(wkeWebView v, int w, int h) {
    log("wkeResize(%s,%d,%d)", viewText(v).c_str(), w, h);
}
HDC WKE_CALL getViewDC(wkeWebView v) {
    log("wkeGetViewDC(%s)", viewText(v).c_str());
    return g_fake.viewDC;
}
bool WKE_CALL fireMouse(wkeWebView v, unsigned msg, int x, int y, unsigned flags) {
    log("wkeFireMouseEvent(%s,0x%x,%d,%d,0x%x)", viewText(v).c_str(), msg, x, y, flags);
    return g_fake.mouseHandled;
}
bool WKE_CALL fireWheel(wkeWebView v, int x, int y, int delta, unsigned flags) {
    log("wkeFireMouseWheelEvent(%s,%d,%d,%d,0x%x)", viewText(v).c_str(), x, y, delta, flags);
    return g_fake.wheelHandled;
}
bool WKE_CALL fireKeyDown(wkeWebView v, unsigned key, unsigned flags, bool sys) {
    log("wkeFireKeyDownEvent(%s,%u,0x%x,%d)", viewText(v).c_str(), key, flags, sys ? 1 : 0);
    return g_fake.keyHandled;
}
bool WKE_CALL fireKeyUp(wkeWebView v, unsigned key, unsigned flags, bool sys) {
    log("wkeFireKeyUpEvent(%s,%u,0x%x,%d)", viewText(v).c_str(), key, flags, sys ? 1 : 0);
    return g_fake.keyHandled;
}
bool WKE_CALL fireKeyPress(wkeWebView v, unsigned ch, unsigned flags, bool sys) {
    log("wkeFireKeyPressEvent(%s,%u,0x%x,%d)", viewText(v).c_str(), ch, flags, sys ? 1 : 0);
    return g_fake.keyHandled;
}
void WKE_CALL setFocus(wkeWebView v) {
    log("wkeSetFocus(%s)", viewText(v).c_str());
}
void WKE_CALL killFocus(wkeWebView v) {
    log("wkeKillFocus(%s)", viewText(v).c_str());
}
wkeRect WKE_CALL getCaret(wkeWebView v) {
    log("wkeGetCaret(%s)", viewText(v).c_str());
    return g_fake.caret;
}
int WKE_CALL cursorType(wkeWebView v) {
    log("wkeGetCursorInfoType(%s)", viewText(v).c_str());
    return g_fake.cursorType;
}
void WKE_CALL shutdown() {
    log("wkeShutdown()");
}
void WKE_CALL bindFunction(const char* name, jsNativeFunction, unsigned argc) {
    log("jsBindFunction(%s,%u)", name, argc);
}
jsValue WKE_CALL arg(jsExecState, int index) {
    log("jsArg(%d)", index);
    return 0;
}
const wchar_t* WKE_CALL toStringJs(jsExecState, jsValue) {
    log("jsToStringW()");
    return L"";
}
jsValue WKE_CALL undefinedValue() {
    log("jsUndefined()");
    return 0;
}

}  // namespace

std::string pointerText(const void* p) {
    char b[32];
    std::snprintf(b, sizeof b, "0x%lx", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(p)));
    return b;
}

FakeEngine& fakeEngine() {
    return g_fake;
}

FakeEngine& installFakeEngine() {
    g_fake = FakeEngine();
    WkeApi& a = g_wkeApi;
    a.wkeCreateWebView = createWebView;
    a.wkeDestroyWebView = destroyWebView;
    a.wkeSetHandle = setHandle;
    a.wkeSetNavigationToNewWindowEnable = setNewWindows;
    a.wkeOnPaintUpdated = onPaintUpdated;
    a.wkeOnURLChanged = onUrlChanged;
    a.wkeToStringW = toStringW;
    a.wkeSetCookieJarFullPath = setCookieJar;
    a.wkeLoadURL = loadUrl;
    a.wkeResize = resize;
    a.wkeGetViewDC = getViewDC;
    a.wkeFireMouseEvent = fireMouse;
    a.wkeFireMouseWheelEvent = fireWheel;
    a.wkeFireKeyDownEvent = fireKeyDown;
    a.wkeFireKeyUpEvent = fireKeyUp;
    a.wkeFireKeyPressEvent = fireKeyPress;
    a.wkeSetFocus = setFocus;
    a.wkeKillFocus = killFocus;
    a.wkeGetCaret = getCaret;
    a.wkeGetCursorInfoType = cursorType;
    a.wkeShutdown = shutdown;
    a.jsBindFunction = bindFunction;
    a.jsArg = arg;
    a.jsToStringW = toStringJs;
    a.jsUndefined = undefinedValue;
    return g_fake;
}

std::vector<std::string> callsSince(const std::string& from) {
    std::vector<std::string> out;
    bool found = false;
    for (const std::string& c : g_fake.calls) {
        found = found || c.compare(0, from.size(), from) == 0;
        if (found) {
            out.push_back(c);
        }
    }
    return out;
}

}  // namespace webviewtest
