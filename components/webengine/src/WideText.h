#pragma once

// Small helpers on wide texts shared by the page logic.

#include <cwctype>
#include <string>

namespace wke {

// The blanks of HTML: space, tab, line feed, carriage return, form feed.
inline bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f';
}

inline std::wstring lower(std::wstring s) {
    for (wchar_t& c : s) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return s;
}

// Without white space at either end.
inline std::wstring trim(const std::wstring& s) {
    size_t a = 0;
    size_t b = s.size();
    while (a < b && std::iswspace(s[a])) {
        ++a;
    }
    while (b > a && std::iswspace(s[b - 1])) {
        --b;
    }
    return s.substr(a, b - a);
}

}  // namespace wke
