#include <pugixml.hpp>
#include <soui/SApplication.h>
#include <soui/SUiDef.h>
#include <soui/SWindow.h>

#include "AttrParse.h"
#include "Internal.h"
#include "Refusals.h"
#include "TextLines.h"

namespace SOUI {

namespace {

COLORREF ScaleAlpha(COLORREF c, BYTE alpha) {
    if (alpha == 255) {
        return c;
    }
    return (c & 0x00FFFFFF) | (static_cast<DWORD>(GetAValue(c) * alpha / 255) << 24);
}

int EvalPos(const SPosItem& item, int start, int end, int prevEnd) {
    switch (item.kind) {
        case SPosItem::FromEnd:
            return end - item.value;
        case SPosItem::AfterPrev:
            return prevEnd + item.value;
        default:
            return start + item.value;
    }
}

}  // namespace

BOOL ResolveTextValue(const SStringW& value, SStringW& text, std::wstring& wrong) {
    static const wchar_t kPrefix[] = L"@string/";
    const size_t prefixLength = wcslen(kPrefix);
    if (wcsncmp(value.c_str(), kPrefix, prefixLength) != 0) {
        text = value;
        return TRUE;
    }
    IUiDefInfo* def = SUiDef::GetUiDef();
    SNamedString* strings = def ? def->GetNamedString() : nullptr;
    if (!strings || !strings->Lookup(value.c_str() + prefixLength, text)) {
        wrong = L"the string table has no such string";
        return FALSE;
    }
    return TRUE;
}

BOOL ResolveColorValue(const std::wstring& value, COLORREF& color, std::wstring& wrong) {
    static const wchar_t kPrefix[] = L"@color/";
    const size_t prefixLength = wcslen(kPrefix);
    if (value.compare(0, prefixLength, kPrefix) != 0) {
        if (!ReadColorLiteral(value, color)) {
            wrong = L"no colour (#RRGGBB, #RRGGBBAA, rgb(r,g,b), rgba(r,g,b,a) or @color/key)";
            return FALSE;
        }
        return TRUE;
    }
    IUiDefInfo* def = SUiDef::GetUiDef();
    SNamedColor* colors = def ? def->GetNamedColor() : nullptr;
    if (!colors || !colors->Lookup(value.c_str() + prefixLength, color)) {
        wrong = L"the colour table has no such colour";
        return FALSE;
    }
    return TRUE;
}

SWindow::SWindow() {
    swnd_ = RegisterSwnd(this);
}

SWindow::~SWindow() {
    for (SWindow* child : children_) {
        delete child;
    }
    children_.clear();
    if (swnd_) {
        UnregisterSwnd(swnd_);
    }
}

BOOL SWindow::IsClass(LPCWSTR className) const {
    return className && wcscmp(className, GetClassName()) == 0;
}

LPCWSTR SWindow::GetObjectClass() const {
    return GetClassName();
}

int SWindow::GetObjectType() const {
    return GetClassType();
}

SWindow* SWindow::GetChild(int index) const {
    return (index >= 0 && index < GetChildrenCount()) ? children_[static_cast<size_t>(index)] : nullptr;
}

void SWindow::InsertChild(SWindow* child) {
    if (!child) {
        return;
    }
    child->parent_ = this;
    children_.push_back(child);
    if (created_ && container_) {
        child->CreateInContainer(container_);
        container_->UpdateLayout();
    }
}

SWindow* FindElementByName(const SWindow* from, LPCWSTR name, int depth) {
    if (!from || !name || depth == 0) {
        return nullptr;
    }
    for (int i = 0; i < from->GetChildrenCount(); ++i) {
        SWindow* child = from->GetChild(i);
        if (child->GetName() == name) {
            return child;
        }
        if (SWindow* found = FindElementByName(child, name, depth < 0 ? -1 : depth - 1)) {
            return found;
        }
    }
    return nullptr;
}

SWindow* SWindow::FindChildByName(LPCWSTR name, int depth) const {
    SWindow* found = FindElementByName(this, name, depth);
    // The program finds the elements it needs by their names. An element that only some windows
    // have (a name of another layout, or one that code gave an element) may be absent; a name that
    // no layout of the providers has and no element ever had is misspelt.
    if (!found && (!name || !*name || !IsKnownElementName(name))) {
        Refuse(L"FindChildByName(\"" + std::wstring(name ? name : L"") + L"\") in " + DescribeElement(this),
               L"no layout has an element of that name");
    }
    return found;
}

SWindow* SWindow::FindChildByID(int id, int depth) const {
    if (depth == 0) {
        return nullptr;
    }
    for (SWindow* child : children_) {
        if (child->id_ == id) {
            return child;
        }
        if (SWindow* found = child->FindChildByID(id, depth < 0 ? -1 : depth - 1)) {
            return found;
        }
    }
    return nullptr;
}

void SWindow::LogMissingChild(LPCWSTR name, LPCWSTR className, const SWindow* found) {
    if (found) {
        // The element is there but of another kind than the program takes it for.
        Refuse(L"FindChildByName2<" + std::wstring(className) + L">(\"" + std::wstring(name ? name : L"") +
                   L"\") for " + DescribeElement(found),
               L"the element is of kind " + std::wstring(found->GetObjectClass()) + L", not " + className);
    } else {
        SLog(L"child %s (%s) not found", name ? name : L"(null)", className);
    }
}

HRESULT SWindow::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) {
    const std::wstring n = name.c_str();
    const std::wstring v = value.c_str();
    // Why the value is not taken; an attribute whose value is refused changes nothing.
    std::wstring wrong;
    HRESULT hr = S_OK;
    BOOL flag = FALSE;
    if (SameNoCase(n, L"name")) {
        name_ = value;
        RememberElementName(v);
        if (!idGiven_ && SApplication::getSingletonPtr()) {
            id_ = SApplication::getSingleton().GetNamedID(value.c_str());
        }
    } else if (SameNoCase(n, L"id")) {
        int id = 0;
        if (ParseId(v, id)) {
            id_ = id;
            idGiven_ = TRUE;
        } else {
            wrong = L"not IDOK, IDCANCEL, IDCLOSE or a number";
        }
    } else if (SameNoCase(n, L"pos")) {
        SPosItem items[4];
        int count = 0;
        if (ReadPos(v, items, count)) {
            layout_.posCount = count;
            for (int i = 0; i < 4; ++i) {
                layout_.pos[i] = items[i];
            }
        } else {
            wrong = L"not two or four parts of the forms n, -n, [n";
        }
    } else if (SameNoCase(n, L"size")) {
        const std::vector<std::wstring> parts = SplitList(v);
        int w = 0, h = 0;
        if (parts.size() == 2 && ReadSizePart(parts[0], w) && ReadSizePart(parts[1], h)) {
            layout_.width = w;
            layout_.height = h;
        } else {
            wrong = L"not \"w,h\", each -1, -2 or a length";
        }
    } else if (SameNoCase(n, L"width") || SameNoCase(n, L"height")) {
        int part = 0;
        if (ReadSizePart(v, part)) {
            (SameNoCase(n, L"width") ? layout_.width : layout_.height) = part;
        } else {
            wrong = L"not -1, -2 or a length";
        }
    } else if (SameNoCase(n, L"margin")) {
        TakeFour(v, margin_, wrong);
    } else if (SameNoCase(n, L"padding")) {
        TakeFour(v, padding_, wrong);
    } else if (SameNoCase(n, L"layout")) {
        const int box = KeywordIndex(v, {L"vbox", L"hbox"});
        if (box >= 0) {
            boxLayout_ = box + 1;
        } else {
            wrong = L"not vbox or hbox";
        }
    } else if (SameNoCase(n, L"interval")) {
        TakeInt(v, interval_, 0, kAnyHigh, L"not a length", wrong);
    } else if (SameNoCase(n, L"gravity")) {
        static const int kGravity[] = {0, 0, 1, 1, 2, 2};
        const int word = KeywordIndex(v, {L"left", L"top", L"center", L"middle", L"right", L"bottom"});
        if (word >= 0) {
            gravity_ = kGravity[word];
        } else {
            wrong = L"not left, top, center, middle, right or bottom";
        }
    } else if (SameNoCase(n, L"weight")) {
        TakeInt(v, layout_.weight, 0, kAnyHigh, L"not a weight of 0 or more", wrong);
    } else if (SameNoCase(n, L"extend")) {
        TakeFour(v, layout_.extend, wrong);
    } else if (SameNoCase(n, L"extend_left")) {
        TakeInt(v, layout_.extend.left, kAnyLow, kAnyHigh, L"not an integer", wrong);
    } else if (SameNoCase(n, L"extend_top")) {
        TakeInt(v, layout_.extend.top, kAnyLow, kAnyHigh, L"not an integer", wrong);
    } else if (SameNoCase(n, L"extend_right")) {
        TakeInt(v, layout_.extend.right, kAnyLow, kAnyHigh, L"not an integer", wrong);
    } else if (SameNoCase(n, L"extend_bottom")) {
        TakeInt(v, layout_.extend.bottom, kAnyLow, kAnyHigh, L"not an integer", wrong);
    } else if (SameNoCase(n, L"show")) {
        TakeFlag(v, visible_, wrong);
        if (wrong.empty() && !loading) {
            SendSwndMessage(WM_SHOWWINDOW, visible_);
        }
    } else if (SameNoCase(n, L"enable")) {
        TakeFlag(v, enabled_, wrong);
    } else if (SameNoCase(n, L"colorBkgnd")) {
        ResolveColorValue(v, style_.colorBkgnd, wrong);
    } else if (SameNoCase(n, L"skin")) {
        if (v.empty() || FindSkin(v)) {
            SetSkinByName(value);
        } else {
            wrong = L"no such skin";
        }
    } else if (SameNoCase(n, L"skinAlign")) {
        const int align = KeywordIndex(v, {L"stretch", L"left", L"top", L"center"});
        if (align >= 0) {
            skinAlign_ = align;
        } else {
            wrong = L"not stretch, left, top or center";
        }
    } else if (SameNoCase(n, L"alpha")) {
        TakeInt(v, style_.alpha, 0, 255, L"not 0-255", wrong);
    } else if (SameNoCase(n, L"colorText")) {
        ResolveColorValue(v, style_.colorText[0], wrong);
    } else if (SameNoCase(n, L"colorTextHover")) {
        ResolveColorValue(v, style_.colorText[1], wrong);
    } else if (SameNoCase(n, L"colorTextPush")) {
        ResolveColorValue(v, style_.colorText[2], wrong);
    } else if (SameNoCase(n, L"colorTextDisable")) {
        ResolveColorValue(v, style_.colorText[3], wrong);
    } else if (SameNoCase(n, L"font") || SameNoCase(n, L"fontHover")) {
        wrong = FontSpecProblem(v);
        if (wrong.empty() && SameNoCase(n, L"font")) {
            style_.font = value;
            font_ = nullptr;
        } else if (wrong.empty()) {
            style_.fontHover = value;
            fontHover_ = nullptr;
        }
    } else if (SameNoCase(n, L"align")) {
        static const UINT kAlign[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
        const int align = KeywordIndex(v, {L"left", L"center", L"right"});
        if (align >= 0) {
            style_.textMode = (style_.textMode & ~(DT_CENTER | DT_RIGHT)) | kAlign[align];
        } else {
            wrong = L"not left, center or right";
        }
    } else if (SameNoCase(n, L"valign")) {
        static const UINT kValign[] = {DT_TOP, DT_VCENTER, DT_BOTTOM};
        const int align = KeywordIndex(v, {L"top", L"middle", L"bottom"});
        if (align >= 0) {
            style_.textMode = (style_.textMode & ~(DT_VCENTER | DT_BOTTOM)) | kValign[align];
        } else {
            wrong = L"not top, middle or bottom";
        }
    } else if (SameNoCase(n, L"multiLines")) {
        if (TakeFlag(v, flag, wrong)) {
            style_.textMode = flag ? (style_.textMode & ~(DT_SINGLELINE | DT_VCENTER)) | DT_WORDBREAK | DT_EDITCONTROL
                                   : (style_.textMode & ~(DT_WORDBREAK | DT_EDITCONTROL)) | DT_SINGLELINE;
        }
    } else if (SameNoCase(n, L"ellipsis")) {
        if (TakeFlag(v, flag, wrong)) {
            style_.textMode = flag ? (style_.textMode | DT_END_ELLIPSIS) : (style_.textMode & ~DT_END_ELLIPSIS);
        }
    } else if (SameNoCase(n, L"textMode")) {
        TakeInt(v, style_.textMode, kAnyLow, kAnyHigh, L"not a number of DT_ bits", wrong);
    } else if (SameNoCase(n, L"margin-x")) {
        TakeInt(v, style_.marginX, kAnyLow, kAnyHigh, L"not an integer", wrong);
    } else if (SameNoCase(n, L"margin-y")) {
        TakeInt(v, style_.marginY, kAnyLow, kAnyHigh, L"not an integer", wrong);
    } else if (SameNoCase(n, L"lineSpacing")) {
        TakeInt(v, style_.lineSpacing, kAnyLow, kAnyHigh, L"not an integer", wrong);
    } else if (SameNoCase(n, L"cursor")) {
        LPCWSTR cursor = nullptr;
        if (ReadCursor(v, cursor)) {
            style_.cursor = value;
        } else {
            wrong = L"no such cursor";
        }
        hr = S_FALSE;
    } else if (SameNoCase(n, L"tip")) {
        ResolveTextValue(value, tip_, wrong);
        hr = S_FALSE;
    } else if (SameNoCase(n, L"text")) {
        ResolveTextValue(value, text_, wrong);
    } else if (SameNoCase(n, L"data")) {
        TakeInt(v, userData_, kAnyLow, kAnyHigh, L"not a number", wrong);
        hr = S_FALSE;
    } else if (SameNoCase(n, L"focusable")) {
        TakeFlag(v, focusable_, wrong);
        hr = S_FALSE;
    } else if (SameNoCase(n, L"msgTransparent")) {
        TakeFlag(v, msgTransparent_, wrong);
        hr = S_FALSE;
    } else if (SameNoCase(n, L"class")) {
        IUiDefInfo* def = SUiDef::GetUiDef();
        if (const SAttrList* list = def ? def->GetStyleClass(v.c_str()) : nullptr) {
            ApplyAttrList(list);
        } else {
            wrong = L"no such style class";
        }
    } else if (SameNoCase(n, L"cache")) {
        BOOL cached = FALSE;
        TakeFlag(v, cached, wrong);
        hr = S_FALSE;
    } else {
        Refuse(L"attribute " + QuoteAttribute(n, v) + L" of " + DescribeElement(this),
               L"no attribute of the kind " + std::wstring(GetObjectClass()));
        return E_FAIL;
    }
    if (!wrong.empty()) {
        Refuse(L"attribute " + QuoteAttribute(n, v) + L" of " + DescribeElement(this), wrong);
        return E_INVALIDARG;
    }
    return AfterAttribute(name, value, loading, hr);
}

HRESULT SWindow::AfterAttribute(const SStringW& /*name*/, const SStringW& /*value*/, BOOL loading, HRESULT hr) {
    if (!loading && created_ && container_ && !destroyed_) {
        if (hr == S_OK) {
            container_->UpdateLayout();
        } else if (hr == S_FALSE) {
            Invalidate();
        }
    }
    return hr;
}

void SWindow::ApplyAttrList(const void* list) {
    for (const auto& [n, v] : *static_cast<const SAttrList*>(list)) {
        SetAttribute(n.c_str(), v.c_str(), TRUE);
    }
}

void SWindow::SetSkinByName(const SStringW& name) {
    skinName_ = name;
    skin_ = FindSkin(name.c_str());
    if (!skin_ && !name.IsEmpty()) {
        SLog(L"skin %s not found", name.c_str());
    }
}

void SWindow::SetWindowText(LPCWSTR text) {
    text_ = text ? text : L"";
    if (created_ && container_ && !destroyed_) {
        container_->UpdateLayout();
    }
}

ULONG_PTR SWindow::SetUserData(ULONG_PTR data) {
    const ULONG_PTR old = userData_;
    userData_ = data;
    return old;
}

void SWindow::SetVisible(BOOL visible, BOOL update) {
    visible_ = visible ? TRUE : FALSE;
    SendSwndMessage(WM_SHOWWINDOW, visible_);
    if (created_ && container_ && !destroyed_) {
        container_->UpdateLayout();
        if (update) {
            UpdateWindow(container_->GetHostHwnd());
        }
    }
}

BOOL SWindow::IsVisible(BOOL checkParent) const {
    if (!visible_) {
        return FALSE;
    }
    return (checkParent && parent_) ? parent_->IsVisible(TRUE) : TRUE;
}

void SWindow::EnableWindow(BOOL enable, BOOL update) {
    enabled_ = enable ? TRUE : FALSE;
    Invalidate();
    if (update && container_) {
        UpdateWindow(container_->GetHostHwnd());
    }
}

BOOL SWindow::IsDisabled(BOOL checkParent) const {
    if (!enabled_) {
        return TRUE;
    }
    return (checkParent && parent_) ? parent_->IsDisabled(TRUE) : FALSE;
}

DWORD SWindow::GetState() const {
    if (IsDisabled(TRUE)) {
        return WndState_Disable;
    }
    if (pushed_ && hover_) {
        return WndState_PushDown;
    }
    return hover_ ? WndState_Hover : WndState_Normal;
}

void SWindow::SetHover(BOOL hover) {
    if (hover_ != hover) {
        hover_ = hover;
        Invalidate();
    }
}

void SWindow::SetPushed(BOOL pushed) {
    if (pushed_ != pushed) {
        pushed_ = pushed;
        Invalidate();
    }
}

void SWindow::GetWindowRect(LPRECT rc) const {
    *rc = rect_;
}

void SWindow::GetClientRect(LPRECT rc) const {
    *rc = {rect_.left + margin_.left, rect_.top + margin_.top, rect_.right - margin_.right,
           rect_.bottom - margin_.bottom};
    if (rc->right < rc->left) {
        rc->right = rc->left;
    }
    if (rc->bottom < rc->top) {
        rc->bottom = rc->top;
    }
}

void SWindow::Move(const RECT& rc) {
    const RECT old = rect_;
    rect_ = rc;
    if (rect_.right < rect_.left) {
        rect_.right = rect_.left;
    }
    if (rect_.bottom < rect_.top) {
        rect_.bottom = rect_.top;
    }
    const SIZE size = {rect_.right - rect_.left, rect_.bottom - rect_.top};
    if (size.cx != old.right - old.left || size.cy != old.bottom - old.top) {
        SendSwndMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(size.cx, size.cy));
    }
    UpdateChildrenPosition();
    SendSwndMessage(WM_WINDOWPOSCHANGED);
}

void SWindow::UpdateChildrenPosition() {
    RECT client;
    GetClientRect(&client);
    const RECT box = {client.left + padding_.left, client.top + padding_.top,
                      std::max(client.left + padding_.left, client.right - padding_.right),
                      std::max(client.top + padding_.top, client.bottom - padding_.bottom)};
    if (boxLayout_ == 0) {
        RECT prev = {box.left, box.top, box.left, box.top};
        for (SWindow* c : children_) {
            const SLayoutParam& lp = c->layout_;
            RECT rc;
            if (lp.posCount == 4) {
                rc.left = EvalPos(lp.pos[0], box.left, box.right, prev.right);
                rc.top = EvalPos(lp.pos[1], box.top, box.bottom, prev.bottom);
                rc.right = EvalPos(lp.pos[2], box.left, box.right, prev.right);
                rc.bottom = EvalPos(lp.pos[3], box.top, box.bottom, prev.bottom);
            } else {
                rc.left = lp.posCount ? EvalPos(lp.pos[0], box.left, box.right, prev.right) : box.left;
                rc.top = lp.posCount ? EvalPos(lp.pos[1], box.top, box.bottom, prev.bottom) : box.top;
                int w = lp.width;
                if (w == SIZE_MATCH_PARENT) {
                    w = box.right - rc.left;
                }
                int h = lp.height;
                if (h == SIZE_MATCH_PARENT) {
                    h = box.bottom - rc.top;
                }
                if (w < 0 || h < 0) {
                    const SIZE want = c->GetDesiredSize(w);
                    if (w < 0) {
                        w = want.cx;
                    }
                    if (h < 0) {
                        h = want.cy;
                    }
                }
                rc.right = rc.left + w;
                rc.bottom = rc.top + h;
            }
            c->Move(rc);
            prev = c->rect_;
        }
        return;
    }

    // A box: stack the shown children along the axis.
    const BOOL vertical = boxLayout_ == 1;
    const int length = vertical ? box.bottom - box.top : box.right - box.left;
    const int cross = vertical ? box.right - box.left : box.bottom - box.top;
    struct Item {
        SWindow* wnd;
        int main;
        int crossSize;
        int weight;
    };
    std::vector<Item> items;
    int used = 0;
    int totalWeight = 0;
    for (SWindow* c : children_) {
        if (!c->visible_) {
            continue;
        }
        const SLayoutParam& lp = c->layout_;
        const RECT& ex = lp.extend;
        const int exCross = vertical ? ex.left + ex.right : ex.top + ex.bottom;
        const int exMain = vertical ? ex.top + ex.bottom : ex.left + ex.right;
        int crossSize = vertical ? lp.width : lp.height;
        int mainSize = vertical ? lp.height : lp.width;
        if (crossSize == SIZE_MATCH_PARENT) {
            crossSize = std::max(0, cross - exCross);
        }
        int weight = lp.weight;
        if (mainSize == SIZE_MATCH_PARENT) {
            mainSize = 0;
            if (weight == 0) {
                weight = 1;
            }
        }
        if (mainSize < 0 || crossSize < 0) {
            const SIZE want = c->GetDesiredSize(vertical ? crossSize : -1);
            if (mainSize < 0) {
                mainSize = vertical ? want.cy : want.cx;
            }
            if (crossSize < 0) {
                crossSize = std::min<int>(vertical ? want.cx : want.cy, std::max(0, cross - exCross));
            }
        }
        items.push_back({c, mainSize, crossSize, weight});
        used += mainSize + exMain;
        totalWeight += weight;
    }
    if (!items.empty()) {
        used += interval_ * static_cast<int>(items.size() - 1);
    }
    int free = std::max(0, length - used);
    int at = vertical ? box.top : box.left;
    for (Item& it : items) {
        if (totalWeight > 0 && it.weight > 0) {
            const int share = free * it.weight / totalWeight;
            it.main += share;
            free -= share;
            totalWeight -= it.weight;
        }
        const RECT& ex = it.wnd->layout_.extend;
        const int crossStart = vertical ? box.left + ex.left : box.top + ex.top;
        const int crossEnd = vertical ? box.right - ex.right : box.bottom - ex.bottom;
        int c0 = crossStart;
        if (gravity_ == 1) {
            c0 = crossStart + (crossEnd - crossStart - it.crossSize) / 2;
        } else if (gravity_ == 2) {
            c0 = crossEnd - it.crossSize;
        }
        RECT rc;
        if (vertical) {
            at += ex.top;
            rc = {c0, at, c0 + it.crossSize, at + it.main};
            at += it.main + ex.bottom + interval_;
        } else {
            at += ex.left;
            rc = {at, c0, at + it.main, c0 + it.crossSize};
            at += it.main + ex.right + interval_;
        }
        it.wnd->Move(rc);
    }
    // Hidden children keep a place of no size, so code reading their rectangles sees them empty.
    for (SWindow* c : children_) {
        if (!c->visible_) {
            c->Move({box.left, box.top, box.left, box.top});
        }
    }
}

SIZE SWindow::GetDesiredSize(int /*width*/) {
    return {0, 0};
}

void SWindow::Invalidate() {
    if (container_ && created_ && !destroyed_) {
        container_->OnRedraw(rect_);
    }
}

void SWindow::InvalidateRect(const RECT& rc, BOOL clip) {
    if (!container_ || !created_ || destroyed_) {
        return;
    }
    RECT area = rc;
    if (clip && !IntersectRect(&area, &rc, &rect_)) {
        return;
    }
    container_->OnRedraw(area);
}

void SWindow::SetFocus() {
    if (container_ && !destroyed_) {
        container_->OnSetSwndFocus(swnd_);
    }
}

void SWindow::KillFocus() {
    if (container_ && IsFocused()) {
        container_->OnSetSwndFocus(0);
    }
}

BOOL SWindow::IsFocused() const {
    return container_ && container_->GetFocus() == swnd_;
}

void SWindow::SetCapture() {
    if (container_ && !destroyed_) {
        container_->OnSetSwndCapture(swnd_);
    }
}

void SWindow::ReleaseCapture() {
    if (container_) {
        container_->OnReleaseSwndCapture(swnd_);
    }
}

LRESULT SWindow::SendSwndMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    ProcessSwndMessage(msg, wParam, lParam, result);
    return result;
}

BOOL SWindow::ProcessSwndMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (msg) {
        case WM_CREATE:
            result = OnCreate();
            return TRUE;
        case WM_DESTROY:
            OnDestroy();
            return TRUE;
        case WM_SIZE:
            OnSize(static_cast<UINT>(wParam), {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            return TRUE;
        case WM_PAINT:
            OnPaint(reinterpret_cast<IRenderTarget*>(wParam));
            return TRUE;
        case WM_SETFOCUS:
            OnSetFocus(static_cast<SWND>(wParam));
            return TRUE;
        case WM_KILLFOCUS:
            OnKillFocus(static_cast<SWND>(wParam));
            return TRUE;
        case WM_MOUSEHOVER:
            SetHover(TRUE);
            {
                EventArgs evt(this, EVT_MOUSE_HOVER, id_, name_.IsEmpty() ? nullptr : name_.c_str());
                FireEvent(evt);
            }
            return TRUE;
        case WM_CANCELMODE:
            SetPushed(FALSE);
            return TRUE;
        case WM_MOUSELEAVE:
            SetHover(FALSE);
            {
                EventArgs evt(this, EVT_MOUSE_LEAVE, id_, name_.IsEmpty() ? nullptr : name_.c_str());
                FireEvent(evt);
            }
            return TRUE;
        default:
            break;
    }
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) {
        const POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        return OnMouseEvent(msg, wParam, pt);
    }
    return FALSE;
}

BOOL SWindow::OnSetCursor(const POINT& /*pt*/) {
    if (style_.cursor.IsEmpty()) {
        return FALSE;
    }
    ::SetCursor(::LoadCursorW(nullptr, ParseCursor(style_.cursor.c_str())));
    return TRUE;
}

UINT SWindow::OnGetDlgCode() {
    return 0;
}

void SWindow::OnSize(UINT /*type*/, SIZE /*size*/) {
    Invalidate();
}

void SWindow::OnSetFocus(SWND /*oldFocus*/) {
    Invalidate();
}

void SWindow::OnKillFocus(SWND /*newFocus*/) {
    Invalidate();
}

int SWindow::OnCreate() {
    return 0;
}

void SWindow::OnDestroy() {}

BOOL SWindow::OnMouseEvent(UINT /*msg*/, WPARAM /*flags*/, const POINT& /*pt*/) {
    return FALSE;
}

SWindow* SWindow::HitTest(const POINT& pt) {
    if (!visible_ || !PtInRect(&rect_, pt)) {
        return nullptr;
    }
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        if (SWindow* hit = (*it)->HitTest(pt)) {
            return hit;
        }
    }
    return msgTransparent_ ? nullptr : this;
}

BOOL SWindow::FireEvent(EventArgs& evt) {
    return container_ ? container_->OnFireEvent(evt) : FALSE;
}

IFont* SWindow::GetCurrentFont() {
    if (hover_ && !style_.fontHover.IsEmpty()) {
        if (!fontHover_) {
            fontHover_ = GetFontFromSpec(style_.fontHover.c_str());
        }
        return fontHover_;
    }
    if (!font_) {
        font_ = GetFontFromSpec(style_.font.c_str());
    }
    return font_;
}

void SWindow::DrawBackground(IRenderTarget* target, const RECT& rc) {
    if (style_.colorBkgnd != CR_INVALID) {
        target->FillSolidRect(rc, ScaleAlpha(style_.colorBkgnd, style_.alpha));
    }
    if (!skin_) {
        return;
    }
    RECT area = rc;
    if (skinAlign_ != 0) {
        const SIZE face = skin_->GetSkinSize();
        int x = rc.left + (rc.right - rc.left - face.cx) / 2;
        int y = rc.top + (rc.bottom - rc.top - face.cy) / 2;
        if (skinAlign_ == 1) {
            x = rc.left;
        } else if (skinAlign_ == 2) {
            y = rc.top;
        }
        area = {x, y, x + face.cx, y + face.cy};
    }
    skin_->Draw(target, area, static_cast<int>(GetState()), style_.alpha);
}

void SWindow::DrawWindowText(IRenderTarget* target, const RECT& rc) {
    if (text_.IsEmpty()) {
        return;
    }
    RECT area = {rc.left + style_.marginX, rc.top + style_.marginY, rc.right - style_.marginX,
                 rc.bottom - style_.marginY};
    IFont* font = GetCurrentFont();
    UINT format = style_.textMode;
    const COLORREF color = ScaleAlpha(style_.GetTextColor(static_cast<int>(GetState())), style_.alpha);
    if ((format & DT_WORDBREAK) && style_.lineSpacing != 0) {
        DrawSpacedLines(target, area, font, format, color);
        return;
    }
    if (!(format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM))) {
        // DrawText centres only single lines: place the wrapped block itself.
        const SIZE sz = target->MeasureText(text_.c_str(), text_.GetLength(), font, format, area.right - area.left);
        const int spare = (area.bottom - area.top) - sz.cy;
        if (spare > 0) {
            area.top += (format & DT_VCENTER) ? spare / 2 : spare;
        }
        format &= ~(DT_VCENTER | DT_BOTTOM);
    }
    target->DrawText(text_.c_str(), text_.GetLength(), area, format, font, color);
}

void SWindow::DrawSpacedLines(IRenderTarget* target, RECT area, IFont* font, UINT format, COLORREF color) {
    const TextLayout layout =
        LayOutLines(font ? font->Handle() : nullptr, text_.c_str(), text_.GetLength(), area.right - area.left);
    const int spare = (area.bottom - area.top) - BlockHeight(layout, style_.lineSpacing);
    if (spare > 0 && (format & (DT_VCENTER | DT_BOTTOM))) {
        area.top += (format & DT_VCENTER) ? spare / 2 : spare;
    }
    // Each line alone, with the block's horizontal alignment.
    const UINT lineFormat =
        (format & (DT_CENTER | DT_RIGHT | DT_END_ELLIPSIS | DT_RTLREADING)) | DT_SINGLELINE | DT_TOP;
    int top = area.top;
    for (const TextLine& line : layout.lines) {
        if (top >= area.bottom) {
            break;
        }
        const RECT rc = {area.left, top, area.right, std::min<int>(area.bottom, top + layout.lineHeight)};
        target->DrawText(text_.c_str() + line.start, line.length, rc, lineFormat, font, color);
        top += layout.lineHeight + style_.lineSpacing;
    }
}

void SWindow::OnPaint(IRenderTarget* target) {
    DrawBackground(target, rect_);
    RECT client;
    GetClientRect(&client);
    DrawWindowText(target, client);
}

void SWindow::PaintTree(IRenderTarget* target, const RECT& dirty) {
    if (!visible_) {
        return;
    }
    RECT area;
    if (!IntersectRect(&area, &rect_, &dirty)) {
        return;
    }
    target->PushClipRect(area);
    SendSwndMessage(WM_PAINT, reinterpret_cast<WPARAM>(target));
    for (SWindow* c : children_) {
        c->PaintTree(target, area);
    }
    target->PopClip();
}

void SWindow::InitFromXml(const void* xmlNode) {
    const pugi::xml_node& node = *static_cast<const pugi::xml_node*>(xmlNode);
    const std::wstring kind = Utf8ToWide(node.name());
    // The name first, so what is refused of the element names it.
    if (pugi::xml_attribute name = node.attribute("name")) {
        SetAttribute(L"name", Utf8ToWide(name.value()).c_str(), TRUE);
    }
    IUiDefInfo* def = SUiDef::GetUiDef();
    if (const SAttrList* defaults = def ? def->GetObjAttr(kind.c_str()) : nullptr) {
        ApplyAttrList(defaults);
    }
    if (pugi::xml_attribute cls = node.attribute("class")) {
        SetAttribute(L"class", Utf8ToWide(cls.value()).c_str(), TRUE);
    }
    for (const pugi::xml_attribute& a : node.attributes()) {
        if (strcmp(a.name(), "class") != 0 && strcmp(a.name(), "name") != 0) {
            SetAttribute(Utf8ToWide(a.name()).c_str(), Utf8ToWide(a.value()).c_str(), TRUE);
        }
    }
    const std::wstring content = TrimBlanks(Utf8ToWide(node.text().get()));
    if (!content.empty() && !node.attribute("text")) {
        SetAttribute(L"text", content.c_str(), TRUE);
    }
    if (kind == L"root" && layout_.posCount == 0) {
        SetAttribute(L"pos", L"0,0,-0,-0", TRUE);
    }
}

void SWindow::CreateChildrenFromXml(const void* xmlNode) {
    const pugi::xml_node& node = *static_cast<const pugi::xml_node*>(xmlNode);
    SApplication* app = SApplication::getSingletonPtr();
    if (!app) {
        return;
    }
    for (const pugi::xml_node& e : node.children()) {
        if (e.type() != pugi::node_element) {
            continue;
        }
        const std::wstring kind = Utf8ToWide(e.name());
        SWindow* child = app->CreateWindowByName(kind.c_str());
        if (!child) {
            Refuse(L"element <" + kind + L"> in " + DescribeElement(this), L"no such element kind");
            continue;
        }
        child->parent_ = this;
        child->InitFromXml(&e);
        children_.push_back(child);
        child->CreateChildrenFromXml(&e);
    }
}

void SWindow::CreateInContainer(ISwndContainer* container) {
    container_ = container;
    created_ = TRUE;
    SendSwndMessage(WM_CREATE);
    for (SWindow* c : children_) {
        c->CreateInContainer(container);
    }
}

void SWindow::Destroy() {
    if (destroyed_) {
        return;
    }
    for (SWindow* c : std::vector<SWindow*>(children_)) {
        c->Destroy();
    }
    SendSwndMessage(WM_DESTROY);
    destroyed_ = TRUE;
    if (container_) {
        if (container_->GetFocus() == swnd_) {
            container_->OnSetSwndFocus(0);
        }
        if (container_->GetCapture() == swnd_) {
            container_->OnReleaseSwndCapture(swnd_);
        }
    }
    UnregisterSwnd(swnd_);
    swnd_ = 0;
    if (parent_ && !parent_->destroyed_) {
        std::erase(parent_->children_, this);
        parent_ = nullptr;
        DeferDelete(this);
    }
}

}  // namespace SOUI
