#pragma once

// The document tree of a page: elements with lower-case tag and attribute names, and texts.

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace wke {

struct Node {
    enum class Kind { Element, Text };

    Kind kind = Kind::Element;
    std::wstring tag;  // elements: lower-case name
    std::vector<std::pair<std::wstring, std::wstring>> attributes;
    std::wstring text;  // texts: the decoded characters
    Node* parent = nullptr;
    std::vector<std::unique_ptr<Node>> children;

    // Live state of form fields: the text of an input, its caret, a field's disabled flag.
    std::wstring value;
    size_t caret = 0;

    bool isElement(const wchar_t* name) const { return kind == Kind::Element && tag == name; }
    // The attribute's value, or null when the element has none of that name.
    const std::wstring* attribute(const std::wstring& name) const;
    void setAttribute(const std::wstring& name, const std::wstring& value);
    void removeAttribute(const std::wstring& name);
    bool hasAttribute(const std::wstring& name) const { return attribute(name) != nullptr; }
    Node* appendChild(std::unique_ptr<Node> child);
};

// What an <input> is, from its type attribute.
enum class InputKind { Text, Password, Hidden, Submit, Button, Reset, Checkbox, Other };
InputKind inputKind(const Node& input);

struct Document {
    std::unique_ptr<Node> root;  // the <html> element
    std::wstring title;
    std::vector<std::wstring> scripts;  // inline script blocks in document order
    // Elements taken out of the tree by a script stay alive with the document, so that the
    // script's references to them stay valid.
    std::vector<std::unique_ptr<Node>> detached;

    Node* body() const;
    Node* getElementById(const std::wstring& id) const;
    // The form an element belongs to (its nearest <form> ancestor), or null.
    static Node* formOf(const Node* element);
    // The text of an element's subtree as innerText reads it (blanks collapsed).
    static std::wstring textOf(const Node* element);
    // Replaces the element's children with one text.
    void setTextOf(Node* element, const std::wstring& text);
};

// Calls f for each node of the subtree in document order; f returns false to stop.
template <class F>
bool forEachNode(Node* node, F&& f) {
    if (!node || !f(node)) {
        return false;
    }
    for (auto& child : node->children) {
        if (!forEachNode(child.get(), f)) {
            return false;
        }
    }
    return true;
}

}  // namespace wke
