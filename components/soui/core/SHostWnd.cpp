#include <windows.h>

#include <commctrl.h>

#include <pugixml.hpp>
#include <soui/SApplication.h>
#include <soui/SHostWnd.h>
#include <soui/SUiDef.h>
#include <windowsx.h>

#include "AttrParse.h"
#include "Internal.h"
#include "Refusals.h"

namespace SOUI {

namespace {

// Translucent hosts are drawn with UpdateLayeredWindow, outside WM_PAINT.
const UINT kRedrawMsg = RegisterWindowMessageW(L"SOUI.HostRedraw");

}  // namespace

// The host's tool tip: one rectangle tool following the hovered element. Its window is made when
// an element with a tip is first hovered, so a host whose tips nobody sees never loads the common
// controls (whose start-up registers classes and theming in every process that loads them).
class SHostTooltip {
  public:
    explicit SHostTooltip(HWND host) : host_(host) {}
    SHostTooltip(const SHostTooltip&) = delete;
    SHostTooltip& operator=(const SHostTooltip&) = delete;
    ~SHostTooltip() {
        if (tip_ && ::IsWindow(tip_)) {
            ::DestroyWindow(tip_);
        }
    }
    void Set(const RECT& rc, const SStringW& text) {
        text_ = text;
        if (!tip_ && (text_.IsEmpty() || !Create())) {
            return;
        }
        TTTOOLINFOW ti = Info();
        ti.rect = rc;
        SendMessageW(tip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
        ti.lpszText = const_cast<LPWSTR>(text_.c_str());
        SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
        SendMessageW(tip_, TTM_ACTIVATE, text_.IsEmpty() ? FALSE : TRUE, 0);
    }
    void Relay(UINT msg, WPARAM wParam, LPARAM lParam) {
        if (!tip_ || text_.IsEmpty()) {
            return;
        }
        MSG m = {host_, msg, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
        SendMessageW(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
    }
    HWND hwnd() const { return tip_; }

  private:
    // One try per host: the common controls stay loaded for the process once loaded.
    bool Create() {
        if (tried_) {
            return false;
        }
        tried_ = true;
        using InitCommonControlsExFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        HMODULE controls = LoadLibraryW(L"comctl32.dll");
        auto init = controls ? reinterpret_cast<InitCommonControlsExFn>(
                                   reinterpret_cast<void*>(GetProcAddress(controls, "InitCommonControlsEx")))
                             : nullptr;
        if (!init) {
            return false;
        }
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
        init(&icc);
        tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, host_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        if (!tip_) {
            return false;
        }
        TTTOOLINFOW ti = Info();
        ti.lpszText = const_cast<LPWSTR>(L"");
        SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        return true;
    }

    TTTOOLINFOW Info() const {
        TTTOOLINFOW ti = {};
        ti.cbSize = TTTOOLINFOW_V2_SIZE;
        ti.hwnd = host_;
        ti.uId = 1;
        return ti;
    }

    HWND host_;
    HWND tip_ = nullptr;
    bool tried_ = false;
    SStringW text_;
};

SHostWnd::SHostWnd(LPCWSTR layoutName) : layoutName_(layoutName ? layoutName : L"") {
    RegisterHost(this);
}

SHostWnd::~SHostWnd() {
    UnregisterHost(this);
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        ::DestroyWindow(m_hWnd);
    }
    delete tooltip_;
    tooltip_ = nullptr;
    if (target_) {
        target_->Release();
        target_ = nullptr;
    }
    delete static_cast<pugi::xml_document*>(layoutDoc_);
    layoutDoc_ = nullptr;
}

SHostWnd* SHostWnd::FromHwnd(HWND hwnd) {
    return FindHost(hwnd);
}

BOOL SHostWnd::LoadLayout() {
    SApplication* app = SApplication::getSingletonPtr();
    if (!app || !app->GetRawBuffer(layoutName_.c_str(), layoutXml_)) {
        Refuse(L"layout \"" + std::wstring(layoutName_.c_str()) + L"\"", L"no provider has such a layout");
        return FALSE;
    }
    auto* doc = new pugi::xml_document;
    const pugi::xml_parse_result parsed =
        doc->load_buffer(layoutXml_.data(), layoutXml_.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!parsed || strcmp(doc->document_element().name(), "host") != 0) {
        Refuse(L"layout \"" + std::wstring(layoutName_.c_str()) + L"\"",
               parsed ? L"its top element is not <host>" : L"no valid XML");
        delete doc;
        return FALSE;
    }
    delete static_cast<pugi::xml_document*>(layoutDoc_);
    layoutDoc_ = doc;
    ApplyHostAttributes();
    return TRUE;
}

void SHostWnd::ApplyHostAttributes() {
    const pugi::xml_node root = static_cast<pugi::xml_document*>(layoutDoc_)->document_element();
    for (const pugi::xml_attribute& a : root.attributes()) {
        const std::wstring n = Utf8ToWide(a.name());
        const std::wstring v = Utf8ToWide(a.value());
        // Why the value is not taken; a refused value leaves the host's default.
        std::wstring wrong;
        int number = 0;
        if (SameNoCase(n, L"name")) {
            hostName_ = v.c_str();
        } else if (SameNoCase(n, L"title")) {
            SStringW title;
            if (ResolveTextValue(v.c_str(), title, wrong)) {
                title_ = title;
            }
        } else if (SameNoCase(n, L"width") || SameNoCase(n, L"height")) {
            TakeInt(v, SameNoCase(n, L"width") ? layoutSize_.cx : layoutSize_.cy, 0, kAnyHigh, L"not a length", wrong);
        } else if (SameNoCase(n, L"margin")) {
            TakeFour(v, resizeBand_, wrong);
        } else if (SameNoCase(n, L"resizable") || SameNoCase(n, L"appWnd") || SameNoCase(n, L"translucent")) {
            TakeFlag(v, SameNoCase(n, L"resizable") ? resizable_ : (SameNoCase(n, L"appWnd") ? appWnd_ : translucent_),
                     wrong);
        } else if (SameNoCase(n, L"wndType")) {
            const int type = KeywordIndex(v, {L"normal", L"appMain"});
            if (type >= 0) {
                appMain_ = type == 1;
            } else {
                wrong = L"not appMain or normal";
            }
        } else if (SameNoCase(n, L"alpha")) {
            TakeInt(v, hostAlpha_, 0, 255, L"not 0-255", wrong);
        } else if (SameNoCase(n, L"bigIcon") || SameNoCase(n, L"smallIcon")) {
            // A missing icon is skipped when the window is made; only the form is checked here.
            const size_t colon = v.rfind(L':');
            if (colon == std::wstring::npos || colon == 0 || !ReadInt(v.substr(colon + 1), number) || number <= 0) {
                wrong = L"not \"NAME:SIZE\"";
            } else {
                (SameNoCase(n, L"bigIcon") ? bigIcon_ : smallIcon_) = v.c_str();
            }
        } else {
            SWindow::SetAttribute(n.c_str(), v.c_str(), TRUE);
        }
        if (!wrong.empty()) {
            Refuse(L"attribute " + QuoteAttribute(n, v) + L" of <host> of " + std::wstring(layoutName_.c_str()), wrong);
        }
    }
}

HWND SHostWnd::Create(HWND parent, int x, int y, int cx, int cy) {
    SApplication* app = SApplication::getSingletonPtr();
    // What the layout's elements get wrong is refused naming the layout.
    const LayoutScope scope(layoutName_.c_str());
    if (!app || (m_hWnd && ::IsWindow(m_hWnd)) || !LoadLayout()) {
        return nullptr;
    }
    DWORD style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU;
    if (appMain_ || resizable_) {
        style |= WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    }
    if (resizable_) {
        style |= WS_THICKFRAME;
    }
    DWORD exStyle = 0;
    if (appWnd_) {
        exStyle |= WS_EX_APPWINDOW;
    }
    if (translucent_ || hostAlpha_ < 255) {
        exStyle |= WS_EX_LAYERED;
    }
    if (cx <= 0 || cy <= 0) {
        cx = layoutSize_.cx > 0 ? layoutSize_.cx : 400;
        cy = layoutSize_.cy > 0 ? layoutSize_.cy : 300;
    }
    CreateNative(app->GetAppName().c_str(), title_.c_str(), style, exStyle, x, y, cx, cy, parent);
    delete static_cast<pugi::xml_document*>(layoutDoc_);
    layoutDoc_ = nullptr;
    layoutXml_.clear();
    return m_hWnd;
}

void SHostWnd::BuildTree() {
    if (!translucent_ && hostAlpha_ < 255) {
        SetLayeredWindowAttributes(m_hWnd, 0, hostAlpha_, LWA_ALPHA);
    }
    SApplication* app = SApplication::getSingletonPtr();
    if (app) {
        if (!bigIcon_.IsEmpty() && (icons_[0] = app->LoadIconW(bigIcon_.c_str()))) {
            ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons_[0]));
        }
        if (!smallIcon_.IsEmpty() && (icons_[1] = app->LoadIconW(smallIcon_.c_str()))) {
            ::SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons_[1]));
        }
    }
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    IRenderFactory* factory = GetRenderFactory();
    if (!target_ && factory) {
        factory->CreateRenderTarget(&target_, std::max<int>(1, rc.right), std::max<int>(1, rc.bottom));
    }
    if (layoutDoc_) {
        const pugi::xml_node root = static_cast<pugi::xml_document*>(layoutDoc_)->document_element();
        CreateChildrenFromXml(&root);
    }
    tooltip_ = new SHostTooltip(m_hWnd);
    CreateInContainer(this);
    UpdateLayout();
}

void SHostWnd::UpdateLayout() {
    if (!m_hWnd || ::IsIconic(m_hWnd)) {
        return;
    }
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    if (target_) {
        const SIZE sz = target_->GetSize();
        if (sz.cx != std::max<int>(1, rc.right) || sz.cy != std::max<int>(1, rc.bottom)) {
            target_->Resize(std::max<int>(1, rc.right), std::max<int>(1, rc.bottom));
        }
    }
    Move(rc);
    OnRedraw(rc);
}

void SHostWnd::OnRedraw(const RECT& rc) {
    if (!m_hWnd) {
        return;
    }
    if (translucent_) {
        const BOOL pending = !IsRectEmpty(&dirty_);
        UnionRect(&dirty_, &dirty_, &rc);
        if (!pending) {
            PostMessage(kRedrawMsg);
        }
        return;
    }
    ::InvalidateRect(m_hWnd, &rc, FALSE);
}

void SHostWnd::DoPaint(HDC dc) {
    if (!target_) {
        return;
    }
    SetRectEmpty(&dirty_);
    RECT all;
    ::GetClientRect(m_hWnd, &all);
    target_->Clear(translucent_ ? 0 : RGBA(255, 255, 255, 255));
    PaintTree(target_, all);
    Present(dc, all);
}

void SHostWnd::Present(HDC dc, const RECT& rc) {
    HDC src = target_->GetDC(0);
    if (translucent_) {
        RECT wr;
        ::GetWindowRect(m_hWnd, &wr);
        POINT dst = {wr.left, wr.top};
        SIZE size = {rc.right - rc.left, rc.bottom - rc.top};
        POINT origin = {0, 0};
        BLENDFUNCTION bf = {AC_SRC_OVER, 0, hostAlpha_, AC_SRC_ALPHA};
        HDC screen = ::GetDC(nullptr);
        UpdateLayeredWindow(m_hWnd, screen, &dst, &size, src, &origin, 0, &bf, ULW_ALPHA);
        ::ReleaseDC(nullptr, screen);
    } else if (dc) {
        BitBlt(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, src, rc.left, rc.top, SRCCOPY);
    }
    target_->ReleaseDC(src);
}

BOOL SHostWnd::ProcessWindowMessage(HWND hwnd,
                                    UINT msg,
                                    WPARAM wParam,
                                    LPARAM lParam,
                                    LRESULT& result,
                                    DWORD msgMapId) {
    if (msgMapId != 0) {
        return FALSE;
    }
    result = 0;
    if (msg == kRedrawMsg) {
        if (translucent_ && !IsRectEmpty(&dirty_)) {
            DoPaint(nullptr);
        }
        return TRUE;
    }
    switch (msg) {
        case WM_CREATE:
            BuildTree();
            return TRUE;
        case WM_NCCALCSIZE:
            // The skin draws everything: no frame or caption of the system.
            return TRUE;
        case WM_NCPAINT:
            return TRUE;
        case WM_NCACTIVATE:
            result = TRUE;
            return TRUE;
        case WM_ERASEBKGND:
            result = 1;
            return TRUE;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            DoPaint(translucent_ ? nullptr : dc);
            EndPaint(hwnd, &ps);
            return TRUE;
        }
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) {
                UpdateLayout();
            }
            return TRUE;
        case WM_WINDOWPOSCHANGED:
            if (translucent_) {
                // A layered window keeps its image at its new place; redraw when its size changed.
                OnRedraw(rect_);
            }
            return FALSE;
        case WM_GETMINMAXINFO: {
            auto* mmi = reinterpret_cast<MINMAXINFO*>(lParam);
            MONITORINFO mi = {};
            mi.cbSize = sizeof(mi);
            if (GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &mi)) {
                mmi->ptMaxPosition = {mi.rcWork.left - mi.rcMonitor.left, mi.rcWork.top - mi.rcMonitor.top};
                mmi->ptMaxSize = {mi.rcWork.right - mi.rcWork.left, mi.rcWork.bottom - mi.rcWork.top};
            }
            return TRUE;
        }
        case WM_NCHITTEST:
            result = OnNcHitTest({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return TRUE;
        case WM_NCLBUTTONDBLCLK:
            if (!resizable_) {
                return TRUE;
            }
            return FALSE;
        case WM_NCMOUSEMOVE:
            UpdateHover({-100000, -100000});
            return FALSE;
        case WM_SETCURSOR: {
            if (LOWORD(lParam) != HTCLIENT) {
                return FALSE;
            }
            POINT pt;
            GetCursorPos(&pt);
            ScreenToClient(hwnd, &pt);
            SWindow* w = capture_ ? SwndFromHandle(capture_) : HitTest(pt);
            for (; w; w = w->GetParent()) {
                if (w->OnSetCursor(pt)) {
                    result = TRUE;
                    return TRUE;
                }
            }
            ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
            result = TRUE;
            return TRUE;
        }
        case WM_MOUSELEAVE:
            trackingLeave_ = FALSE;
            if (!capture_) {
                UpdateHover({-100000, -100000});
            }
            return TRUE;
        case WM_CAPTURECHANGED:
            if (capture_ && reinterpret_cast<HWND>(lParam) != hwnd) {
                if (SWindow* w = SwndFromHandle(capture_)) {
                    capture_ = 0;
                    w->SendSwndMessage(WM_CANCELMODE);
                }
                capture_ = 0;
            }
            return TRUE;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
        case WM_IME_STARTCOMPOSITION:
        case WM_IME_COMPOSITION:
        case WM_IME_ENDCOMPOSITION:
        case WM_IME_CHAR:
            return OnKey(msg, wParam, lParam, result);
        case WM_DESTROY:
            for (SWindow* c : std::vector<SWindow*>(children_)) {
                c->Destroy();
            }
            focus_ = capture_ = hover_ = 0;
            delete tooltip_;
            tooltip_ = nullptr;
            return TRUE;
        default:
            break;
    }
    if ((msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST)) {
        OnMouse(msg, wParam, lParam);
        return TRUE;
    }
    return FALSE;
}

void SHostWnd::OnFinalMessage(HWND) {
    for (HICON& icon : icons_) {
        if (icon) {
            DestroyIcon(icon);
            icon = nullptr;
        }
    }
    if (target_) {
        target_->Release();
        target_ = nullptr;
    }
}

LRESULT SHostWnd::OnNcHitTest(const POINT& screenPt) {
    POINT pt = screenPt;
    ScreenToClient(m_hWnd, &pt);
    if (capture_) {
        return HTCLIENT;
    }
    if (resizable_ && !::IsZoomed(m_hWnd)) {
        RECT rc;
        ::GetClientRect(m_hWnd, &rc);
        const BOOL left = pt.x < resizeBand_.left;
        const BOOL right = pt.x >= rc.right - resizeBand_.right;
        const BOOL top = pt.y < resizeBand_.top;
        const BOOL bottom = pt.y >= rc.bottom - resizeBand_.bottom;
        if (top && left)
            return HTTOPLEFT;
        if (top && right)
            return HTTOPRIGHT;
        if (bottom && left)
            return HTBOTTOMLEFT;
        if (bottom && right)
            return HTBOTTOMRIGHT;
        if (left)
            return HTLEFT;
        if (right)
            return HTRIGHT;
        if (top)
            return HTTOP;
        if (bottom)
            return HTBOTTOM;
    }
    SWindow* hit = HitTest(pt);
    if (hit && hit->IsClass(L"caption")) {
        return HTCAPTION;
    }
    return HTCLIENT;
}

void SHostWnd::UpdateHover(const POINT& pt) {
    SWindow* hit = nullptr;
    if (capture_) {
        SWindow* cap = SwndFromHandle(capture_);
        RECT rc = {0, 0, 0, 0};
        if (cap) {
            cap->GetWindowRect(&rc);
        }
        hit = (cap && PtInRect(&rc, pt)) ? cap : nullptr;
    } else {
        hit = HitTest(pt);
    }
    if (hit == this) {
        hit = nullptr;
    }
    const SWND now = hit ? hit->GetSwnd() : 0;
    if (now == hover_) {
        return;
    }
    SWindow* old = SwndFromHandle(hover_);
    hover_ = now;
    if (old) {
        old->SendSwndMessage(WM_MOUSELEAVE);
    }
    hit = SwndFromHandle(now);
    if (hit) {
        hit->SendSwndMessage(WM_MOUSEHOVER);
    }
    if (tooltip_ && (hit = SwndFromHandle(now)) != nullptr) {
        RECT rc;
        hit->GetWindowRect(&rc);
        tooltip_->Set(rc, hit->GetToolTipText());
    } else if (tooltip_) {
        tooltip_->Set({0, 0, 0, 0}, SStringW());
    }
}

void SHostWnd::OnMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (msg == WM_MOUSEWHEEL || msg == WM_MOUSEHWHEEL) {
        // Wheel messages carry screen coordinates; elements get host coordinates like every mouse message.
        ScreenToClient(m_hWnd, &pt);
        lParam = MAKELPARAM(pt.x, pt.y);
    }
    if (tooltip_) {
        tooltip_->Relay(msg, wParam, lParam);
    }
    if (msg == WM_MOUSEMOVE) {
        if (!trackingLeave_) {
            TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
            trackingLeave_ = TrackMouseEvent(&tme);
        }
        UpdateHover(pt);
    }
    SWindow* target = capture_ ? SwndFromHandle(capture_) : HitTest(pt);
    if (!target) {
        return;
    }
    if ((msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN) && target->IsFocusable() &&
        !target->IsDisabled(TRUE)) {
        target->SetFocus();
    }
    const SWND swnd = target->GetSwnd();
    const BOOL captured = capture_ != 0;
    for (SWindow* w = SwndFromHandle(swnd); w; w = w->GetParent()) {
        LRESULT res = 0;
        if (w->ProcessSwndMessage(msg, wParam, lParam, res) || captured || w == this) {
            break;
        }
    }
}

BOOL SHostWnd::OnKey(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    SWindow* w = SwndFromHandle(focus_);
    if (!w) {
        return FALSE;
    }
    return w->ProcessSwndMessage(msg, wParam, lParam, result);
}

void SHostWnd::OnSetSwndFocus(SWND swnd) {
    if (swnd == focus_) {
        return;
    }
    const SWND old = focus_;
    focus_ = swnd;
    if (SWindow* w = SwndFromHandle(old)) {
        w->SendSwndMessage(WM_KILLFOCUS, swnd);
    }
    if (SWindow* w = SwndFromHandle(swnd)) {
        if (m_hWnd && ::GetFocus() != m_hWnd) {
            ::SetFocus(m_hWnd);
        }
        w->SendSwndMessage(WM_SETFOCUS, old);
    }
}

void SHostWnd::OnSetSwndCapture(SWND swnd) {
    capture_ = swnd;
    if (m_hWnd) {
        ::SetCapture(m_hWnd);
    }
}

void SHostWnd::OnReleaseSwndCapture(SWND swnd) {
    if (capture_ != swnd) {
        return;
    }
    capture_ = 0;
    if (m_hWnd && ::GetCapture() == m_hWnd) {
        ::ReleaseCapture();
    }
}

BOOL SHostWnd::OnFireEvent(EventArgs& evt) {
    return _HandleEvent(&evt);
}

BOOL SHostWnd::_HandleEvent(EventArgs* /*evt*/) {
    return FALSE;
}

}  // namespace SOUI
