#include "SignInId.h"

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
