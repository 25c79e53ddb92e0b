#pragma once

// Wrapped text laid out line by line, for multi-line texts that keep extra space between their
// lines (GDI's own wrapping knows no line spacing).
#include <windows.h>

#include <vector>

namespace SOUI {

struct TextLine {
    int start;
    int length;
};

// Lines and their common height for a text wrapped at `width` pixels (no limit when width <= 0).
// Lines end at line feeds and, when too long, after the last blank that fits, or between any two
// ideographs; a word longer than the width is cut where it no longer fits (at least one
// character a line). Blanks at a wrap go; a carriage return before a line feed is dropped.
struct TextLayout {
    std::vector<TextLine> lines;
    int lineHeight = 0;
    int width = 0;  // of the widest line
};
TextLayout LayOutLines(HFONT font, const wchar_t* text, int length, int width);

// Height of a block of `lines` lines with `spacing` extra pixels between two lines.
inline int BlockHeight(const TextLayout& layout, int spacing) {
    const int n = static_cast<int>(layout.lines.size());
    return n == 0 ? 0 : n * layout.lineHeight + (n - 1) * spacing;
}

}  // namespace SOUI
