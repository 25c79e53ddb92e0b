#include "MenuTracking.h"

#include <windows.h>

#include <soui/IRender.h>
#include <soui/SouiDefs.h>
#include <windowsx.h>

#include <algorithm>

#include "Internal.h"

namespace SOUI {

namespace {

const wchar_t kMenuClass[] = L"SOUIMENU";
const int kSeparatorHeight = 5;

struct Tracking {
    MenuState* state = nullptr;
    HWND hwnd = nullptr;
    int hot = -1;
    UINT chosen = 0;
    BOOL done = FALSE;
    IRenderTarget* target = nullptr;
};

Tracking* g_tracking = nullptr;

int ItemAt(const Tracking& t, POINT pt) {
    for (size_t i = 0; i < t.state->items.size(); ++i) {
        const MenuItem& it = t.state->items[i];
        if (!it.separator && PtInRect(&it.rect, pt)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void Paint(Tracking& t, HDC dc) {
    RECT rc;
    GetClientRect(t.hwnd, &rc);
    if (!t.target) {
        IRenderFactory* f = GetRenderFactory();
        if (!f || !f->CreateRenderTarget(&t.target, rc.right, rc.bottom)) {
            return;
        }
    }
    const MenuStyle& st = t.state->style;
    t.target->Clear(RGBA(255, 255, 255, 255));
    t.target->FillSolidRect(rc, st.colorBkgnd);
    ISkinObj* itemSkin = FindSkin(st.itemSkin);
    ISkinObj* iconSkin = FindSkin(st.iconSkin);
    IFont* font = GetFontFromSpec(st.font);
    const int iconColumn = iconSkin ? iconSkin->GetSkinSize().cx + 2 * st.iconMargin : 2 * st.iconMargin;
    for (size_t i = 0; i < t.state->items.size(); ++i) {
        const MenuItem& it = t.state->items[i];
        if (it.separator) {
            RECT line = {it.rect.left + 4, (it.rect.top + it.rect.bottom) / 2, it.rect.right - 4,
                         (it.rect.top + it.rect.bottom) / 2 + 1};
            t.target->FillSolidRect(line, RGBA(0xD0, 0xD0, 0xD0, 255));
            continue;
        }
        const BOOL hot = static_cast<int>(i) == t.hot && !it.disabled;
        if (itemSkin) {
            itemSkin->Draw(t.target, it.rect, hot ? 1 : 0, 255);
        } else {
            t.target->FillSolidRect(it.rect, hot ? RGBA(0xE8, 0xE8, 0xE8, 255) : RGBA(255, 255, 255, 255));
        }
        if (iconSkin && it.icon >= 0) {
            const SIZE sz = iconSkin->GetSkinSize();
            const int top = it.rect.top + (it.rect.bottom - it.rect.top - sz.cy) / 2;
            const RECT ir = {it.rect.left + st.iconMargin, top, it.rect.left + st.iconMargin + sz.cx, top + sz.cy};
            iconSkin->Draw(t.target, ir, it.icon, 255);
        }
        RECT tr = {it.rect.left + iconColumn + st.textMargin, it.rect.top, it.rect.right - 4, it.rect.bottom};
        const COLORREF color = it.disabled ? st.colorTextDisable : (hot ? st.colorTextSel : st.colorText);
        t.target->DrawText(it.text.c_str(), static_cast<int>(it.text.size()), tr,
                           DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS, font, color);
    }
    HDC src = t.target->GetDC(0);
    BitBlt(dc, 0, 0, rc.right, rc.bottom, src, 0, 0, SRCCOPY);
    t.target->ReleaseDC(src);
}

LRESULT CALLBACK MenuProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    Tracking* t = g_tracking;
    if (!t || t->hwnd != hwnd) {
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            Paint(*t, dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

void SetHot(Tracking& t, int hot) {
    if (hot != t.hot) {
        t.hot = hot;
        InvalidateRect(t.hwnd, nullptr, FALSE);
    }
}

void MoveHot(Tracking& t, int step) {
    const int n = static_cast<int>(t.state->items.size());
    int i = t.hot;
    for (int k = 0; k < n; ++k) {
        i = (i + step + n) % n;
        if (!t.state->items[static_cast<size_t>(i)].separator && !t.state->items[static_cast<size_t>(i)].disabled) {
            SetHot(t, i);
            return;
        }
    }
}

void Choose(Tracking& t, int index) {
    if (index < 0) {
        return;
    }
    const MenuItem& it = t.state->items[static_cast<size_t>(index)];
    if (it.separator || it.disabled) {
        return;
    }
    t.chosen = it.id;
    t.done = TRUE;
}

// Lays the items out; returns the window size.
SIZE Layout(MenuState& state) {
    const MenuStyle& st = state.style;
    IFont* font = GetFontFromSpec(st.font);
    ISkinObj* iconSkin = FindSkin(st.iconSkin);
    const int iconColumn = iconSkin ? iconSkin->GetSkinSize().cx + 2 * st.iconMargin : 2 * st.iconMargin;
    int width = st.minWidth;
    IRenderFactory* f = GetRenderFactory();
    IRenderTarget* probe = nullptr;
    if (f && f->CreateRenderTarget(&probe, 1, 1)) {
        for (const MenuItem& it : state.items) {
            const SIZE sz =
                probe->MeasureText(it.text.c_str(), static_cast<int>(it.text.size()), font, DT_SINGLELINE, -1);
            width = std::max(width, iconColumn + st.textMargin + static_cast<int>(sz.cx) + 12);
        }
        probe->Release();
    }
    if (st.maxWidth > 0) {
        width = std::min(width, st.maxWidth);
    }
    int y = 1;
    for (MenuItem& it : state.items) {
        const int h = it.separator ? kSeparatorHeight : st.itemHeight;
        it.rect = {1, y, width - 1, y + h};
        y += h;
    }
    return {width, y + 1};
}

}  // namespace

HWND ActiveMenuWindow() {
    return g_tracking ? g_tracking->hwnd : nullptr;
}

const MenuState* ActiveMenuState() {
    return g_tracking ? g_tracking->state : nullptr;
}

UINT RunMenu(MenuState& state, int x, int y, HWND owner) {
    if (state.items.empty() || g_tracking) {
        return 0;
    }
    static const ATOM atom = [] {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DROPSHADOW;
        wc.lpfnWndProc = &MenuProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kMenuClass;
        return RegisterClassExW(&wc);
    }();
    (void)atom;
    const SIZE size = Layout(state);
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    GetMonitorInfoW(MonitorFromPoint({x, y}, MONITOR_DEFAULTTONEAREST), &mi);
    if (x + size.cx > mi.rcWork.right) {
        x = std::max<int>(mi.rcWork.left, x - size.cx);
    }
    if (y + size.cy > mi.rcWork.bottom) {
        y = std::max<int>(mi.rcWork.top, y - size.cy);
    }
    Tracking t;
    t.state = &state;
    g_tracking = &t;
    t.hwnd = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kMenuClass, L"", WS_POPUP, x, y,
                             size.cx, size.cy, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!t.hwnd) {
        g_tracking = nullptr;
        return 0;
    }
    SetWindowContextHelpId(t.hwnd, state.style.contextHelpId);
    ShowWindow(t.hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(t.hwnd);
    SetCapture(t.hwnd);

    MSG msg;
    while (!t.done) {
        if (GetCapture() != t.hwnd && !t.done) {
            // Capture taken away (another window was activated): the menu closes.
            break;
        }
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) {
                PostQuitMessage(static_cast<int>(msg.wParam));
            }
            break;
        }
        if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST && msg.hwnd == t.hwnd) {
            POINT pt = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
            RECT client;
            GetClientRect(t.hwnd, &client);
            const BOOL inside = PtInRect(&client, pt);
            switch (msg.message) {
                case WM_MOUSEMOVE:
                    SetHot(t, inside ? ItemAt(t, pt) : -1);
                    break;
                case WM_LBUTTONUP:
                    if (inside) {
                        Choose(t, ItemAt(t, pt));
                    }
                    break;
                case WM_LBUTTONDOWN:
                case WM_RBUTTONDOWN:
                case WM_MBUTTONDOWN:
                    if (!inside) {
                        t.done = TRUE;
                    }
                    break;
                default:
                    break;
            }
            continue;
        }
        if (msg.message == WM_KEYDOWN) {
            switch (msg.wParam) {
                case VK_ESCAPE:
                    t.done = TRUE;
                    break;
                case VK_DOWN:
                    MoveHot(t, 1);
                    break;
                case VK_UP:
                    MoveHot(t, -1);
                    break;
                case VK_RETURN:
                    Choose(t, t.hot);
                    break;
                default:
                    break;
            }
            continue;
        }
        if (msg.message == WM_KEYUP || msg.message == WM_CHAR) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (GetCapture() == t.hwnd) {
        ReleaseCapture();
    }
    DestroyWindow(t.hwnd);
    if (t.target) {
        t.target->Release();
    }
    g_tracking = nullptr;
    return t.chosen;
}

}  // namespace SOUI
