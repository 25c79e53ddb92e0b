#include <windows.h>

// The built-in element kinds.
#include <shellapi.h>

#include <soui/SControls.h>

#include <algorithm>

#include "Internal.h"
#include "TextLines.h"

namespace SOUI {

namespace {

// The extent of a text with the element's font and flags, wrapped at width when given.
SIZE MeasureWith(const SStringW& text, IFont* font, UINT format, int width) {
    IRenderFactory* factory = GetRenderFactory();
    IRenderTarget* target = nullptr;
    if (!factory || !factory->CreateRenderTarget(&target, 1, 1)) {
        return {0, 0};
    }
    const SIZE sz = target->MeasureText(text.c_str(), text.GetLength(), font, format, width);
    target->Release();
    return sz;
}

}  // namespace

// text

SStatic::SStatic() {
    msgTransparent_ = TRUE;
}

BOOL SStatic::IsClass(LPCWSTR className) const {
    return (className && wcscmp(className, GetClassName()) == 0) || SWindow::IsClass(className);
}

LPCWSTR SStatic::GetObjectClass() const {
    return GetClassName();
}

SIZE SStatic::GetDesiredSize(int width) {
    const SwndStyle& st = GetStyle();
    const int inner = width > 0 ? std::max<int>(1, width - 2 * st.marginX - margin_.left - margin_.right) : -1;
    SIZE sz = {};
    if ((st.textMode & DT_WORDBREAK) && st.lineSpacing != 0 && !text_.IsEmpty()) {
        // As DrawWindowText lays such a text out.
        IFont* font = GetCurrentFont();
        const TextLayout layout = LayOutLines(font ? font->Handle() : nullptr, text_.c_str(), text_.GetLength(), inner);
        sz = {layout.width, BlockHeight(layout, st.lineSpacing)};
    } else {
        sz = MeasureWith(text_, GetCurrentFont(), st.textMode, inner);
    }
    sz.cx += 2 * st.marginX + margin_.left + margin_.right;
    sz.cy += 2 * st.marginY + margin_.top + margin_.bottom;
    return sz;
}

void SStatic::OnPaint(IRenderTarget* target) {
    SWindow::OnPaint(target);
}

// img

SImageWnd::SImageWnd() {
    msgTransparent_ = TRUE;
}

BOOL SImageWnd::IsClass(LPCWSTR className) const {
    return (className && wcscmp(className, GetClassName()) == 0) || SWindow::IsClass(className);
}

LPCWSTR SImageWnd::GetObjectClass() const {
    return GetClassName();
}

SIZE SImageWnd::GetDesiredSize(int /*width*/) {
    return GetSkin() ? GetSkin()->GetSkinSize() : SIZE{0, 0};
}

// button

SButton::SButton() {
    GetStyle().textMode = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
}

BOOL SButton::IsClass(LPCWSTR className) const {
    return (className && wcscmp(className, GetClassName()) == 0) || SWindow::IsClass(className);
}

LPCWSTR SButton::GetObjectClass() const {
    return GetClassName();
}

SIZE SButton::GetDesiredSize(int width) {
    if (GetSkin()) {
        return GetSkin()->GetSkinSize();
    }
    SIZE sz = MeasureWith(text_, GetCurrentFont(), GetStyle().textMode, width);
    sz.cx += 2 * GetStyle().marginX + 8;
    sz.cy += 2 * GetStyle().marginY + 4;
    return sz;
}

void SButton::OnPaint(IRenderTarget* target) {
    SWindow::OnPaint(target);
}

BOOL SButton::OnMouseEvent(UINT msg, WPARAM /*flags*/, const POINT& pt) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!IsDisabled(TRUE)) {
                SetPushed(TRUE);
                SetCapture();
            }
            return TRUE;
        case WM_LBUTTONUP: {
            if (!pushed_) {
                return TRUE;
            }
            SetPushed(FALSE);
            ReleaseCapture();
            RECT rc;
            GetWindowRect(&rc);
            if (PtInRect(&rc, pt) && !IsDisabled(TRUE)) {
                OnClick();
            }
            return TRUE;
        }
        default:
            return msg == WM_MOUSEMOVE;
    }
}

void SButton::OnClick() {
    EventCmd evt(this, GetID(), GetName().IsEmpty() ? nullptr : GetName().c_str());
    FireEvent(evt);
}

// imgbtn

SImageButton::SImageButton() = default;

BOOL SImageButton::IsClass(LPCWSTR className) const {
    return (className && wcscmp(className, GetClassName()) == 0) || SButton::IsClass(className);
}

LPCWSTR SImageButton::GetObjectClass() const {
    return GetClassName();
}

// link

SLink::SLink() {
    GetStyle().textMode = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
}

BOOL SLink::IsClass(LPCWSTR className) const {
    return (className && wcscmp(className, GetClassName()) == 0) || SButton::IsClass(className);
}

LPCWSTR SLink::GetObjectClass() const {
    return GetClassName();
}

HRESULT SLink::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) {
    if (name.CompareNoCase(L"href") == 0) {
        href_ = value;
        return AfterAttribute(name, value, loading, S_FALSE);
    }
    return SButton::SetAttribute(name, value, loading);
}

SIZE SLink::GetDesiredSize(int width) {
    return MeasureWith(text_, GetCurrentFont(), GetStyle().textMode, width);
}

void SLink::OnPaint(IRenderTarget* target) {
    SWindow::OnPaint(target);
}

void SLink::OnClick() {
    const SStringW href = href_;
    SButton::OnClick();
    if (!href.IsEmpty()) {
        ShellExecuteW(nullptr, L"open", href.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
}

// caption

SCaption::SCaption() = default;

BOOL SCaption::IsClass(LPCWSTR className) const {
    return (className && wcscmp(className, GetClassName()) == 0) || SWindow::IsClass(className);
}

LPCWSTR SCaption::GetObjectClass() const {
    return GetClassName();
}

}  // namespace SOUI
