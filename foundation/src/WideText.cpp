#include "foundation/WideText.h"

namespace {

constexpr wchar_t kBlankKinds[] = {L' ', L'\t', L'\r', L'\n'};

}  // namespace

std::wstring trim(std::wstring text) {
    for (const wchar_t kind : kBlankKinds) {
        const size_t first = text.find_first_not_of(kind);
        text.erase(0, first == std::wstring::npos ? text.size() : first);
    }
    for (const wchar_t kind : kBlankKinds) {
        const size_t last = text.find_last_not_of(kind);
        text.erase(last == std::wstring::npos ? 0 : last + 1);
    }
    return text;
}

void splitAndTrim(std::vector<std::wstring>& list, const std::wstring& text, const std::wstring& delimiter) {
    if (delimiter.empty()) {
        list.push_back(trim(text));
        return;
    }
    size_t start = 0;
    for (size_t at = text.find(delimiter); at != std::wstring::npos; at = text.find(delimiter, start)) {
        list.push_back(trim(text.substr(start, at - start)));
        start = at + delimiter.size();
    }
    list.push_back(trim(text.substr(start)));
}

std::wstring replaceFirst(const std::wstring& text, const std::wstring& search, const std::wstring& replacement) {
    if (text.empty() || search.empty()) {
        return text;
    }
    const size_t at = text.find(search);
    if (at == std::wstring::npos) {
        return text;
    }
    std::wstring result = text;
    result.replace(at, search.size(), replacement);
    return result;
}
