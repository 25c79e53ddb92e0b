#include "TextLines.h"

#include <algorithm>

namespace SOUI {
namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

// Scripts written without blanks between words may wrap between any two of their characters.
bool BreaksAnywhere(wchar_t c) {
    return c >= 0x2E80;
}

class MeasureDc {
  public:
    explicit MeasureDc(HFONT font) : dc_(CreateCompatibleDC(nullptr)) {
        old_ = SelectObject(dc_, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    }
    ~MeasureDc() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    MeasureDc(const MeasureDc&) = delete;
    MeasureDc& operator=(const MeasureDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace

TextLayout LayOutLines(HFONT font, const wchar_t* text, int length, int width) {
    TextLayout layout;
    MeasureDc dc(font);
    TEXTMETRICW tm = {};
    GetTextMetricsW(dc.get(), &tm);
    layout.lineHeight = tm.tmHeight;
    if (!text) {
        return layout;
    }
    const int count = length < 0 ? static_cast<int>(wcslen(text)) : length;
    const int limit = width > 0 ? width : 0x7FFF;
    auto extent = [&](int start, int n) {
        SIZE sz = {};
        GetTextExtentPoint32W(dc.get(), text + start, n, &sz);
        return static_cast<int>(sz.cx);
    };
    auto addLine = [&](int start, int end) {
        int n = end - start;
        if (n > 0 && text[end - 1] == L'\r') {
            --n;
        }
        layout.lines.push_back({start, n});
        layout.width = std::max(layout.width, extent(start, n));
    };
    int paragraph = 0;
    while (paragraph <= count) {
        int end = paragraph;
        while (end < count && text[end] != L'\n') {
            ++end;
        }
        int pos = paragraph;
        do {
            int fit = 0;
            SIZE sz = {};
            GetTextExtentExPointW(dc.get(), text + pos, end - pos, limit, &fit, nullptr, &sz);
            if (pos + fit >= end) {
                addLine(pos, end);
                break;
            }
            int cut = pos + std::max(fit, 1);
            if (!IsBlank(text[cut]) && !IsBlank(text[cut - 1]) &&
                !(BreaksAnywhere(text[cut]) || BreaksAnywhere(text[cut - 1]))) {
                // Inside a word: wrap after the last blank of the line, when it has one.
                int blank = cut - 1;
                while (blank > pos && !IsBlank(text[blank])) {
                    --blank;
                }
                if (blank > pos) {
                    cut = blank;
                }
            }
            int lineEnd = cut;
            while (lineEnd > pos && IsBlank(text[lineEnd - 1])) {
                --lineEnd;
            }
            addLine(pos, lineEnd);
            pos = cut;
            while (pos < end && IsBlank(text[pos])) {
                ++pos;
            }
        } while (pos < end);
        paragraph = end + 1;
    }
    return layout;
}

}  // namespace SOUI
