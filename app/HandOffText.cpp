#include "HandOffText.h"

namespace {

constexpr char16_t kEscape = u'%';
constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";
constexpr std::size_t kEscapeLength = 5;  // "%" and four hex digits

bool standsForItself(char16_t unit) {
    return (unit >= u'A' && unit <= u'Z') || (unit >= u'a' && unit <= u'z') || (unit >= u'0' && unit <= u'9') ||
           unit == u'-' || unit == u'.' || unit == u'_' || unit == u'~';
}

// The value of an upper-case hex digit, or -1.
int hexValue(char16_t digit) {
    if (digit >= u'0' && digit <= u'9') {
        return digit - u'0';
    }
    if (digit >= u'A' && digit <= u'F') {
        return digit - u'A' + 10;
    }
    return -1;
}

}  // namespace

std::u16string encodeHandOffText(std::u16string_view text) {
    std::u16string encoded;
    encoded.reserve(text.size());
    for (char16_t unit : text) {
        if (standsForItself(unit)) {
            encoded += unit;
            continue;
        }
        encoded += kEscape;
        for (int shift = 12; shift >= 0; shift -= 4) {
            encoded += kHexDigits[(unit >> shift) & 0xF];
        }
    }
    return encoded;
}

std::optional<std::u16string> decodeHandOffText(std::u16string_view encoded) {
    std::u16string text;
    text.reserve(encoded.size());
    for (std::size_t i = 0; i < encoded.size();) {
        const char16_t unit = encoded[i];
        if (standsForItself(unit)) {
            text += unit;
            ++i;
            continue;
        }
        if (unit != kEscape || encoded.size() - i < kEscapeLength) {
            return std::nullopt;
        }
        unsigned value = 0;
        for (std::size_t d = 1; d < kEscapeLength; ++d) {
            const int digit = hexValue(encoded[i + d]);
            if (digit < 0) {
                return std::nullopt;
            }
            value = value << 4 | static_cast<unsigned>(digit);
        }
        const auto decoded = static_cast<char16_t>(value);
        if (standsForItself(decoded)) {
            return std::nullopt;
        }
        text += decoded;
        i += kEscapeLength;
    }
    return text;
}
