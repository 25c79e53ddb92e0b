#include "Text.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

namespace wke {

namespace {

std::string lower(std::string s) {
    for (char& c : s) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return s;
}

std::wstring toWide(UINT codePage, const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) {
        return {};
    }
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

// The value of "charset=" in a text, lower-case; "" when absent.
std::string charsetIn(const std::string& text) {
    const std::string l = lower(text);
    const size_t at = l.find("charset=");
    if (at == std::string::npos) {
        return {};
    }
    size_t i = at + 8;
    while (i < l.size() && (l[i] == '"' || l[i] == '\'' || l[i] == ' ')) {
        ++i;
    }
    size_t j = i;
    while (j < l.size() && (std::isalnum(static_cast<unsigned char>(l[j])) || l[j] == '-' || l[j] == '_')) {
        ++j;
    }
    return l.substr(i, j - i);
}

UINT codePageOf(const std::string& charset) {
    if (charset == "gbk" || charset == "gb2312" || charset == "cp936" || charset == "x-gbk")
        return 936;
    if (charset == "gb18030")
        return 54936;
    if (charset == "big5")
        return 950;
    if (charset == "iso-8859-1" || charset == "windows-1252" || charset == "latin1" || charset == "us-ascii")
        return 1252;
    return CP_UTF8;
}

}  // namespace

std::wstring utf8ToWide(const std::string& text) {
    return toWide(CP_UTF8, text);
}

std::string wideToUtf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) {
        return {};
    }
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::string mediaType(const std::string& contentType) {
    std::string t = lower(contentType.substr(0, contentType.find(';')));
    t.erase(std::remove(t.begin(), t.end(), ' '), t.end());
    return t;
}

std::wstring decodeBody(const std::string& body, const std::string& contentType) {
    if (body.size() >= 3 && body.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        return utf8ToWide(body.substr(3));
    }
    std::string charset = charsetIn(contentType);
    if (charset.empty()) {
        charset = charsetIn(body.substr(0, 1024));
    }
    return toWide(codePageOf(charset), body);
}

}  // namespace wke
