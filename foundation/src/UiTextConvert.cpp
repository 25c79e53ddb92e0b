#include "foundation/UiTextConvert.h"

#include "foundation/CodePage.h"

// The counted strings' texts end at their first zero, so the zero-terminated conversions serve.

SOUI::SStringW utf8ToWideText(std::string text) {
    return SOUI::SStringW(utf8ToWide(text).c_str());
}

SOUI::SStringA wideToUtf8Text(SOUI::SStringW text) {
    return SOUI::SStringA(wideToUtf8(text.c_str()).c_str());
}

SOUI::SStringA wideToOemText(const wchar_t* text) {
    if (text == nullptr) {
        return {};
    }
    return SOUI::SStringA(wideToOem(text).c_str());
}
