#include "foundation/RecentDocList.h"

#include <stdlib.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

#include "foundation/AppState.h"
#include "foundation/HistoryText.h"

using SOUI::SStringW;

namespace {

SStringW textOf(std::wstring_view view) {
    return SStringW(std::wstring(view));
}

}  // namespace

RecentDoc::RecentDoc() : auxValue(0), pageCount(0), openTime(0) {}

RecentDoc::RecentDoc(SStringW docPath, SStringW docName, int aux, int pages)
    : path(std::move(docPath)), name(std::move(docName)), auxValue(aux), pageCount(pages), openTime(0) {}

int RecentDoc::compareTime(const RecentDoc& other) const {
    if (openTime < other.openTime) {
        return -1;
    }
    return openTime > other.openTime ? 1 : 0;
}

CRecentDocList::CRecentDocList(CAppState& state) : state_(state) {
    load();
}

void CRecentDocList::parseHistory(const SStringW& text, std::vector<RecentDoc>& list) {
    for (const HistoryRecordText& record : splitHistoryText(text.str())) {
        RecentDoc doc;
        doc.openTime = static_cast<uint64_t>(_wtoi64(std::wstring(record.openTime).c_str()));
        doc.path = textOf(record.path);
        doc.auxValue = _wtoi(std::wstring(record.auxValue).c_str());
        doc.pageCount = _wtoi(std::wstring(record.pageCount).c_str());
        doc.name = textOf(documentNameOf(record.path));
        list.push_back(std::move(doc));
    }
}

SStringW CRecentDocList::historyTextOf(const std::vector<RecentDoc>& list) {
    SStringW text;
    for (const RecentDoc& doc : list) {
        SStringW record;
        record.Format(L"%I64u|%s|%d|%d;", doc.openTime, doc.path.c_str(), doc.auxValue, doc.pageCount);
        text += record;
    }
    return text;
}

void CRecentDocList::load() {
    parseHistory(state_.historyText, records_);
}

bool CRecentDocList::save() {
    sortPassByTime();
    return state_.saveHistory(historyTextOf(records_));
}

void CRecentDocList::addIfAbsent(const RecentDoc& record) {
    if (!contains(record.path)) {
        records_.push_back(record);
    }
}

void CRecentDocList::removeByPath(const SStringW& path) {
    const int index = findByPath(path);
    if (index >= 0) {
        records_.erase(records_.begin() + index);
    }
}

int CRecentDocList::findByPath(const SStringW& path) const {
    const auto found =
        std::find_if(records_.begin(), records_.end(), [&](const RecentDoc& doc) { return doc.path == path; });
    return found == records_.end() ? -1 : static_cast<int>(found - records_.begin());
}

bool CRecentDocList::contains(const SStringW& path) const {
    return findByPath(path) >= 0;
}

void CRecentDocList::sortPassByTime() {
    for (size_t i = 1; i < records_.size(); ++i) {
        if (records_[i - 1].openTime > records_[i].openTime) {
            std::swap(records_[i - 1], records_[i]);
        }
    }
}
