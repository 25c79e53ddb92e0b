#pragma once

#include <string_view>
#include <vector>

// The records of the recent-documents history text, cut apart without Windows calls: each record
// is "openTime|path|auxValue|pageCount;". The numbers stay texts, so the list reads them with the
// C runtime's own rules.

// One record's fields, viewing the text they were cut from. A record with fewer than three "|"
// leaves the missing fields empty; the page count is everything after the third "|".
struct HistoryRecordText {
    std::wstring_view openTime;
    std::wstring_view path;
    std::wstring_view auxValue;
    std::wstring_view pageCount;
};

// The records in text order. Every record ends with ";" (text after the last ";" is ignored); the
// first record without "|" ends the list.
std::vector<HistoryRecordText> splitHistoryText(std::wstring_view text);

// The part of path after its last '\' (the whole path when it has none).
std::wstring_view documentNameOf(std::wstring_view path);
