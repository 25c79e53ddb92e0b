#pragma once

#include <soui/SString.h>

#include <cstdint>
#include <vector>

class CAppState;

// One recently opened document.
struct RecentDoc {
    RecentDoc();
    RecentDoc(SOUI::SStringW docPath, SOUI::SStringW docName, int aux, int pages);

    // -1, 0 or 1 as this openTime is smaller than, equal to or larger than the other's.
    int compareTime(const RecentDoc& other) const;

    SOUI::SStringW path;
    SOUI::SStringW name;  // the part of path after its last '\'
    int auxValue;
    int pageCount;
    uint64_t openTime;  // larger is more recent
};

// The recent documents as the settings key "history" holds them: records of
// "openTime|path|auxValue|pageCount;", in list order.
class CRecentDocList {
  public:
    // Over the program's application state.
    CRecentDocList();
    // Over another state; the list reads its history text now and saves through it.
    explicit CRecentDocList(CAppState& state);

    // Appends the records of the state's history text.
    void load();
    // One sorting pass, then the history text of all records through the state.
    bool save();
    void addIfAbsent(const RecentDoc& record);
    void removeByPath(const SOUI::SStringW& path);
    int findByPath(const SOUI::SStringW& path) const;
    bool contains(const SOUI::SStringW& path) const;
    // One exchange pass by openTime: afterwards the most recent record is last.
    void sortPassByTime();

    const std::vector<RecentDoc>& records() const { return records_; }
    int count() const { return static_cast<int>(records_.size()); }
    void clear() { records_.clear(); }

    // The records of a history text appended to list; stops at the first record without "|".
    static void parseHistory(const SOUI::SStringW& text, std::vector<RecentDoc>& list);
    static SOUI::SStringW historyTextOf(const std::vector<RecentDoc>& list);

  private:
    CAppState& state_;
    std::vector<RecentDoc> records_;
};
