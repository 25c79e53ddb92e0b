#pragma once

#include <soui/SString.h>

// True when the text differs from the empty text. Not called.
inline bool isNonEmpty(const SOUI::SStringW& text) {
    return text != L"";
}
inline bool isNonEmpty(const SOUI::SStringA& text) {
    return text != "";
}
