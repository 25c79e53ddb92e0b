#include "HtmlParser.h"

#include <cwctype>

#include "WideText.h"

namespace wke {

namespace {

bool isVoid(const std::wstring& tag) {
    static const wchar_t* const kVoid[] = {L"br",   L"hr",  L"img",   L"input", L"meta",   L"link",  L"area",
                                           L"base", L"col", L"embed", L"param", L"source", L"track", L"wbr"};
    for (const wchar_t* v : kVoid) {
        if (tag == v) {
            return true;
        }
    }
    return false;
}

bool isRawText(const std::wstring& tag) {
    return tag == L"script" || tag == L"style" || tag == L"title" || tag == L"textarea";
}

void appendCodePoint(std::wstring& out, unsigned long cp) {
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        out += L'\xFFFD';
    } else if (cp >= 0x10000) {
        cp -= 0x10000;
        out += static_cast<wchar_t>(0xD800 + (cp >> 10));
        out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
    } else {
        out += static_cast<wchar_t>(cp);
    }
}

class Parser {
  public:
    explicit Parser(const std::wstring& s) : s_(s) {}

    Document run() {
        doc_.root = std::make_unique<Node>();
        doc_.root->tag = L"html";
        open_.push_back(doc_.root.get());
        while (pos_ < s_.size()) {
            if (s_[pos_] == L'<' && pos_ + 1 < s_.size()) {
                const wchar_t next = s_[pos_ + 1];
                if (s_.compare(pos_, 4, L"<!--") == 0) {
                    skipComment();
                    continue;
                }
                if (next == L'!' || next == L'?') {
                    skipPast(L'>');
                    continue;
                }
                if (next == L'/') {
                    endTag();
                    continue;
                }
                if (std::iswalpha(next)) {
                    startTag();
                    continue;
                }
            }
            text();
        }
        ensureBody();
        return std::move(doc_);
    }

  private:
    Node* current() { return open_.back(); }

    void skipComment() {
        const size_t end = s_.find(L"-->", pos_ + 4);
        pos_ = end == std::wstring::npos ? s_.size() : end + 3;
    }

    void skipPast(wchar_t c) {
        const size_t end = s_.find(c, pos_);
        pos_ = end == std::wstring::npos ? s_.size() : end + 1;
    }

    std::wstring readName() {
        const size_t start = pos_;
        while (pos_ < s_.size() && !isBlank(s_[pos_]) && s_[pos_] != L'>' && s_[pos_] != L'/' && s_[pos_] != L'=') {
            ++pos_;
        }
        return lower(s_.substr(start, pos_ - start));
    }

    void skipBlanks() {
        while (pos_ < s_.size() && isBlank(s_[pos_])) {
            ++pos_;
        }
    }

    void text() {
        const size_t start = pos_;
        ++pos_;
        while (pos_ < s_.size() && s_[pos_] != L'<') {
            ++pos_;
        }
        addText(decodeEntities(s_.substr(start, pos_ - start)));
    }

    void addText(const std::wstring& t) {
        if (t.empty()) {
            return;
        }
        Node* parent = current();
        if (parent == doc_.root.get() || parent->isElement(L"head")) {
            bool allBlank = true;
            for (wchar_t c : t) {
                allBlank = allBlank && isBlank(c);
            }
            if (allBlank) {
                return;
            }
            parent = ensureBody();
        }
        if (!parent->children.empty() && parent->children.back()->kind == Node::Kind::Text) {
            parent->children.back()->text += t;
            return;
        }
        auto node = std::make_unique<Node>();
        node->kind = Node::Kind::Text;
        node->text = t;
        parent->appendChild(std::move(node));
    }

    Node* ensureBody() {
        Node* b = findOrCreateBody();
        if (open_.size() == 1) {
            open_.push_back(b);
        }
        return b;
    }

    Node* findOrCreateBody() {
        for (auto& c : doc_.root->children) {
            if (c->isElement(L"body")) {
                return c.get();
            }
        }
        auto body = std::make_unique<Node>();
        body->tag = L"body";
        Node* b = doc_.root->appendChild(std::move(body));
        // Content that came before <body> (outside <head>) moves into it.
        auto& kids = doc_.root->children;
        for (size_t i = 0; i + 1 < kids.size();) {
            if (!kids[i]->isElement(L"head")) {
                std::unique_ptr<Node> moved = std::move(kids[i]);
                kids.erase(kids.begin() + static_cast<long>(i));
                b->appendChild(std::move(moved));
            } else {
                ++i;
            }
        }
        return b;
    }

    void startTag() {
        ++pos_;
        const std::wstring tag = readName();
        std::vector<std::pair<std::wstring, std::wstring>> attrs;
        bool selfClosing = false;
        while (pos_ < s_.size()) {
            skipBlanks();
            if (pos_ >= s_.size()) {
                break;
            }
            if (s_[pos_] == L'>') {
                ++pos_;
                break;
            }
            if (s_[pos_] == L'/') {
                selfClosing = true;
                ++pos_;
                continue;
            }
            std::wstring name = readName();
            if (name.empty()) {
                ++pos_;
                continue;
            }
            skipBlanks();
            std::wstring value;
            if (pos_ < s_.size() && s_[pos_] == L'=') {
                ++pos_;
                skipBlanks();
                if (pos_ < s_.size() && (s_[pos_] == L'"' || s_[pos_] == L'\'')) {
                    const wchar_t quote = s_[pos_++];
                    const size_t end = s_.find(quote, pos_);
                    const size_t stop = end == std::wstring::npos ? s_.size() : end;
                    value = s_.substr(pos_, stop - pos_);
                    pos_ = end == std::wstring::npos ? s_.size() : end + 1;
                } else {
                    const size_t start = pos_;
                    while (pos_ < s_.size() && !isBlank(s_[pos_]) && s_[pos_] != L'>') {
                        ++pos_;
                    }
                    value = s_.substr(start, pos_ - start);
                }
            }
            bool seen = false;
            for (const auto& a : attrs) {
                seen = seen || a.first == name;
            }
            if (!seen) {
                attrs.emplace_back(name, decodeEntities(value));
            }
        }
        openElement(tag, std::move(attrs), selfClosing);
    }

    void openElement(const std::wstring& tag,
                     std::vector<std::pair<std::wstring, std::wstring>> attrs,
                     bool selfClosing) {
        if (tag == L"html") {
            for (auto& a : attrs) {
                doc_.root->setAttribute(a.first, a.second);
            }
            return;
        }
        if (tag == L"body") {
            open_.resize(1);
            Node* b = ensureBody();
            for (auto& a : attrs) {
                b->setAttribute(a.first, a.second);
            }
            return;
        }
        if (tag == L"head") {
            auto head = std::make_unique<Node>();
            head->tag = L"head";
            open_.resize(1);
            open_.push_back(doc_.root->appendChild(std::move(head)));
            return;
        }
        if (tag == L"p" || tag == L"li" || tag == L"option" || tag == L"tr" || tag == L"td" || tag == L"th") {
            closeSameSibling(tag);
        }
        if (isBlockStart(tag)) {
            closeOpen(L"p");
        }
        Node* parent = current();
        const bool headContent =
            tag == L"title" || tag == L"meta" || tag == L"link" || tag == L"style" || tag == L"base";
        if ((parent == doc_.root.get() || parent->isElement(L"head")) && !headContent && tag != L"script") {
            open_.resize(1);
            parent = ensureBody();
        }
        auto node = std::make_unique<Node>();
        node->tag = tag;
        node->attributes = std::move(attrs);
        if (tag == L"input") {
            const std::wstring* v = node->attribute(L"value");
            node->value = v ? *v : L"";
            node->caret = node->value.size();
        }
        Node* element = parent->appendChild(std::move(node));
        if (isRawText(tag) && !selfClosing) {
            rawText(element);
            return;
        }
        if (!isVoid(tag) && !selfClosing) {
            open_.push_back(element);
        }
    }

    static bool isBlockStart(const std::wstring& tag) {
        static const wchar_t* const kClosesP[] = {L"div", L"p",   L"h1",     L"h2",      L"h3",     L"h4",
                                                  L"h5",  L"h6",  L"ul",     L"ol",      L"form",   L"table",
                                                  L"hr",  L"pre", L"center", L"section", L"header", L"footer"};
        for (const wchar_t* t : kClosesP) {
            if (tag == t) {
                return true;
            }
        }
        return false;
    }

    // A new <p> (or <li>, ...) ends an open one of its kind in the same container.
    void closeSameSibling(const std::wstring& tag) {
        for (size_t i = open_.size(); i-- > 1;) {
            Node* n = open_[i];
            if (n->tag == tag) {
                open_.resize(i);
                return;
            }
            if (n->tag == L"ul" || n->tag == L"ol" || n->tag == L"table" || n->tag == L"div" || n->tag == L"form" ||
                n->tag == L"body" || n->tag == L"select") {
                return;
            }
        }
    }

    void closeOpen(const wchar_t* tag) {
        for (size_t i = open_.size(); i-- > 1;) {
            if (open_[i]->tag == tag) {
                open_.resize(i);
                return;
            }
            if (open_[i]->tag == L"body" || open_[i]->tag == L"div" || open_[i]->tag == L"td") {
                return;
            }
        }
    }

    void rawText(Node* element) {
        const std::wstring close = L"</" + element->tag;
        size_t end = pos_;
        for (;;) {
            end = s_.find(L"</", end);
            if (end == std::wstring::npos || lower(s_.substr(end, close.size())) == close) {
                break;
            }
            end += 2;
        }
        const size_t stop = end == std::wstring::npos ? s_.size() : end;
        std::wstring content = s_.substr(pos_, stop - pos_);
        pos_ = stop;
        if (pos_ < s_.size()) {
            skipPast(L'>');
        }
        if (element->tag == L"script" || element->tag == L"style") {
            auto t = std::make_unique<Node>();
            t->kind = Node::Kind::Text;
            t->text = content;
            element->appendChild(std::move(t));
            if (element->tag == L"script" && !element->hasAttribute(L"src")) {
                doc_.scripts.push_back(content);
            }
            return;
        }
        content = decodeEntities(content);
        if (element->tag == L"title") {
            std::wstring collapsed;
            for (wchar_t c : content) {
                if (isBlank(c)) {
                    if (!collapsed.empty() && collapsed.back() != L' ') {
                        collapsed += L' ';
                    }
                } else {
                    collapsed += c;
                }
            }
            while (!collapsed.empty() && collapsed.back() == L' ') {
                collapsed.pop_back();
            }
            if (doc_.title.empty()) {
                doc_.title = collapsed;
            }
        }
        element->value = content;
        element->caret = content.size();
        auto t = std::make_unique<Node>();
        t->kind = Node::Kind::Text;
        t->text = content;
        element->appendChild(std::move(t));
    }

    void endTag() {
        pos_ += 2;
        const std::wstring tag = readName();
        skipPast(L'>');
        if (tag == L"body" || tag == L"html") {
            return;
        }
        for (size_t i = open_.size(); i-- > 1;) {
            if (open_[i]->tag == tag) {
                open_.resize(i);
                return;
            }
        }
    }

    const std::wstring& s_;
    size_t pos_ = 0;
    Document doc_;
    std::vector<Node*> open_;
};

struct NamedEntity {
    const wchar_t* name;
    wchar_t value;
};

const NamedEntity kEntities[] = {{L"amp", L'&'},       {L"lt", L'<'},       {L"gt", L'>'},       {L"quot", L'"'},
                                 {L"apos", L'\''},     {L"nbsp", L'\xA0'},  {L"copy", L'\xA9'},  {L"reg", L'\xAE'},
                                 {L"middot", L'\xB7'}, {L"times", L'\xD7'}, {L"laquo", L'\xAB'}, {L"raquo", L'\xBB'}};

}  // namespace

std::wstring decodeEntities(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'&') {
            out += text[i];
            continue;
        }
        const size_t semi = text.find(L';', i + 1);
        if (semi == std::wstring::npos || semi - i > 10) {
            out += L'&';
            continue;
        }
        const std::wstring name = text.substr(i + 1, semi - i - 1);
        bool done = false;
        if (name.size() >= 2 && name[0] == L'#') {
            const bool hex = name[1] == L'x' || name[1] == L'X';
            const std::wstring digits = name.substr(hex ? 2 : 1);
            unsigned long cp = 0;
            bool ok = !digits.empty();
            for (wchar_t c : digits) {
                const int d = (c >= L'0' && c <= L'9')          ? c - L'0'
                              : (hex && c >= L'a' && c <= L'f') ? c - L'a' + 10
                              : (hex && c >= L'A' && c <= L'F') ? c - L'A' + 10
                                                                : -1;
                if (d < 0 || cp > 0x10FFFF) {
                    ok = false;
                    break;
                }
                cp = cp * (hex ? 16 : 10) + static_cast<unsigned long>(d);
            }
            if (ok) {
                appendCodePoint(out, cp);
                done = true;
            }
        } else {
            for (const NamedEntity& e : kEntities) {
                if (name == e.name) {
                    out += e.value;
                    done = true;
                    break;
                }
            }
        }
        if (done) {
            i = semi;
        } else {
            out += L'&';
        }
    }
    return out;
}

Document parseHtml(const std::wstring& source) {
    return Parser(source).run();
}

Document plainTextDocument(const std::wstring& text) {
    Document doc;
    doc.root = std::make_unique<Node>();
    doc.root->tag = L"html";
    auto body = std::make_unique<Node>();
    body->tag = L"body";
    Node* b = doc.root->appendChild(std::move(body));
    auto pre = std::make_unique<Node>();
    pre->tag = L"pre";
    Node* p = b->appendChild(std::move(pre));
    auto t = std::make_unique<Node>();
    t->kind = Node::Kind::Text;
    t->text = text;
    p->appendChild(std::move(t));
    return doc;
}

}  // namespace wke
