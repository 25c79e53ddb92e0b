#include "foundation/HistoryText.h"

namespace {

// The text before the first separator, and the rest after it (empty when there is none).
std::wstring_view takeField(std::wstring_view& rest, wchar_t separator) {
    const size_t end = rest.find(separator);
    const std::wstring_view field = rest.substr(0, end);
    rest = end == std::wstring_view::npos ? std::wstring_view() : rest.substr(end + 1);
    return field;
}

}  // namespace

std::vector<HistoryRecordText> splitHistoryText(std::wstring_view text) {
    std::vector<HistoryRecordText> records;
    for (size_t end = text.find(L';'); end != std::wstring_view::npos; end = text.find(L';')) {
        std::wstring_view rest = text.substr(0, end);
        text.remove_prefix(end + 1);
        if (rest.find(L'|') == std::wstring_view::npos) {
            break;
        }
        HistoryRecordText record;
        record.openTime = takeField(rest, L'|');
        record.path = takeField(rest, L'|');
        record.auxValue = takeField(rest, L'|');
        record.pageCount = rest;
        records.push_back(record);
    }
    return records;
}

std::wstring_view documentNameOf(std::wstring_view path) {
    const size_t last = path.rfind(L'\\');
    return last == std::wstring_view::npos ? path : path.substr(last + 1);
}
