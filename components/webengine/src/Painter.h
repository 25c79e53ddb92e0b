#pragma once

// Draws a laid-out page with GDI into a view's 32-bit image, and measures text for the layout.

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "Layout.h"

namespace wke {

// Fonts by style, made on first use and kept with the object; measures on a DC of its own.
class GdiFonts : public TextMeasure {
  public:
    GdiFonts();
    ~GdiFonts();
    GdiFonts(const GdiFonts&) = delete;
    GdiFonts& operator=(const GdiFonts&) = delete;

    HFONT font(const TextFont& style);
    int textWidth(const TextFont& style, const std::wstring& text) override;
    int lineHeight(const TextFont& style) override;

  private:
    HDC dc_;
    std::vector<std::pair<TextFont, HFONT>> fonts_;
};

// What the painter shows of the page's state.
struct PaintState {
    int scrollY = 0;
    const Node* hovered = nullptr;
    const Node* pressed = nullptr;
    const Node* focused = nullptr;
    bool viewFocused = false;
};

// Paints the area (view coordinates) of the page; pixels are left opaque (alpha 255).
void paintPage(HDC dc,
               void* bits,
               int width,
               int height,
               const Rect& area,
               const Layout& layout,
               const PaintState& state,
               GdiFonts& fonts);

// The caret of a focused field at view coordinates.
Rect caretRect(const Layout& layout, const Node* field, int scrollY, GdiFonts& fonts);

}  // namespace wke
