#include "webview/SWkeWebkit.h"

#include <imm.h>

#include <soui/SApplication.h>

#include "foundation/DataDir.h"
#include "foundation/UiTextConvert.h"
#include "webview/WkeCursor.h"
#include "webview/WkeEngine.h"

namespace SOUI {

namespace {

constexpr WPARAM kMouseFlags = 0x1F;    // MK_LBUTTON, MK_RBUTTON, MK_SHIFT, MK_CONTROL, MK_MBUTTON
constexpr unsigned kKeyFlags = 0x4100;  // KF_REPEAT, KF_EXTENDED of the high word of lParam

int lowSigned(LPARAM v) {
    return static_cast<short>(LOWORD(v));
}

int highSigned(LPARAM v) {
    return static_cast<short>(HIWORD(v));
}

}  // namespace

SWkeWebkit::~SWkeWebkit() {
    // Normally gone at WM_DESTROY; a control deleted without it still gives its view back.
    onDestroy();
}

BOOL SWkeWebkit::IsClass(LPCWSTR className) const {
    if (className && wcscmp(className, GetClassName()) == 0) {
        return TRUE;
    }
    return SWindow::IsClass(className);
}

LPCWSTR SWkeWebkit::GetObjectClass() const {
    return GetClassName();
}

int SWkeWebkit::GetObjectType() const {
    return GetClassType();
}

HRESULT SWkeWebkit::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) {
    if (_wcsicmp(name.c_str(), L"url") == 0) {
        url = value;
        if (!loading && view) {
            loadUrl();
        }
        return SWindow::AfterAttribute(name, value, loading, loading ? S_OK : S_FALSE);
    }
    return SWindow::SetAttribute(name, value, loading);
}

UINT SWkeWebkit::OnGetDlgCode() {
    return 0xFFFF;
}

BOOL SWkeWebkit::OnSetCursor(const POINT& /*pt*/) {
    const int type = view ? g_wkeApi.wkeGetCursorInfoType(view) : 0;
    LPCWSTR id = MAKEINTRESOURCEW(mapWkeCursor(type));
    SApplication* app = SApplication::getSingletonPtr();
    ::SetCursor(app ? app->LoadCursorW(id, FALSE) : ::LoadCursorW(nullptr, id));
    return TRUE;
}

void SWkeWebkit::loadUrl() {
    if (!view) {
        return;
    }
    const SStringW jar = getCookieDir() + L"cookie.dat";
    g_wkeApi.wkeSetCookieJarFullPath(view, jar.c_str());
    const SStringA address = wideToUtf8Text(url);
    g_wkeApi.wkeLoadURL(view, address.c_str());
}

void WKE_CALL SWkeWebkit::onPaintUpdated(wkeWebView, void* param, HDC, int x, int y, int cx, int cy) noexcept {
    auto* self = static_cast<SWkeWebkit*>(param);
    if (!self) {
        return;
    }
    RECT client;
    self->GetClientRect(&client);
    const RECT rc = {client.left + x, client.top + y, client.left + x + cx, client.top + y + cy};
    self->InvalidateRect(rc, TRUE);
}

void WKE_CALL SWkeWebkit::onUrlChanged(wkeWebView, void*, wkeString address) noexcept {
    // The address is not kept; reading it is all the control does.
    if (g_wkeApi.wkeToStringW) {
        g_wkeApi.wkeToStringW(address);
    }
}

HWND SWkeWebkit::hostWindow() const {
    return GetContainer() ? GetContainer()->GetHostHwnd() : nullptr;
}

LRESULT SWkeWebkit::onCreate() {
    view = g_wkeApi.wkeCreateWebView ? g_wkeApi.wkeCreateWebView() : nullptr;
    if (!view) {
        return 1;
    }
    g_wkeApi.wkeSetHandle(view, hostWindow());
    g_wkeApi.wkeSetNavigationToNewWindowEnable(view, false);
    g_wkeApi.wkeOnPaintUpdated(view, &SWkeWebkit::onPaintUpdated, this);
    g_wkeApi.wkeOnURLChanged(view, &SWkeWebkit::onUrlChanged, nullptr);
    loadUrl();
    SetAttribute(L"focusable", L"1", FALSE);
    return 0;
}

void SWkeWebkit::onDestroy() {
    if (!view) {
        return;
    }
    wkeWebView gone = view;
    view = nullptr;
    g_wkeApi.wkeSetHandle(gone, nullptr);
    g_wkeApi.wkeDestroyWebView(gone);
}

void SWkeWebkit::onPaint(IRenderTarget* target) {
    if (!target) {
        return;
    }
    RECT clip;
    target->GetClipBox(&clip);
    RECT client;
    GetClientRect(&client);
    RECT area;
    if (!IntersectRect(&area, &clip, &client)) {
        return;
    }
    HDC dc = target->GetDC(0);
    HDC source = g_wkeApi.wkeGetViewDC(view);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    const int sx = area.left - client.left;
    const int sy = area.top - client.top;
    const BYTE alpha = GetStyle().alpha;
    if (dc && source) {
        if (alpha == 255) {
            BitBlt(dc, area.left, area.top, width, height, source, sx, sy, SRCCOPY);
        } else {
            const BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
            AlphaBlend(dc, area.left, area.top, width, height, source, sx, sy, width, height, blend);
        }
    }
    if (dc) {
        target->ReleaseDC(dc);
    }
}

void SWkeWebkit::placeInputMethod() {
    const wkeRect caret = g_wkeApi.wkeGetCaret(view);
    RECT client;
    GetClientRect(&client);
    const RECT r = {client.left + caret.x, client.top + caret.y, client.left + caret.x + caret.w,
                    client.top + caret.y + caret.h};
    COMPOSITIONFORM composition = {};
    composition.dwStyle = CFS_POINT;
    composition.ptCurrentPos = {r.left, r.bottom};
    composition.rcArea = r;
    CANDIDATEFORM candidate = {};
    candidate.dwIndex = 0;
    candidate.dwStyle = CFS_EXCLUDE;
    candidate.ptCurrentPos = {r.left, r.bottom};
    candidate.rcArea = r;
    const HWND host = hostWindow();
    if (HIMC imc = ImmGetContext(host)) {
        ImmSetCandidateWindow(imc, &candidate);
        ImmSetCompositionWindow(imc, &composition);
        ImmReleaseContext(host, imc);
    }
}

BOOL SWkeWebkit::engineDecides(bool handled, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (handled) {
        result = 0;
        return TRUE;
    }
    return SWindow::ProcessSwndMessage(msg, wParam, lParam, result);
}

BOOL SWkeWebkit::ProcessSwndMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    if (msg == WM_CREATE) {
        result = onCreate();
        return TRUE;
    }
    if (msg == WM_DESTROY) {
        onDestroy();
        return TRUE;
    }
    if (!view) {
        // Creation failed: the control is a plain window of the library.
        return SWindow::ProcessSwndMessage(msg, wParam, lParam, result);
    }
    switch (msg) {
        case WM_SIZE: {
            const SIZE size = {lowSigned(lParam), highSigned(lParam)};
            SWindow::OnSize(static_cast<UINT>(wParam), size);
            g_wkeApi.wkeResize(view, size.cx, size.cy);
            return TRUE;
        }
        case WM_SETFOCUS: {
            LRESULT ignored = 0;
            SWindow::ProcessSwndMessage(WM_SETFOCUS, wParam, lParam, ignored);
            g_wkeApi.wkeSetFocus(view);
            return TRUE;
        }
        case WM_KILLFOCUS:
            g_wkeApi.wkeKillFocus(view);
            SWindow::OnKillFocus(static_cast<SWND>(wParam));
            return TRUE;
        case WM_PAINT:
            onPaint(reinterpret_cast<IRenderTarget*>(wParam));
            return TRUE;
        case WM_MOUSEWHEEL: {
            RECT rc;
            GetWindowRect(&rc);
            const bool handled = g_wkeApi.wkeFireMouseWheelEvent(
                view, lowSigned(lParam) - rc.left, highSigned(lParam) - rc.top, static_cast<short>(HIWORD(wParam)),
                static_cast<unsigned>(wParam & kMouseFlags));
            return engineDecides(handled, msg, wParam, lParam, result);
        }
        case WM_KEYDOWN:
            return engineDecides(
                g_wkeApi.wkeFireKeyDownEvent(view, static_cast<unsigned>(wParam), HIWORD(lParam) & kKeyFlags, false),
                msg, wParam, lParam, result);
        case WM_KEYUP:
            return engineDecides(
                g_wkeApi.wkeFireKeyUpEvent(view, static_cast<unsigned>(wParam), HIWORD(lParam) & kKeyFlags, false), msg,
                wParam, lParam, result);
        case WM_CHAR:
            return engineDecides(
                g_wkeApi.wkeFireKeyPressEvent(view, static_cast<unsigned>(wParam), HIWORD(lParam) & kKeyFlags, false),
                msg, wParam, lParam, result);
        case WM_IME_STARTCOMPOSITION:
            placeInputMethod();
            return TRUE;
        default:
            break;
    }
    if (msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK) {
        if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN) {
            SetFocus();
            SetCapture();
        } else if (msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP) {
            ReleaseCapture();
        }
        RECT client;
        GetClientRect(&client);
        const bool handled =
            g_wkeApi.wkeFireMouseEvent(view, msg, lowSigned(lParam) - client.left, highSigned(lParam) - client.top,
                                       static_cast<unsigned>(wParam & kMouseFlags));
        return engineDecides(handled, msg, wParam, lParam, result);
    }
    return SWindow::ProcessSwndMessage(msg, wParam, lParam, result);
}

}  // namespace SOUI
