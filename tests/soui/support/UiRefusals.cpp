#include "UiRefusals.h"

#include <windows.h>

#include <soui/TestHooks.h>

namespace souitest {

std::vector<std::wstring> takeRefusals() {
    static size_t taken = 0;
    std::wstring text;
    // Asked again when a refusal came in between (another thread of the test).
    for (int length = SouiRefusalLines(nullptr, 0);;) {
        text.assign(static_cast<size_t>(length) + 1, L'\0');
        const int now = SouiRefusalLines(text.data(), length + 1);
        if (now <= length) {
            text.resize(static_cast<size_t>(now));
            break;
        }
        length = now;
    }
    std::vector<std::wstring> lines;
    for (size_t at = taken < text.size() ? taken : text.size(); at < text.size();) {
        const size_t end = text.find(L'\n', at);
        lines.push_back(text.substr(at, end - at));
        at = end == std::wstring::npos ? text.size() : end + 1;
    }
    taken = text.size();
    return lines;
}

std::string describe(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const std::wstring& line : lines) {
        text += line + L"\n";
    }
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    }
    return out;
}

}  // namespace souitest
