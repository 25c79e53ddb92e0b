#include "SignInId.h"

#include <cstdint>

namespace {

bool isControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// Unicode's white space beyond the control characters: the blank, the no-break and typographic
// spaces, the ideographic space and the line and paragraph separators.
bool isBlank(char16_t c) {
    return c == 0x20 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 ||
           c == 0x202F || c == 0x205F || c == 0x3000;
}

// Separators of the settings file and of a query, and quotes and escapes of the page's script.
bool isReserved(char16_t c) {
    return std::u16string_view(u";&=#%+\"'\\").find(c) != std::u16string_view::npos;
}

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

bool isAcceptedSignInId(std::u16string_view id) noexcept {
    if (id.empty() || id.size() > kMaxSignInIdLength) {
        return false;
    }
    for (std::size_t i = 0; i < id.size(); ++i) {
        const char16_t c = id[i];
        if (isControl(c) || isBlank(c) || isReserved(c) || isLowSurrogate(c)) {
            return false;
        }
        if (isHighSurrogate(c)) {
            if (i + 1 == id.size() || !isLowSurrogate(id[i + 1])) {
                return false;
            }
            ++i;
        }
    }
    return true;
}

std::u16string toUtf16(std::wstring_view text) {
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
