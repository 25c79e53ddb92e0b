#include "foundation/UiTextConvert.h"

#include <windows.h>

#include <vector>

namespace {

SOUI::SStringA wideToCodePage(UINT codePage, const wchar_t* text, int length) {
    if (length <= 0) {
        return {};
    }
    const int n = WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (n <= 0) {
        return {};
    }
    std::vector<char> buffer(static_cast<size_t>(n) + 1, '\0');
    WideCharToMultiByte(codePage, 0, text, length, buffer.data(), n, nullptr, nullptr);
    buffer[static_cast<size_t>(n)] = '\0';
    return SOUI::SStringA(buffer.data());
}

}  // namespace

SOUI::SStringW utf8ToWideText(std::string text) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    if (n <= 0) {
        return {};
    }
    std::vector<wchar_t> buffer(static_cast<size_t>(n) + 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, buffer.data(), n);
    return SOUI::SStringW(buffer.data());
}

SOUI::SStringA wideToUtf8Text(SOUI::SStringW text) {
    return wideToCodePage(CP_UTF8, text.c_str(), text.GetLength());
}

SOUI::SStringA wideToOemText(const wchar_t* text) {
    if (text == nullptr) {
        return {};
    }
    return wideToCodePage(CP_OEMCP, text, static_cast<int>(wcslen(text)));
}
