#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FakeMachineProbe.h"
#include "ScratchDir.h"
#include "foundation/AppState.h"
#include "foundation/RecentDocList.h"

using SOUI::SStringW;

namespace {

struct Parsed {
    uint64_t openTime;
    std::wstring path;
    std::wstring name;
    int auxValue;
    int pageCount;

    bool operator==(const Parsed&) const = default;
};

std::vector<Parsed> parse(const wchar_t* text) {
    std::vector<RecentDoc> docs;
    CRecentDocList::parseHistory(SStringW(text), docs);
    std::vector<Parsed> out;
    for (const RecentDoc& d : docs) {
        out.push_back({d.openTime, d.path.c_str(), d.name.c_str(), d.auxValue, d.pageCount});
    }
    return out;
}

void PrintTo(const Parsed& p, std::ostream* os) {
    *os << p.openTime << "|" << testing::PrintToString(p.path) << "|" << p.auxValue << "|" << p.pageCount;
}

struct HistoryCase {
    const char* name;
    const wchar_t* text;
    std::vector<Parsed> records;
};

class HistoryText : public testing::TestWithParam<HistoryCase> {};

TEST_P(HistoryText, GivesTheRecords) {
    EXPECT_EQ(parse(GetParam().text), GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    HistoryText,
    testing::Values(
        HistoryCase{"OneRecord", L"100|D:\\doc\\a.pdf|0|12;", {{100, L"D:\\doc\\a.pdf", L"a.pdf", 0, 12}}},
        HistoryCase{"NoSemicolon", L"100|D:\\a.pdf|0|12", {}},
        HistoryCase{"SecondRecordWithoutBar", L"1|a|2|3;junk;4|b|5|6;", {{1, L"a", L"a", 2, 3}}},
        HistoryCase{"EmptyRecordEndsTheLoad", L"1|a|2|3;;4|b|5|6;", {{1, L"a", L"a", 2, 3}}},
        HistoryCase{"DuplicatesKept",
                    L"1|C:\\x|0|1;2|C:\\x|0|2;",
                    {{1, L"C:\\x", L"x", 0, 1}, {2, L"C:\\x", L"x", 0, 2}}},
        HistoryCase{"PathEndingInBackslash", L"7|C:\\dir\\|1|-1;", {{7, L"C:\\dir\\", L"", 1, -1}}},
        HistoryCase{"TextAfterLastRecordIgnored", L"3|p|0|9;4|q|0", {{3, L"p", L"p", 0, 9}}},
        HistoryCase{"NumbersThatDoNotParse", L"x|p|y|z;", {{0, L"p", L"p", 0, 0}}},
        HistoryCase{"LargeTime", L"18446744073709551615|p|0|0;", {{18446744073709551615ull, L"p", L"p", 0, 0}}},
        HistoryCase{"OneBarOnly", L"5|C:\\p;", {{5, L"C:\\p", L"p", 0, 0}}},
        HistoryCase{"TwoBarsOnly", L"5|p|8;", {{5, L"p", L"p", 8, 0}}}),
    [](const testing::TestParamInfo<HistoryCase>& c) { return std::string(c.param.name); });

class RecentDocs : public testing::Test {
  protected:
    std::unique_ptr<CAppState> start() const {
        return std::make_unique<CAppState>(SStringW(scratch_.wide().c_str()), FakeMachineProbe());
    }

    ScratchDir scratch_;
};

RecentDoc docAt(const wchar_t* path, uint64_t time) {
    RecentDoc doc(path, L"", 0, 1);
    doc.openTime = time;
    return doc;
}

std::vector<uint64_t> times(const CRecentDocList& list) {
    std::vector<uint64_t> out;
    for (const RecentDoc& d : list.records()) {
        out.push_back(d.openTime);
    }
    return out;
}

TEST_F(RecentDocs, ConstructorReadsTheStateAndAppends) {
    auto state = start();
    state->historyText = L"1|C:\\a.pdf|0|2;";
    CRecentDocList list(*state);
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.records()[0].name, L"a.pdf");
    list.load();
    EXPECT_EQ(list.count(), 2) << "load does not empty the list first";
}

TEST_F(RecentDocs, RemoveFindAndAdd) {
    auto state = start();
    state->historyText = L"1|C:\\x|0|1;2|C:\\y|0|1;3|C:\\x|0|1;";
    CRecentDocList list(*state);
    EXPECT_EQ(list.findByPath(L"C:\\x"), 0);
    EXPECT_EQ(list.findByPath(L"c:\\x"), -1) << "letter case counts";
    list.removeByPath(L"C:\\x");
    EXPECT_EQ(times(list), (std::vector<uint64_t>{2, 3}));
    list.removeByPath(L"C:\\none");
    EXPECT_EQ(list.count(), 2);
    list.addIfAbsent(docAt(L"C:\\y", 9));
    EXPECT_EQ(list.count(), 2);
    list.addIfAbsent(docAt(L"C:\\z", 9));
    EXPECT_TRUE(list.contains(L"C:\\z"));
    EXPECT_EQ(list.findByPath(L"C:\\z"), 2);
}

TEST_F(RecentDocs, OneSortingPass) {
    auto state = start();
    const struct {
        const wchar_t* text;
        std::vector<uint64_t> sorted;
    } cases[] = {
        {L"3|a|0|0;1|b|0|0;2|c|0|0;", {1, 2, 3}},
        {L"3|a|0|0;2|b|0|0;1|c|0|0;", {2, 1, 3}},
        {L"5|a|0|0;", {5}},
        {L"", {}},
    };
    for (const auto& c : cases) {
        state->historyText = c.text;
        CRecentDocList list(*state);
        list.sortPassByTime();
        EXPECT_EQ(times(list), c.sorted) << testing::PrintToString(std::wstring(c.text));
    }
    RecentDoc early = docAt(L"a", 1);
    RecentDoc late = docAt(L"b", 18446744073709551615ull);
    EXPECT_EQ(early.compareTime(late), -1);
    EXPECT_EQ(late.compareTime(early), 1);
    EXPECT_EQ(early.compareTime(early), 0);
}

TEST_F(RecentDocs, SaveWritesTheSortedTextAndANewStartReadsIt) {
    auto state = start();
    CRecentDocList list(*state);
    list.addIfAbsent(docAt(L"D:\\new one.pdf", 20));
    RecentDoc old(L"C:\\a@b.pdf", L"a@b.pdf", -4, 12);
    old.openTime = 10;
    list.addIfAbsent(old);
    list.addIfAbsent(docAt(L"E:\\x|y;z.pdf", 30));
    ASSERT_TRUE(list.save());
    EXPECT_EQ(times(list), (std::vector<uint64_t>{10, 20, 30}));
    EXPECT_TRUE(state->historyText.IsEmpty());

    CRecentDocList reread(*start());
    // The record whose path holds '|' and ';' comes back as two broken ones.
    ASSERT_EQ(reread.count(), 4);
    EXPECT_EQ(reread.records()[0].path, L"C:\\a b.pdf") << "'@' comes back as a blank";
    EXPECT_EQ(reread.records()[0].auxValue, -4);
    EXPECT_EQ(reread.records()[0].pageCount, 12);
    EXPECT_EQ(reread.records()[1].path, L"D:\\new one.pdf");
    EXPECT_EQ(reread.records()[2].path, L"E:\\x");
    EXPECT_EQ(reread.records()[2].openTime, 30u);
    EXPECT_EQ(reread.records()[3].path, L"0");
    EXPECT_EQ(reread.records()[3].openTime, 0u);
}

TEST_F(RecentDocs, EmptyListSavesAnEmptyText) {
    auto state = start();
    state->historyText = L"1|a|0|0;";
    CRecentDocList list(*state);
    list.clear();
    ASSERT_TRUE(list.save());
    EXPECT_TRUE(start()->historyText.IsEmpty());
}

}  // namespace
