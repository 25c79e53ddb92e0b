#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cwchar>
#include <cwctype>
#include <set>
#include <string>

#include "expected.h"
#include "res/NamedWidgetIds.h"

namespace {

std::wstring nameOf(int i) {
    return NamedWidgetIds[i].strName;
}

TEST(NamedWidgetIds, RecordIsAFixedWideNameAndA32BitId) {
    using Record = SOUI::TNAMEDVALUE<int>;
    static_assert(sizeof(Record::strName) == 52 * sizeof(wchar_t));
    static_assert(sizeof(wchar_t) == 2);
    EXPECT_EQ(sizeof(Record), 52u * 2u + 4u);
    EXPECT_EQ(offsetof(Record, value), 104u);
    EXPECT_EQ(sizeof(NamedWidgetIds) / sizeof(NamedWidgetIds[0]), 46u);
}

TEST(NamedWidgetIds, SortedInOrdinalUtf16OrderWithUniqueNames) {
    for (int i = 1; i < kNamedWidgetCount; ++i) {
        // wcscmp compares 16-bit code units as unsigned numbers: the ordinal order.
        EXPECT_LT(std::wcscmp(NamedWidgetIds[i - 1].strName, NamedWidgetIds[i].strName), 0)
            << "record " << i - 1 << " \"" << testing::PrintToString(nameOf(i - 1)) << "\" before \""
            << testing::PrintToString(nameOf(i)) << "\"";
    }
}

TEST(NamedWidgetIds, NamesAreZeroPaddedAndFitTheField) {
    for (const auto& record : NamedWidgetIds) {
        const size_t length = wcsnlen(record.strName, 52);
        ASSERT_LE(length, 51u);
        EXPECT_GT(length, 0u);
        for (size_t k = length; k < 52; ++k) {
            EXPECT_EQ(record.strName[k], L'\0') << testing::PrintToString(std::wstring(record.strName));
        }
    }
}

TEST(NamedWidgetIds, HoldsExactlyTheSystemsNamesAndIds) {
    std::set<std::wstring> seen;
    for (const auto& want : expected::kNamedIds) {
        const auto* found = std::find_if(std::begin(NamedWidgetIds), std::end(NamedWidgetIds),
                                         [&](const auto& r) { return want.name == r.strName; });
        ASSERT_NE(found, std::end(NamedWidgetIds)) << testing::PrintToString(std::wstring(want.name));
        EXPECT_EQ(found->value, want.id) << testing::PrintToString(std::wstring(want.name));
        seen.insert(std::wstring(want.name));
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(kNamedWidgetCount));
}

TEST(NamedWidgetIds, IdsAreUniqueAndExplicitOnesKeepTheirValues) {
    std::set<int> ids;
    for (const auto& record : NamedWidgetIds) {
        EXPECT_TRUE(ids.insert(record.value).second) << record.value;
    }
    // The prompt's OK and cancel commands and the PDF control's window ID.
    EXPECT_TRUE(ids.count(1) && ids.count(2) && ids.count(101));
}

TEST(NamedWidgetNames, PointsAtEachRecordsName) {
    for (int i = 0; i < kNamedWidgetCount; ++i) {
        EXPECT_EQ(NamedWidgetNames[i], NamedWidgetIds[i].strName) << i;
    }
}

}  // namespace

namespace {

// The ordinal binary search a sorted table is registered for.
const SOUI::TNAMEDVALUE<int>* findExact(const std::wstring& name) {
    const auto* end = std::end(NamedWidgetIds);
    const auto* at = std::lower_bound(std::begin(NamedWidgetIds), end, name, [](const auto& r, const std::wstring& n) {
        return std::wcscmp(r.strName, n.c_str()) < 0;
    });
    return at != end && name == at->strName ? at : nullptr;
}

TEST(NamedWidgetIds, FoundByExactNameOnly) {
    ASSERT_NE(findExact(L"btn_close"), nullptr);
    EXPECT_EQ(findExact(L"btn_close")->value, 65540);
    EXPECT_EQ(findExact(L"btn_dir_ok")->value, 1);
    EXPECT_EQ(findExact(L"btn_dir_cancel")->value, 2);
    EXPECT_EQ(findExact(L"pdf_control")->value, 101);
    for (const wchar_t* other :
         {L"BTN_CLOSE", L"Btn_Close", L"btn_ikown", L"BTN_IKOWN", L"Root", L"USERID", L"btn_close "}) {
        EXPECT_EQ(findExact(other), nullptr) << testing::PrintToString(std::wstring(other));
    }
    // No record has a twin that differs from it only in case.
    for (const auto& record : NamedWidgetIds) {
        std::wstring upper = record.strName, lower = record.strName;
        for (auto& c : upper)
            c = static_cast<wchar_t>(std::towupper(c));
        for (auto& c : lower)
            c = static_cast<wchar_t>(std::towlower(c));
        for (const auto& twin : {upper, lower}) {
            if (twin != record.strName) {
                EXPECT_EQ(findExact(twin), nullptr) << testing::PrintToString(twin);
            }
        }
    }
}

}  // namespace
