#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Wide text as the 16-bit UTF-16 units the Windows-free cores take, and back. On Windows a wchar_t
// is one unit and both are copies; where a wchar_t is wider (the cores' native builds), a
// character beyond the basic plane is two units, and a pair of units is one character again.
// No Windows calls.

inline std::u16string toUtf16(std::wstring_view text) {
    if constexpr (sizeof(wchar_t) == sizeof(char16_t)) {
        return std::u16string(text.begin(), text.end());
    } else {
        std::u16string units;
        units.reserve(text.size());
        for (const wchar_t c : text) {
            const auto code = static_cast<std::uint32_t>(c);
            if (code <= 0xFFFF) {
                units.push_back(static_cast<char16_t>(code));
            } else if (code <= 0x10FFFF) {
                units.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
                units.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
            } else {
                // No character: two low surrogates keep the text ill-formed whatever comes before,
                // since the second can never be paired (one alone would pair with a lone high one).
                units.append(2, char16_t{0xDFFF});
            }
        }
        return units;
    }
}

inline std::wstring fromUtf16(std::u16string_view units) {
    if constexpr (sizeof(wchar_t) == sizeof(char16_t)) {
        return std::wstring(units.begin(), units.end());
    } else {
        std::wstring text;
        text.reserve(units.size());
        for (std::size_t i = 0; i < units.size(); ++i) {
            const char16_t unit = units[i];
            if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
                units[i + 1] <= 0xDFFF) {
                text.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00)));
                ++i;
            } else {
                text.push_back(static_cast<wchar_t>(unit));  // a lone surrogate stays as it is
            }
        }
        return text;
    }
}
