#include "foundation/PathText.h"

#include <cwchar>

void toForwardSlashes(std::wstring& path) {
    const size_t keep = path.size() >= 3 && path[0] == L'\\' && path[1] == L'\\' ? 2 : 0;
    for (size_t i = keep; i < path.size(); ++i) {
        if (path[i] == L'\\') {
            path[i] = L'/';
        }
    }
}

bool normalizeSlashes(std::wstring& path) {
    toForwardSlashes(path);
    return true;
}

void ensureTrailingSlash(std::wstring& path) {
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') {
        path += L'/';
    }
}

void normalizeFolderPath(std::wstring& path) {
    ensureTrailingSlash(path);
    toForwardSlashes(path);
}

bool stripQuotes(wchar_t* text) {
    if (text == nullptr || text[0] == L'\0') {
        return false;
    }
    wchar_t* lastQuote = std::wcsrchr(text, L'"');
    if (lastQuote == nullptr) {
        return false;
    }
    *lastQuote = L'\0';
    const size_t length = std::wcslen(text);
    if (length >= 1) {
        std::wmemmove(text, text + 1, length);  // the terminator moves too
    }
    return text[0] != L'\0';
}
