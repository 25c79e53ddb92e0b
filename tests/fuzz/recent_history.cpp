// The recent-documents history text over any wide text. The records are the text's ";"-ended
// pieces up to the first one without "|", each cut at its first three "|" without losing a
// character; a document's name is the end of its path after the last '\'.
#include <algorithm>

#include "FuzzInput.h"
#include "foundation/HistoryText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring text = fuzz::wideOf(fuzz::unitsOf(data, size));
    const std::wstring_view whole(text);
    size_t at = 0;
    for (const HistoryRecordText& record : splitHistoryText(whole)) {
        const size_t end = whole.find(L';', at);
        FUZZ_CHECK(end != std::wstring_view::npos);
        const std::wstring_view piece = whole.substr(at, end - at);
        const auto bars = std::count(piece.begin(), piece.end(), L'|');
        FUZZ_CHECK(bars >= 1);
        std::wstring rebuilt = std::wstring(record.openTime) + L"|" + std::wstring(record.path);
        if (bars >= 2) {
            rebuilt += L"|" + std::wstring(record.auxValue);
        } else {
            FUZZ_CHECK(record.auxValue.empty());
        }
        if (bars >= 3) {
            rebuilt += L"|" + std::wstring(record.pageCount);
        } else {
            FUZZ_CHECK(record.pageCount.empty());
        }
        FUZZ_CHECK(piece == rebuilt);
        FUZZ_CHECK(record.openTime.find(L'|') == std::wstring_view::npos);
        FUZZ_CHECK(record.path.find(L'|') == std::wstring_view::npos);
        FUZZ_CHECK(record.auxValue.find(L'|') == std::wstring_view::npos);
        // The fields view the text itself.
        FUZZ_CHECK(record.openTime.data() == whole.data() + at);

        const std::wstring_view name = documentNameOf(record.path);
        FUZZ_CHECK(name.find(L'\\') == std::wstring_view::npos);
        FUZZ_CHECK(record.path.size() >= name.size() && record.path.substr(record.path.size() - name.size()) == name);
        FUZZ_CHECK(name.size() == record.path.size() || record.path[record.path.size() - name.size() - 1] == L'\\');
        at = end + 1;
    }
    // What stopped the list: no further ";", or a record without "|".
    const size_t end = whole.find(L';', at);
    FUZZ_CHECK(end == std::wstring_view::npos || whole.substr(at, end - at).find(L'|') == std::wstring_view::npos);
    return 0;
}
