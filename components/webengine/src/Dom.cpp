#include "Dom.h"

#include <cwctype>

#include "WideText.h"

namespace wke {

namespace {

bool isBlockForText(const Node& n) {
    static const wchar_t* const kBlocks[] = {L"p",  L"div",    L"h1", L"h2",  L"h3",      L"h4",     L"h5",
                                             L"h6", L"li",     L"ul", L"ol",  L"form",    L"table",  L"tr",
                                             L"hr", L"center", L"br", L"pre", L"section", L"header", L"footer"};
    for (const wchar_t* b : kBlocks) {
        if (n.tag == b) {
            return true;
        }
    }
    return false;
}

void collectText(const Node* n, std::wstring& out) {
    if (n->kind == Node::Kind::Text) {
        for (wchar_t c : n->text) {
            if (isBlank(c)) {
                if (!out.empty() && out.back() != L' ' && out.back() != L'\n') {
                    out += L' ';
                }
            } else {
                out += c;
            }
        }
        return;
    }
    if (n->tag == L"script" || n->tag == L"style" || n->tag == L"title" || n->tag == L"head") {
        return;
    }
    const bool block = isBlockForText(*n);
    auto newline = [&out] {
        while (!out.empty() && out.back() == L' ') {
            out.pop_back();
        }
        if (!out.empty() && out.back() != L'\n') {
            out += L'\n';
        }
    };
    if (block) {
        newline();
    }
    for (const auto& c : n->children) {
        collectText(c.get(), out);
    }
    if (block) {
        newline();
    }
}

}  // namespace

const std::wstring* Node::attribute(const std::wstring& name) const {
    for (const auto& [n, v] : attributes) {
        if (n == name) {
            return &v;
        }
    }
    return nullptr;
}

void Node::setAttribute(const std::wstring& name, const std::wstring& v) {
    for (auto& [n, old] : attributes) {
        if (n == name) {
            old = v;
            return;
        }
    }
    attributes.emplace_back(name, v);
}

void Node::removeAttribute(const std::wstring& name) {
    for (auto it = attributes.begin(); it != attributes.end(); ++it) {
        if (it->first == name) {
            attributes.erase(it);
            return;
        }
    }
}

Node* Node::appendChild(std::unique_ptr<Node> child) {
    child->parent = this;
    children.push_back(std::move(child));
    return children.back().get();
}

InputKind inputKind(const Node& input) {
    const std::wstring* type = input.attribute(L"type");
    std::wstring t = type ? *type : L"text";
    for (wchar_t& c : t) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    if (t == L"text" || t == L"email" || t == L"tel" || t == L"number" || t == L"search" || t == L"url" || t.empty()) {
        return InputKind::Text;
    }
    if (t == L"password") {
        return InputKind::Password;
    }
    if (t == L"hidden") {
        return InputKind::Hidden;
    }
    if (t == L"submit") {
        return InputKind::Submit;
    }
    if (t == L"button") {
        return InputKind::Button;
    }
    if (t == L"reset") {
        return InputKind::Reset;
    }
    if (t == L"checkbox") {
        return InputKind::Checkbox;
    }
    return InputKind::Other;
}

Node* Document::body() const {
    if (!root) {
        return nullptr;
    }
    for (auto& c : root->children) {
        if (c->isElement(L"body")) {
            return c.get();
        }
    }
    return root.get();
}

Node* Document::getElementById(const std::wstring& id) const {
    Node* found = nullptr;
    forEachNode(root.get(), [&](Node* n) {
        if (n->kind == Node::Kind::Element) {
            const std::wstring* v = n->attribute(L"id");
            if (v && *v == id) {
                found = n;
                return false;
            }
        }
        return true;
    });
    return found;
}

Node* Document::formOf(const Node* element) {
    for (Node* p = element ? element->parent : nullptr; p; p = p->parent) {
        if (p->isElement(L"form")) {
            return p;
        }
    }
    return nullptr;
}

std::wstring Document::textOf(const Node* element) {
    std::wstring out;
    if (element) {
        collectText(element, out);
    }
    while (!out.empty() && (out.back() == L' ' || out.back() == L'\n')) {
        out.pop_back();
    }
    size_t start = 0;
    while (start < out.size() && (out[start] == L' ' || out[start] == L'\n')) {
        ++start;
    }
    return out.substr(start);
}

void Document::setTextOf(Node* element, const std::wstring& text) {
    if (!element || element->kind != Node::Kind::Element) {
        return;
    }
    for (auto& c : element->children) {
        c->parent = nullptr;
        detached.push_back(std::move(c));
    }
    element->children.clear();
    auto t = std::make_unique<Node>();
    t->kind = Node::Kind::Text;
    t->text = text;
    element->appendChild(std::move(t));
}

}  // namespace wke
