#pragma once

// The flat interface of the web engine module "node.dll", shared by the engine and by the program
// that loads it by name. Everything about the binary boundary is fixed here, once:
//
// - Calling convention: every export and every callback is __cdecl (WKE_CALL); the caller removes
//   the arguments. Exports are extern "C" with undecorated names ("wkeCreateWebView"), so
//   GetProcAddress finds them by the plain name.
// - bool is one byte, returned in AL; int, unsigned int, pointers and handles are 4-byte words.
// - jsValue is a 64-bit integer, passed as two stack words (low word first) and returned in
//   EDX:EAX. Its bits are the engine's business; only jsUndefined() and values the engine handed out
//   mean anything, and a value is good until the outermost script call that produced it returns.
// - wkeGetCaret returns a 16-byte struct by value: the caller passes a hidden pointer to its own
//   storage as the first stack argument, the engine fills it and returns the pointer in EAX, and the
//   caller removes the hidden pointer with the other arguments (the Windows rule for 32-bit code;
//   WKE_AGGREGATE_RETURN makes it explicit for GCC).
// - Texts: addresses are UTF-8 byte strings; paths and the texts the engine hands out are UTF-16.
//   A text returned by wkeToStringW or jsToStringW belongs to the engine: copy it at once.
// - Threads: call the engine from the thread that called wkeInitializeEx; every callback into the
//   program (paint, address change, bound script functions) runs on that thread, from its message
//   loop or from inside the fire function that caused it.

#include <windows.h>

#define WKE_CALL __cdecl

#ifdef WKE_BUILDING_ENGINE
#define WKE_API extern "C" __declspec(dllexport)
#else
#define WKE_API extern "C"
#endif

#if defined(__GNUC__) && defined(__i386__)
#define WKE_AGGREGATE_RETURN __attribute__((callee_pop_aggregate_return(0)))
#else
#define WKE_AGGREGATE_RETURN
#endif

// Opaque handles: a web view, an engine string, the state of one running script call.
typedef struct wkeWebViewObject* wkeWebView;
typedef struct wkeStringObject* wkeString;
typedef struct jsExecStateObject* jsExecState;

typedef long long jsValue;
static_assert(sizeof(jsValue) == 8, "jsValue is 64 bits on both sides");

// The engine takes no settings; wkeInitializeEx is called with null.
struct wkeSettings;

// A rectangle at view coordinates (0, 0 is the view's top-left corner).
struct wkeRect {
    int x;
    int y;
    int w;
    int h;
};
static_assert(sizeof(wkeRect) == 16, "wkeRect is four 32-bit integers");

// Cursor types that wkeGetCursorInfoType answers; the program maps 0-29 to system cursors.
enum {
    WKE_CURSOR_POINTER = 0,
    WKE_CURSOR_CROSS = 1,
    WKE_CURSOR_HAND = 2,
    WKE_CURSOR_IBEAM = 3,
    WKE_CURSOR_WAIT = 4,
    WKE_CURSOR_HELP = 5,
    WKE_CURSOR_MOVE = 29,
};

// The view repainted the rectangle (x, y, cx, cy) of its image; dc is the view's device context.
typedef void(WKE_CALL* wkePaintUpdatedCallback)(wkeWebView view, void* param, HDC dc, int x, int y, int cx, int cy);
// The view's address changed (a navigation was committed); url lives until the callback returns.
typedef void(WKE_CALL* wkeURLChangedCallback)(wkeWebView view, void* param, wkeString url);
// A bound global script function; its result is the value of the page's call.
typedef jsValue(WKE_CALL* jsNativeFunction)(jsExecState es);

// Starts the engine on the calling thread; settings may be null. A second call does nothing.
WKE_API void WKE_CALL wkeInitializeEx(const wkeSettings* settings);
// Ends the engine: transfers stop, every view goes; no callback runs afterwards.
WKE_API void WKE_CALL wkeShutdown(void);

// A new view of 1 by 1 pixels showing a blank page; null when the engine is not initialised.
WKE_API wkeWebView WKE_CALL wkeCreateWebView(void);
WKE_API void WKE_CALL wkeDestroyWebView(wkeWebView view);
// The window that shows the view (null detaches it); used for the test hook's reports.
WKE_API void WKE_CALL wkeSetHandle(wkeWebView view, HWND hwnd);
// With false, links that ask for a new window load in this view.
WKE_API void WKE_CALL wkeSetNavigationToNewWindowEnable(wkeWebView view, bool enable);
WKE_API void WKE_CALL wkeOnPaintUpdated(wkeWebView view, wkePaintUpdatedCallback callback, void* param);
WKE_API void WKE_CALL wkeOnURLChanged(wkeWebView view, wkeURLChangedCallback callback, void* param);
// The text of an engine string; "" for null.
WKE_API const wchar_t* WKE_CALL wkeToStringW(wkeString string);
// The file in which the view keeps its cookies (Netscape cookie-file lines), read before and
// written after every transfer.
WKE_API void WKE_CALL wkeSetCookieJarFullPath(wkeWebView view, const wchar_t* path);
// Starts loading an address (UTF-8) and returns at once. "" and "about:blank" give a blank page.
WKE_API void WKE_CALL wkeLoadURL(wkeWebView view, const char* url);
WKE_API void WKE_CALL wkeResize(wkeWebView view, int width, int height);
// A memory DC holding the view's current image (32-bit, opaque pixels have alpha 255).
WKE_API HDC WKE_CALL wkeGetViewDC(wkeWebView view);

// Input at view coordinates; flags are the MK_* bits (mouse) or KF_EXTENDED / KF_REPEAT (keys).
// Each returns true when the page handled the event.
WKE_API bool WKE_CALL wkeFireMouseEvent(wkeWebView view, unsigned int message, int x, int y, unsigned int flags);
WKE_API bool WKE_CALL wkeFireMouseWheelEvent(wkeWebView view, int x, int y, int delta, unsigned int flags);
WKE_API bool WKE_CALL wkeFireKeyDownEvent(wkeWebView view, unsigned int virtualKey, unsigned int flags, bool systemKey);
WKE_API bool WKE_CALL wkeFireKeyUpEvent(wkeWebView view, unsigned int virtualKey, unsigned int flags, bool systemKey);
WKE_API bool WKE_CALL wkeFireKeyPressEvent(wkeWebView view, unsigned int charCode, unsigned int flags, bool systemKey);
WKE_API void WKE_CALL wkeSetFocus(wkeWebView view);
WKE_API void WKE_CALL wkeKillFocus(wkeWebView view);
// The caret of the focused text field at view coordinates; all zero when there is none.
WKE_API wkeRect WKE_CALL wkeGetCaret(wkeWebView view) WKE_AGGREGATE_RETURN;
WKE_API int WKE_CALL wkeGetCursorInfoType(wkeWebView view);

// Makes `name` a global function of every page, present and future (once the engine is
// initialised); binding a name again replaces the function, a null function removes it. argCount is the number of arguments the function expects (the page may pass more
// or fewer; missing ones read as undefined).
WKE_API void WKE_CALL jsBindFunction(const char* name, jsNativeFunction function, unsigned int argCount);
// Argument `index` of the running call; undefined when there is no such argument.
WKE_API jsValue WKE_CALL jsArg(jsExecState es, int index);
// The value as text, as the page's String(value) would give it; valid until the call returns.
WKE_API const wchar_t* WKE_CALL jsToStringW(jsExecState es, jsValue value);
WKE_API jsValue WKE_CALL jsUndefined(void);

// The 25 entry points the program looks up after wkeInitializeEx, for tables built with X(name).
#define WKE_FOR_EACH_ENTRY_POINT(X)      \
    X(wkeCreateWebView)                  \
    X(wkeDestroyWebView)                 \
    X(wkeSetHandle)                      \
    X(wkeSetNavigationToNewWindowEnable) \
    X(wkeOnPaintUpdated)                 \
    X(wkeOnURLChanged)                   \
    X(wkeToStringW)                      \
    X(wkeSetCookieJarFullPath)           \
    X(wkeLoadURL)                        \
    X(wkeResize)                         \
    X(wkeGetViewDC)                      \
    X(wkeFireMouseEvent)                 \
    X(wkeFireMouseWheelEvent)            \
    X(wkeFireKeyDownEvent)               \
    X(wkeFireKeyUpEvent)                 \
    X(wkeFireKeyPressEvent)              \
    X(wkeSetFocus)                       \
    X(wkeKillFocus)                      \
    X(wkeGetCaret)                       \
    X(wkeGetCursorInfoType)              \
    X(wkeShutdown)                       \
    X(jsBindFunction)                    \
    X(jsArg)                             \
    X(jsToStringW)                       \
    X(jsUndefined)
