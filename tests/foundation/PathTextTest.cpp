#include <gtest/gtest.h>

#include <string>

#include "foundation/PathText.h"
#include "foundation/UtcStamp.h"

namespace {

struct SlashCase {
    std::wstring path;
    std::wstring forward;
    std::wstring folder;  // after normalizeFolderPath
};

class Slashes : public testing::TestWithParam<SlashCase> {};

TEST_P(Slashes, ForwardAndFolderForms) {
    std::wstring path = GetParam().path;
    EXPECT_TRUE(normalizeSlashes(path));
    EXPECT_EQ(path, GetParam().forward);
    path = GetParam().path;
    normalizeFolderPath(path);
    EXPECT_EQ(path, GetParam().folder);
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         Slashes,
                         testing::Values(SlashCase{L"\\\\server\\share\\x", L"\\\\server/share/x",
                                                   L"\\\\server/share/x/"},
                                         SlashCase{L"C:\\a\\b", L"C:/a/b", L"C:/a/b/"},
                                         SlashCase{L"\\\\", L"//", L"//"},
                                         SlashCase{L"", L"", L""},
                                         SlashCase{L"C:", L"C:", L"C:/"},
                                         SlashCase{L"a\\", L"a/", L"a/"}));

TEST(EnsureTrailingSlash, OnlyWhenMissing) {
    for (const auto& [before, after] :
         {std::pair<std::wstring, std::wstring>{L"", L""}, {L"C:", L"C:/"}, {L"a/", L"a/"}, {L"a\\", L"a\\"}}) {
        std::wstring path = before;
        ensureTrailingSlash(path);
        EXPECT_EQ(path, after);
    }
}

struct QuoteCase {
    std::wstring text;
    bool result;
    std::wstring after;
};

class StripQuotes : public testing::TestWithParam<QuoteCase> {};

TEST_P(StripQuotes, KeepsWhatLiesInside) {
    std::wstring buffer = GetParam().text;
    buffer.push_back(L'\0');
    EXPECT_EQ(stripQuotes(buffer.data()), GetParam().result);
    EXPECT_EQ(std::wstring(buffer.c_str()), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         StripQuotes,
                         testing::Values(QuoteCase{L"\"C:\\a b.pdf\"", true, L"C:\\a b.pdf"},
                                         QuoteCase{L"\"", false, L""},
                                         QuoteCase{L"\"abc", false, L""},
                                         QuoteCase{L"ab\"c", true, L"b"},
                                         QuoteCase{L"", false, L""},
                                         QuoteCase{L"no quote", false, L"no quote"},
                                         QuoteCase{L"\"a\" \"b\" x", true, L"a\" \"b"}));

TEST(StripQuotes, NullText) {
    EXPECT_FALSE(stripQuotes(nullptr));
}

TEST(UtcStamp, TwoDigitYearNumber) {
    SYSTEMTIME t{};
    t.wYear = 2019;
    t.wMonth = 12;
    t.wDay = 3;
    t.wHour = 8;
    t.wMinute = 15;
    t.wSecond = 12;
    EXPECT_EQ(utcStampNumberOf(t), 191203081512ull);
    SYSTEMTIME y2k{};
    y2k.wYear = 2000;
    y2k.wMonth = 1;
    y2k.wDay = 1;
    EXPECT_EQ(utcStampNumberOf(y2k), 101000000ull);
    SYSTEMTIME now;
    GetSystemTime(&now);
    const uint64_t stamp = utcStampNumber();
    EXPECT_EQ(stamp / 10000000000ull, now.wYear % 100u);
}

}  // namespace
