#include "foundation/QueryString.h"

#include <cstring>

namespace {

bool isAsciiAlnum(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Escapes of these decode to themselves only when written plainly.
bool staysEscaped(int value) {
    return value != 0 &&
           (isAsciiAlnum(static_cast<unsigned char>(value)) || std::strchr("!$&'()*+,-./:;=?@_", value) != nullptr);
}

}  // namespace

std::string urlEncode(const std::string& text) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == ' ') {
            out += '+';
        } else if (isAsciiAlnum(c) || c == '.' || c == '_' || c == '-' || c == '*') {
            out += ch;
        } else {
            out += '%';
            out += kDigits[c >> 4];
            out += kDigits[c & 0x0F];
        }
    }
    return out;
}

std::string urlDecode(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            const int value = hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]);
            if (staysEscaped(value)) {
                out += c;
            } else {
                out += static_cast<char>(value);
                i += 2;
            }
        } else if (c == '+') {
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

std::string buildQueryString(const QueryPairs& pairs, unsigned char encode) {
    std::string out;
    for (const auto& [name, value] : pairs) {
        if (!out.empty()) {
            out += '&';
        }
        if (encode == 1) {
            out += urlEncode(name) + "=" + urlEncode(value);
        } else {
            out += name + "=" + value;
        }
    }
    return out;
}

std::string appendQueryString(const std::string& address, const QueryPairs& pairs, unsigned char encode) {
    return address + "?" + buildQueryString(pairs, encode);
}
