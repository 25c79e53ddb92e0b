#pragma once

// Lays a document out for a view width: blocks stack, inline content flows in lines that wrap
// at blanks and between CJK characters. What the engine draws: text (headings, bold, italic,
// links, <pre>), buttons, text and password fields, check boxes and rules, with the colours and
// alignment of a few attributes and inline style properties (bgcolor, text, color, align,
// text-align, color, background-color, display:none, width of fields and buttons).

#include <string>
#include <vector>

#include "Dom.h"

namespace wke {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

Rect unite(const Rect& a, const Rect& b);
Rect intersect(const Rect& a, const Rect& b);

// Colours as 0x00BBGGRR, like GDI's.
using Color = unsigned;
constexpr Color rgb(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}
// Reads "#rgb", "#rrggbb", "rgb(r, g, b)" or a colour name; false when it is none of these.
bool parseColor(const std::wstring& text, Color& out);

struct TextFont {
    int size = 16;  // pixel height of the em
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool mono = false;

    bool operator==(const TextFont&) const = default;
};

// Text measurement, given by the renderer.
class TextMeasure {
  public:
    virtual int textWidth(const TextFont& font, const std::wstring& text) = 0;
    virtual int lineHeight(const TextFont& font) = 0;

  protected:
    ~TextMeasure() = default;
};

struct LayoutItem {
    enum class Kind { Text, Button, Field, Checkbox, Rule };

    Kind kind = Kind::Text;
    Rect rect;  // document coordinates
    std::wstring text;
    TextFont font;
    Color color = 0;
    Node* node = nullptr;  // the element it shows (a text's parent element)
};

struct Layout {
    std::vector<LayoutItem> items;
    Color background = rgb(255, 255, 255);
    int width = 0;
    int height = 0;  // of the content, at least the view's

    // The union of the items of an element and its descendants; empty when it shows nothing.
    Rect rectOf(const Node* element) const;
    // The element that takes a click at the point: a link, a button, a field, or an element with
    // an onclick handler; null when there is none.
    Node* hit(int x, int y) const;
};

// Pixels around the text inside fields and buttons.
constexpr int kFieldPadX = 4;
constexpr int kFieldPadY = 3;
constexpr int kControlFontSize = 13;

Layout layoutDocument(const Document& doc, int width, int height, TextMeasure& measure);
// Whether a click on the element does something: the same test as Layout::hit uses.
bool isInteractive(const Node* element);
bool isTextField(const Node* element);
// What a field shows: its value, dots for a password.
std::wstring fieldDisplayText(const Node* field);

}  // namespace wke
