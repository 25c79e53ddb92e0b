#include "Painter.h"

#include <algorithm>
#include <iterator>

namespace wke {

namespace {

const Color kBorder = rgb(118, 118, 118);
const Color kFocusBorder = rgb(0, 95, 204);
const Color kButtonFace = rgb(239, 239, 239);
const Color kButtonHover = rgb(229, 229, 229);
const Color kButtonPressed = rgb(208, 208, 208);
const Color kPlaceholder = rgb(117, 117, 117);

int CALLBACK faceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool faceExists(HDC dc, const wchar_t* face) {
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(dc, &lf, faceFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// The first installed face of a list: the Windows faces first, then those a Linux desktop has.
const wchar_t* pickFace(HDC dc, bool mono) {
    static const wchar_t* const kSans[] = {L"Microsoft YaHei", L"SimSun", L"WenQuanYi Micro Hei", L"Tahoma", L"Arial"};
    static const wchar_t* const kMono[] = {L"Courier New", L"NSimSun", L"WenQuanYi Micro Hei Mono", L"Courier"};
    const wchar_t* const* list = mono ? kMono : kSans;
    const size_t count = mono ? std::size(kMono) : std::size(kSans);
    for (size_t i = 0; i < count; ++i) {
        if (faceExists(dc, list[i])) {
            return list[i];
        }
    }
    return mono ? L"Courier New" : L"Tahoma";
}

void fill(HDC dc, const RECT& rc, Color c) {
    SetDCBrushColor(dc, c);
    FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void frame(HDC dc, const RECT& rc, Color c, int thickness) {
    for (int i = 0; i < thickness; ++i) {
        const RECT r = {rc.left + i, rc.top + i, rc.right - i, rc.bottom - i};
        SetDCBrushColor(dc, c);
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
}

RECT toRect(const Rect& r, int scrollY) {
    return {r.left, r.top - scrollY, r.right, r.bottom - scrollY};
}

// How far a field's text is shifted left so that the caret stays inside.
int fieldShift(const LayoutItem& item, const Node* field, GdiFonts& fonts) {
    const std::wstring shown = fieldDisplayText(field);
    const int caretX = fonts.textWidth(item.font, shown.substr(0, std::min(field->caret, shown.size())));
    const int inner = item.rect.width() - 2 * (kFieldPadX + 1);
    return std::max(0, caretX - inner + 1);
}

const LayoutItem* itemOf(const Layout& layout, const Node* node, LayoutItem::Kind kind) {
    for (const LayoutItem& it : layout.items) {
        if (it.node == node && it.kind == kind) {
            return &it;
        }
    }
    return nullptr;
}

}  // namespace

GdiFonts::GdiFonts() : dc_(CreateCompatibleDC(nullptr)) {}

GdiFonts::~GdiFonts() {
    for (auto& f : fonts_) {
        DeleteObject(f.second);
    }
    if (dc_) {
        DeleteDC(dc_);
    }
}

HFONT GdiFonts::font(const TextFont& style) {
    for (auto& f : fonts_) {
        if (f.first == style) {
            return f.second;
        }
    }
    LOGFONTW lf = {};
    lf.lfHeight = -style.size;
    lf.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style.italic ? TRUE : FALSE;
    lf.lfUnderline = style.underline ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = ANTIALIASED_QUALITY;
    wcsncpy(lf.lfFaceName, pickFace(dc_, style.mono), LF_FACESIZE - 1);
    HFONT f = CreateFontIndirectW(&lf);
    fonts_.emplace_back(style, f);
    return f;
}

int GdiFonts::textWidth(const TextFont& style, const std::wstring& text) {
    if (text.empty()) {
        return 0;
    }
    HGDIOBJ old = SelectObject(dc_, font(style));
    SIZE size = {0, 0};
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc_, old);
    return size.cx;
}

int GdiFonts::lineHeight(const TextFont& style) {
    HGDIOBJ old = SelectObject(dc_, font(style));
    TEXTMETRICW tm = {};
    GetTextMetricsW(dc_, &tm);
    SelectObject(dc_, old);
    return std::max<int>(1, tm.tmHeight + tm.tmExternalLeading);
}

void paintPage(HDC dc,
               void* bits,
               int width,
               int height,
               const Rect& area,
               const Layout& layout,
               const PaintState& state,
               GdiFonts& fonts) {
    const Rect clip = intersect(area, {0, 0, width, height});
    if (clip.empty()) {
        return;
    }
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    fill(dc, {clip.left, clip.top, clip.right, clip.bottom}, layout.background);
    SetBkMode(dc, TRANSPARENT);
    const Rect visible = {clip.left, clip.top + state.scrollY, clip.right, clip.bottom + state.scrollY};
    for (const LayoutItem& it : layout.items) {
        if (intersect(it.rect, visible).empty()) {
            continue;
        }
        const RECT rc = toRect(it.rect, state.scrollY);
        switch (it.kind) {
            case LayoutItem::Kind::Rule:
                fill(dc, rc, it.color);
                break;
            case LayoutItem::Kind::Text:
                SelectObject(dc, fonts.font(it.font));
                SetTextColor(dc, it.color);
                TextOutW(dc, rc.left, rc.top, it.text.c_str(), static_cast<int>(it.text.size()));
                break;
            case LayoutItem::Kind::Button: {
                const bool pressed = state.pressed == it.node && state.hovered == it.node;
                fill(dc, rc, pressed ? kButtonPressed : (state.hovered == it.node ? kButtonHover : kButtonFace));
                frame(dc, rc, kBorder, 1);
                SelectObject(dc, fonts.font(it.font));
                SetTextColor(dc, it.node->hasAttribute(L"disabled") ? kPlaceholder : it.color);
                RECT text = rc;
                DrawTextW(dc, it.text.c_str(), static_cast<int>(it.text.size()), &text,
                          DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
                if (state.focused == it.node && state.viewFocused) {
                    RECT focus = {rc.left + 3, rc.top + 3, rc.right - 3, rc.bottom - 3};
                    SetTextColor(dc, rgb(0, 0, 0));
                    DrawFocusRect(dc, &focus);
                }
                break;
            }
            case LayoutItem::Kind::Field: {
                const bool focused = state.focused == it.node;
                fill(dc, rc, rgb(255, 255, 255));
                frame(dc, rc, focused && state.viewFocused ? kFocusBorder : kBorder,
                      focused && state.viewFocused ? 2 : 1);
                SelectObject(dc, fonts.font(it.font));
                const RECT inner = {rc.left + 1 + kFieldPadX, rc.top + 1, rc.right - 1 - kFieldPadX, rc.bottom - 1};
                const std::wstring* placeholder = it.node->attribute(L"placeholder");
                const std::wstring shown = fieldDisplayText(it.node);
                if (shown.empty() && placeholder && !(focused && state.viewFocused)) {
                    SetTextColor(dc, kPlaceholder);
                    ExtTextOutW(dc, inner.left, inner.top + kFieldPadY, ETO_CLIPPED, &inner, placeholder->c_str(),
                                static_cast<UINT>(placeholder->size()), nullptr);
                } else {
                    SetTextColor(dc, it.color);
                    const int shift = focused ? fieldShift(it, it.node, fonts) : 0;
                    ExtTextOutW(dc, inner.left - shift, inner.top + kFieldPadY, ETO_CLIPPED, &inner, shown.c_str(),
                                static_cast<UINT>(shown.size()), nullptr);
                }
                if (focused && state.viewFocused) {
                    const Rect caret = caretRect(layout, it.node, state.scrollY, fonts);
                    fill(dc, {caret.left, caret.top, caret.right, caret.bottom}, rgb(0, 0, 0));
                }
                break;
            }
            case LayoutItem::Kind::Checkbox: {
                fill(dc, rc, rgb(255, 255, 255));
                frame(dc, rc, state.focused == it.node && state.viewFocused ? kFocusBorder : kBorder, 1);
                if (it.node->hasAttribute(L"checked")) {
                    const RECT mark = {rc.left + 3, rc.top + 3, rc.right - 3, rc.bottom - 3};
                    fill(dc, mark, rgb(0, 0, 0));
                }
                break;
            }
        }
    }
    RestoreDC(dc, saved);
    // GDI leaves alpha 0 where it draws: the whole image is opaque.
    GdiFlush();
    auto* px = static_cast<DWORD*>(bits);
    for (int y = clip.top; y < clip.bottom; ++y) {
        DWORD* row = px + static_cast<size_t>(y) * static_cast<size_t>(width);
        for (int x = clip.left; x < clip.right; ++x) {
            row[x] |= 0xFF000000u;
        }
    }
}

Rect caretRect(const Layout& layout, const Node* field, int scrollY, GdiFonts& fonts) {
    const LayoutItem* it = itemOf(layout, field, LayoutItem::Kind::Field);
    if (!it) {
        return {};
    }
    const std::wstring shown = fieldDisplayText(field);
    const int before = fonts.textWidth(it->font, shown.substr(0, std::min(field->caret, shown.size())));
    const int x = it->rect.left + 1 + kFieldPadX + before - fieldShift(*it, field, fonts);
    const int y = it->rect.top + 1 + kFieldPadY - scrollY;
    return {x, y, x + 1, y + fonts.lineHeight(it->font)};
}

}  // namespace wke
