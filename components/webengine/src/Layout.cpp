#include "Layout.h"

#include <algorithm>
#include <cwctype>

#include "WideText.h"

namespace wke {

namespace {

constexpr int kBodyMargin = 8;
constexpr int kButtonPadX = 8;
constexpr int kButtonPadY = 4;
constexpr int kIndent = 40;
const Color kLinkColor = rgb(0, 0, 238);
const wchar_t kPasswordDot = L'\x2022';

enum class Align { Left, Center, Right };

struct Style {
    TextFont font;
    Color color = rgb(0, 0, 0);
    Align align = Align::Left;
    bool pre = false;
};

// The value of one property of an element's inline style, lower-case; "" when absent.
std::wstring styleProperty(const Node* n, const wchar_t* name) {
    const std::wstring* style = n->attribute(L"style");
    if (!style) {
        return {};
    }
    const std::wstring s = *style;
    size_t i = 0;
    std::wstring found;
    while (i < s.size()) {
        size_t end = s.find(L';', i);
        if (end == std::wstring::npos) {
            end = s.size();
        }
        const std::wstring decl = s.substr(i, end - i);
        const size_t colon = decl.find(L':');
        if (colon != std::wstring::npos && lower(trim(decl.substr(0, colon))) == name) {
            found = lower(trim(decl.substr(colon + 1)));
        }
        i = end + 1;
    }
    return found;
}

int pixels(const std::wstring& v, int fallback) {
    if (v.empty() || !std::iswdigit(v[0])) {
        return fallback;
    }
    const int n = static_cast<int>(std::wcstol(v.c_str(), nullptr, 10));
    return (v.find(L"px") != std::wstring::npos || v.find_first_not_of(L"0123456789") == std::wstring::npos)
               ? std::clamp(n, 0, 10000)
               : fallback;
}

bool isCjk(wchar_t c) {
    return (c >= 0x2E80 && c < 0xD800) || (c >= 0xF900 && c < 0xFB00) || (c >= 0xFF00 && c < 0xFFF0);
}

bool isBlockTag(const std::wstring& t) {
    static const wchar_t* const kBlocks[] = {
        L"html", L"body",    L"div",    L"p",        L"h1",      L"h2",    L"h3",      L"h4",     L"h5",
        L"h6",   L"ul",      L"ol",     L"li",       L"form",    L"table", L"tr",      L"center", L"pre",
        L"hr",   L"section", L"header", L"footer",   L"nav",     L"main",  L"article", L"aside",  L"blockquote",
        L"dl",   L"dt",      L"dd",     L"fieldset", L"address", L"tbody", L"thead"};
    for (const wchar_t* b : kBlocks) {
        if (t == b) {
            return true;
        }
    }
    return false;
}

bool isHidden(const Node* n) {
    static const wchar_t* const kHidden[] = {L"head",   L"script",   L"style",    L"title",  L"meta",
                                             L"link",   L"template", L"noscript", L"select", L"option",
                                             L"iframe", L"object",   L"base"};
    for (const wchar_t* h : kHidden) {
        if (n->tag == h) {
            return true;
        }
    }
    if (n->hasAttribute(L"hidden") || styleProperty(n, L"display") == L"none") {
        return true;
    }
    return n->tag == L"input" && inputKind(*n) == InputKind::Hidden;
}

// Margins above and below a block, for its font size.
int blockMargin(const std::wstring& t, int fontSize) {
    if (t == L"p" || t == L"ul" || t == L"ol" || t == L"pre" || t == L"blockquote" || t == L"dl" || t == L"fieldset") {
        return fontSize;
    }
    if (t == L"h1")
        return fontSize * 67 / 100;
    if (t == L"h2")
        return fontSize * 83 / 100;
    if (t == L"h3")
        return fontSize;
    if (t == L"h4")
        return fontSize * 133 / 100;
    if (t == L"h5")
        return fontSize * 167 / 100;
    if (t == L"h6")
        return fontSize * 233 / 100;
    if (t == L"hr")
        return 8;
    return 0;
}

int headingSize(const std::wstring& t) {
    if (t == L"h1")
        return 32;
    if (t == L"h2")
        return 24;
    if (t == L"h3")
        return 19;
    if (t == L"h4")
        return 16;
    if (t == L"h5")
        return 13;
    if (t == L"h6")
        return 11;
    return 0;
}

Style derive(const Style& parent, const Node* n) {
    Style st = parent;
    const std::wstring& t = n->tag;
    if (const int h = headingSize(t)) {
        st.font.size = h;
        st.font.bold = true;
    }
    if (t == L"b" || t == L"strong" || t == L"th")
        st.font.bold = true;
    if (t == L"i" || t == L"em" || t == L"cite")
        st.font.italic = true;
    if (t == L"u")
        st.font.underline = true;
    if (t == L"small")
        st.font.size = std::max(8, st.font.size * 83 / 100);
    if (t == L"big")
        st.font.size = st.font.size * 120 / 100;
    if (t == L"code" || t == L"tt" || t == L"kbd" || t == L"pre")
        st.font.mono = true;
    if (t == L"pre")
        st.pre = true;
    if (t == L"center")
        st.align = Align::Center;
    if (t == L"a" && n->hasAttribute(L"href")) {
        st.color = kLinkColor;
        st.font.underline = true;
    }
    Color c = 0;
    if (const std::wstring* text = n->attribute(t == L"body" ? L"text" : L"color");
        text && (t == L"body" || t == L"font") && parseColor(*text, c)) {
        st.color = c;
    }
    if (parseColor(styleProperty(n, L"color"), c)) {
        st.color = c;
    }
    std::wstring align = lower(n->attribute(L"align") ? *n->attribute(L"align") : L"");
    const std::wstring css = styleProperty(n, L"text-align");
    if (!css.empty()) {
        align = css;
    }
    if (align == L"center")
        st.align = Align::Center;
    if (align == L"right")
        st.align = Align::Right;
    if (align == L"left")
        st.align = Align::Left;
    const std::wstring weight = styleProperty(n, L"font-weight");
    if (weight == L"bold" || weight == L"700" || weight == L"800" || weight == L"900")
        st.font.bold = true;
    if (weight == L"normal" || weight == L"400")
        st.font.bold = false;
    const int size = pixels(styleProperty(n, L"font-size"), 0);
    if (size > 0)
        st.font.size = std::clamp(size, 6, 200);
    return st;
}

// The background colour an element asks for, if any.
bool backgroundOf(const Node* n, Color& c) {
    if (const std::wstring* bg = n->attribute(L"bgcolor"); bg && parseColor(*bg, c)) {
        return true;
    }
    return parseColor(styleProperty(n, L"background-color"), c) || parseColor(styleProperty(n, L"background"), c);
}

class Builder {
  public:
    Builder(TextMeasure& m, int width, int height) : m_(m), width_(std::max(width, 1)), height_(std::max(height, 0)) {}

    Layout run(const Document& doc) {
        out_.width = width_;
        Node* root = doc.root.get();
        if (root) {
            Color c = 0;
            Node* body = doc.body();
            if ((body && backgroundOf(body, c)) || backgroundOf(root, c)) {
                out_.background = c;
            }
            Style st;
            if (body && body != root) {
                st = derive(st, root);
            }
            pendingMargin_ = kBodyMargin;
            Node* start = body ? body : root;
            const Style bodyStyle = derive(st, start);
            children(start, bodyStyle, kBodyMargin, std::max(kBodyMargin + 1, width_ - kBodyMargin));
            flushLine();
        }
        y_ += std::max(pendingMargin_, kBodyMargin);
        out_.height = std::max(y_, height_);
        return std::move(out_);
    }

  private:
    struct Unit {
        LayoutItem item;
        bool spaceBefore = false;
    };

    void children(Node* parent, const Style& st, int left, int right) {
        for (auto& c : parent->children) {
            node(c.get(), st, left, right);
        }
    }

    void node(Node* n, const Style& st, int left, int right) {
        if (n->kind == Node::Kind::Text) {
            if (st.pre) {
                preText(n->text, n->parent, st, left, right);
            } else {
                text(n->text, n->parent, st, left, right);
            }
            return;
        }
        if (isHidden(n)) {
            return;
        }
        const Style s = derive(st, n);
        if (n->tag == L"br") {
            breakLine(s);
            return;
        }
        if (n->tag == L"input" || n->tag == L"button" || n->tag == L"textarea") {
            control(n, s, left, right);
            return;
        }
        if (n->tag == L"img") {
            if (const std::wstring* alt = n->attribute(L"alt")) {
                text(*alt, n, s, left, right);
            }
            return;
        }
        if (!isBlockTag(n->tag)) {
            children(n, s, left, right);
            if (n->tag == L"td" || n->tag == L"th") {
                pendingSpace_ = true;
            }
            return;
        }
        block(n, s, left, right);
    }

    void block(Node* n, const Style& s, int left, int right) {
        const int margin = blockMargin(n->tag, s.font.size);
        beginBlock(margin);
        if (n->tag == L"hr") {
            flushMargin();
            LayoutItem rule;
            rule.kind = LayoutItem::Kind::Rule;
            rule.rect = {left, y_, right, y_ + 2};
            rule.color = rgb(192, 192, 192);
            rule.node = n;
            out_.items.push_back(rule);
            y_ += 2;
            endBlock(margin);
            return;
        }
        int innerLeft = left;
        if (n->tag == L"ul" || n->tag == L"ol" || n->tag == L"blockquote" || n->tag == L"dd") {
            innerLeft = std::min(right - 1, left + kIndent);
        }
        int innerRight = right;
        if (n->tag == L"blockquote") {
            innerRight = std::max(innerLeft + 1, right - kIndent);
        }
        Color bg = 0;
        const bool filled = n->tag != L"body" && n->tag != L"html" && backgroundOf(n, bg);
        if (filled) {
            flushMargin();
        }
        const size_t fillAt = out_.items.size();
        const int top = y_;
        if (n->tag == L"li") {
            LayoutItem bullet;
            bullet.font = s.font;
            bullet.color = s.color;
            bullet.node = n;
            const Node* list = n->parent;
            if (list && list->isElement(L"ol")) {
                int index = 1;
                for (const auto& sib : list->children) {
                    if (sib.get() == n) {
                        break;
                    }
                    index += sib->isElement(L"li") ? 1 : 0;
                }
                bullet.text = std::to_wstring(index) + L".";
            } else {
                bullet.text = L"\x2022";
            }
            place(bullet, m_.textWidth(s.font, bullet.text), m_.lineHeight(s.font), false, innerLeft, innerRight,
                  s.align);
            pendingSpace_ = true;
        }
        children(n, s, innerLeft, innerRight);
        flushLine();
        if (filled) {
            LayoutItem fill;
            fill.kind = LayoutItem::Kind::Rule;
            fill.rect = {left, top, right, std::max(y_, top)};
            fill.color = bg;
            fill.node = n;
            out_.items.insert(out_.items.begin() + static_cast<long>(fillAt), fill);
        }
        endBlock(margin);
    }

    void control(Node* n, const Style& s, int left, int right) {
        LayoutItem item;
        item.node = n;
        item.font = s.font;
        item.font.size = kControlFontSize;
        item.font.bold = false;
        item.font.italic = false;
        item.font.underline = false;
        item.font.mono = false;
        item.color = rgb(0, 0, 0);
        const int cssWidth = pixels(styleProperty(n, L"width"), 0);
        const int line = m_.lineHeight(item.font);
        int w = 0;
        int h = 0;
        const InputKind kind = n->tag == L"input" ? inputKind(*n) : InputKind::Text;
        if (n->tag == L"button" || kind == InputKind::Submit || kind == InputKind::Button || kind == InputKind::Reset) {
            item.kind = LayoutItem::Kind::Button;
            if (n->tag == L"button") {
                item.text = Document::textOf(n);
            } else if (const std::wstring* v = n->attribute(L"value")) {
                item.text = *v;
            } else {
                item.text = kind == InputKind::Submit ? L"Submit" : (kind == InputKind::Reset ? L"Reset" : L"");
            }
            w = std::max(16, m_.textWidth(item.font, item.text) + 2 * kButtonPadX + 2);
            h = line + 2 * kButtonPadY + 2;
        } else if (kind == InputKind::Checkbox) {
            item.kind = LayoutItem::Kind::Checkbox;
            w = h = 13;
        } else {
            item.kind = LayoutItem::Kind::Field;
            item.text = fieldDisplayText(n);
            const std::wstring* sizeAttr = n->attribute(n->tag == L"textarea" ? L"cols" : L"size");
            const int chars =
                sizeAttr ? std::clamp(static_cast<int>(std::wcstol(sizeAttr->c_str(), nullptr, 10)), 1, 200) : 20;
            w = chars * std::max(1, m_.textWidth(item.font, L"0")) + 2 * kFieldPadX + 2;
            h = line + 2 * kFieldPadY + 2;
        }
        if (cssWidth > 0) {
            w = cssWidth;
        }
        place(item, w, h, consumeSpace(), left, right, s.align);
    }

    bool consumeSpace() {
        const bool s = pendingSpace_;
        pendingSpace_ = false;
        return s;
    }

    void text(const std::wstring& t, Node* owner, const Style& s, int left, int right) {
        std::wstring word;
        auto emit = [&](const std::wstring& w) {
            LayoutItem item;
            item.text = w;
            item.font = s.font;
            item.color = s.color;
            item.node = owner;
            place(item, m_.textWidth(s.font, w), m_.lineHeight(s.font), consumeSpace(), left, right, s.align);
        };
        for (wchar_t c : t) {
            if (isBlank(c)) {
                if (!word.empty()) {
                    emit(word);
                    word.clear();
                }
                pendingSpace_ = true;
            } else if (isCjk(c)) {
                if (!word.empty()) {
                    emit(word);
                    word.clear();
                }
                emit(std::wstring(1, c));
            } else {
                word += c == L'\xA0' ? L' ' : c;
            }
        }
        if (!word.empty()) {
            emit(word);
        }
    }

    void preText(const std::wstring& t, Node* owner, const Style& s, int left, int right) {
        std::wstring line;
        auto emit = [&] {
            if (line.empty()) {
                return;
            }
            LayoutItem item;
            item.text = line;
            item.font = s.font;
            item.color = s.color;
            item.node = owner;
            place(item, m_.textWidth(s.font, line), m_.lineHeight(s.font), false, left, std::max(right, left + 100000),
                  Align::Left);
            line.clear();
        };
        for (wchar_t c : t) {
            if (c == L'\r') {
                continue;
            }
            if (c == L'\n') {
                emit();
                breakLine(s);
                continue;
            }
            if (c == L'\t') {
                line.append(8 - line.size() % 8, L' ');
                continue;
            }
            line += c;
        }
        emit();
    }

    void place(LayoutItem item, int w, int h, bool spaceBefore, int left, int right, Align align) {
        int space = (spaceBefore && !line_.empty()) ? m_.textWidth(item.font, L" ") : 0;
        if (!line_.empty() && lineX_ + space + w > right) {
            flushLine();
            space = 0;
        }
        if (line_.empty()) {
            lineX_ = left;
            lineLeft_ = left;
            lineRight_ = right;
            lineAlign_ = align;
        }
        item.rect = {lineX_ + space, 0, lineX_ + space + w, h};
        lineX_ = item.rect.right;
        line_.push_back({std::move(item), space > 0});
    }

    void breakLine(const Style& s) {
        if (line_.empty()) {
            flushMargin();
            y_ += m_.lineHeight(s.font);
        } else {
            flushLine();
        }
        pendingSpace_ = false;
    }

    void flushMargin() {
        y_ += pendingMargin_;
        pendingMargin_ = 0;
    }

    void flushLine() {
        pendingSpace_ = false;
        if (line_.empty()) {
            return;
        }
        flushMargin();
        int lineHeight = 0;
        for (const Unit& u : line_) {
            lineHeight = std::max(lineHeight, u.item.rect.bottom);
        }
        const int used = lineX_ - lineLeft_;
        const int spare = std::max(0, (lineRight_ - lineLeft_) - used);
        const int shift = lineAlign_ == Align::Center ? spare / 2 : (lineAlign_ == Align::Right ? spare : 0);
        for (Unit& u : line_) {
            LayoutItem& it = u.item;
            const int h = it.rect.bottom;
            it.rect.left += shift;
            it.rect.right += shift;
            it.rect.top = y_ + lineHeight - h;
            it.rect.bottom = y_ + lineHeight;
            if (!out_.items.empty() && u.item.kind == LayoutItem::Kind::Text) {
                LayoutItem& prev = out_.items.back();
                if (&u != &line_.front() && prev.kind == LayoutItem::Kind::Text && prev.node == it.node &&
                    prev.font == it.font && prev.color == it.color && prev.rect.top == it.rect.top &&
                    prev.rect.bottom == it.rect.bottom) {
                    prev.text += (u.spaceBefore ? L" " : L"") + it.text;
                    prev.rect.right = it.rect.right;
                    continue;
                }
            }
            out_.items.push_back(std::move(it));
        }
        line_.clear();
        y_ += lineHeight;
    }

    void beginBlock(int margin) {
        flushLine();
        pendingMargin_ = std::max(pendingMargin_, margin);
    }

    void endBlock(int margin) {
        flushLine();
        pendingMargin_ = std::max(pendingMargin_, margin);
    }

    TextMeasure& m_;
    int width_;
    int height_;
    Layout out_;
    int y_ = 0;
    int pendingMargin_ = 0;
    bool pendingSpace_ = false;
    std::vector<Unit> line_;
    int lineX_ = 0;
    int lineLeft_ = 0;
    int lineRight_ = 0;
    Align lineAlign_ = Align::Left;
};

struct NamedColor {
    const wchar_t* name;
    Color color;
};

const NamedColor kNamedColors[] = {
    {L"black", rgb(0, 0, 0)},      {L"white", rgb(255, 255, 255)},  {L"red", rgb(255, 0, 0)},
    {L"green", rgb(0, 128, 0)},    {L"blue", rgb(0, 0, 255)},       {L"gray", rgb(128, 128, 128)},
    {L"grey", rgb(128, 128, 128)}, {L"silver", rgb(192, 192, 192)}, {L"yellow", rgb(255, 255, 0)},
    {L"orange", rgb(255, 165, 0)}, {L"navy", rgb(0, 0, 128)},       {L"maroon", rgb(128, 0, 0)},
    {L"purple", rgb(128, 0, 128)}, {L"teal", rgb(0, 128, 128)},     {L"lime", rgb(0, 255, 0)},
    {L"aqua", rgb(0, 255, 255)},   {L"fuchsia", rgb(255, 0, 255)},  {L"olive", rgb(128, 128, 0)},
};

int hexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

}  // namespace

Rect unite(const Rect& a, const Rect& b) {
    if (a.empty()) {
        return b;
    }
    if (b.empty()) {
        return a;
    }
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

Rect intersect(const Rect& a, const Rect& b) {
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    return r.empty() ? Rect{} : r;
}

bool parseColor(const std::wstring& text, Color& out) {
    const std::wstring t = lower(trim(text));
    if (t.empty()) {
        return false;
    }
    if (t[0] == L'#' && (t.size() == 4 || t.size() == 7)) {
        int v[6];
        for (size_t i = 1; i < t.size(); ++i) {
            if ((v[i - 1] = hexDigit(t[i])) < 0) {
                return false;
            }
        }
        if (t.size() == 4) {
            out = rgb(v[0] * 17, v[1] * 17, v[2] * 17);
        } else {
            out = rgb(v[0] * 16 + v[1], v[2] * 16 + v[3], v[4] * 16 + v[5]);
        }
        return true;
    }
    if (t.compare(0, 4, L"rgb(") == 0 && t.back() == L')') {
        unsigned parts[3];
        size_t pos = 4;
        for (unsigned& p : parts) {
            wchar_t* end = nullptr;
            const long n = std::wcstol(t.c_str() + pos, &end, 10);
            if (!end || end == t.c_str() + pos || n < 0 || n > 255) {
                return false;
            }
            p = static_cast<unsigned>(n);
            pos = static_cast<size_t>(end - t.c_str());
            while (pos < t.size() && (t[pos] == L',' || t[pos] == L' ')) {
                ++pos;
            }
        }
        out = rgb(parts[0], parts[1], parts[2]);
        return true;
    }
    for (const NamedColor& c : kNamedColors) {
        if (t == c.name) {
            out = c.color;
            return true;
        }
    }
    return false;
}

bool isTextField(const Node* n) {
    if (!n) {
        return false;
    }
    if (n->isElement(L"textarea")) {
        return true;
    }
    if (!n->isElement(L"input")) {
        return false;
    }
    const InputKind k = inputKind(*n);
    return k == InputKind::Text || k == InputKind::Password || k == InputKind::Other;
}

bool isInteractive(const Node* n) {
    if (!n || n->kind != Node::Kind::Element) {
        return false;
    }
    if (n->hasAttribute(L"onclick")) {
        return true;
    }
    if (n->isElement(L"a")) {
        return n->hasAttribute(L"href");
    }
    if (n->isElement(L"button") || n->isElement(L"textarea")) {
        return true;
    }
    return n->isElement(L"input") && inputKind(*n) != InputKind::Hidden;
}

std::wstring fieldDisplayText(const Node* field) {
    if (field->isElement(L"input") && inputKind(*field) == InputKind::Password) {
        return std::wstring(field->value.size(), kPasswordDot);
    }
    return field->value;
}

Rect Layout::rectOf(const Node* element) const {
    Rect r;
    for (const LayoutItem& it : items) {
        for (const Node* p = it.node; p; p = p->parent) {
            if (p == element) {
                r = unite(r, it.rect);
                break;
            }
        }
    }
    return r;
}

Node* Layout::hit(int x, int y) const {
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        if (!it->rect.contains(x, y)) {
            continue;
        }
        for (Node* p = it->node; p; p = p->parent) {
            if (isInteractive(p)) {
                return p;
            }
        }
    }
    return nullptr;
}

Layout layoutDocument(const Document& doc, int width, int height, TextMeasure& measure) {
    return Builder(measure, width, height).run(doc);
}

}  // namespace wke
