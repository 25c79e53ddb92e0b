#include <windows.h>

#include <gtest/gtest.h>

#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

#include "foundation/CodePage.h"
#include "foundation/QueryString.h"
#include "foundation/TimeText.h"
#include "foundation/WideText.h"

namespace {

// GBK (code page 936) and UTF-8 bytes of "提示".
const std::string kPromptGbk = "\xCC\xE1\xCA\xBE";
const std::string kPromptUtf8 = "\xE6\x8F\x90\xE7\xA4\xBA";

TEST(CodePage, ConvertsBetweenUtf8AnsiOemAndWide) {
    std::wstring wide;
    EXPECT_TRUE(utf8ToWide(kPromptUtf8, wide));
    EXPECT_EQ(wide, L"提示");
    EXPECT_EQ(acpToWide(kPromptGbk), L"提示");
    EXPECT_EQ(wideToUtf8(L"提示"), kPromptUtf8);
    EXPECT_EQ(wideToOem(L"提示"), kPromptGbk);
    EXPECT_EQ(acpToUtf8(kPromptGbk), kPromptUtf8);
    EXPECT_EQ(utf8ToOem(kPromptUtf8), kPromptGbk);
    std::string narrow = "old";
    EXPECT_TRUE(acpToUtf8(kPromptGbk + " x", narrow));
    EXPECT_EQ(narrow, kPromptUtf8 + " x");
    EXPECT_TRUE(utf8ToOem(kPromptUtf8, narrow));
    EXPECT_EQ(narrow, kPromptGbk);
}

TEST(CodePage, EmptyTextConvertsToEmpty) {
    std::wstring wide = L"stale";
    EXPECT_TRUE(utf8ToWide("", wide));
    EXPECT_EQ(wide, L"");
    std::string narrow = "stale";
    EXPECT_TRUE(wideToUtf8(L"", narrow));
    EXPECT_EQ(narrow, "");
}

TEST(CodePage, StopsAtTheFirstZero) {
    EXPECT_EQ(utf8ToWide(std::string("ab\0cd", 5)), L"ab");
    EXPECT_EQ(wideToUtf8(std::wstring(L"ab\0cd", 5)), "ab");
}

TEST(CodePage, FailedConversionLeavesTheOutputAsItWas) {
    // A code page the system does not have makes the measuring call fail.
    std::wstring wide = L"keep";
    EXPECT_FALSE(multiByteToWide(54321, "abc", wide));
    EXPECT_EQ(wide, L"keep");
    std::string narrow = "keep";
    EXPECT_FALSE(wideToMultiByte(54321, L"abc", narrow));
    EXPECT_EQ(narrow, "keep");
}

TEST(CodePage, BytesConvertWholeZeroBytesIncluded) {
    std::wstring wide = L"stale";
    EXPECT_TRUE(bytesToWide(936, std::string("\xCC\xE1\xCA\xBE\0x", 6), wide));  // "提示", a zero, "x"
    EXPECT_EQ(wide, std::wstring(L"提示\0x", 4));
    EXPECT_TRUE(bytesToWide(CP_UTF8, "", wide));
    EXPECT_EQ(wide, L"");
    wide = L"keep";
    EXPECT_FALSE(bytesToWide(54321, "abc", wide));
    EXPECT_EQ(wide, L"keep");
}

TEST(CodePage, ExceptionTextIsTheAnsiMessage) {
    EXPECT_EQ(exceptionText(std::runtime_error("Couldn't resolve host name")), L"Couldn't resolve host name");
    EXPECT_EQ(exceptionText(std::runtime_error(kPromptGbk)), L"提示");
    EXPECT_EQ(exceptionText(std::exception()), L"Unknown exception");
}

struct CodingCase {
    std::string plain;
    std::string coded;
};

class UrlEncode : public testing::TestWithParam<CodingCase> {};
TEST_P(UrlEncode, EncodesByteByByte) {
    EXPECT_EQ(urlEncode(GetParam().plain), GetParam().coded);
}
INSTANTIATE_TEST_SUITE_P(Cases,
                         UrlEncode,
                         testing::Values(CodingCase{"a b", "a+b"},
                                         CodingCase{"~", "%7E"},
                                         CodingCase{"\xE4", "%E4"},
                                         CodingCase{"Az09._-*", "Az09._-*"},
                                         CodingCase{"a&b=c/", "a%26b%3Dc%2F"},
                                         CodingCase{std::string("\0", 1), "%00"},
                                         CodingCase{"", ""}));

class UrlDecode : public testing::TestWithParam<CodingCase> {};
TEST_P(UrlDecode, DecodesEscapesExceptThoseThatStayAsWritten) {
    EXPECT_EQ(urlDecode(GetParam().coded), GetParam().plain) << GetParam().coded;
}
INSTANTIATE_TEST_SUITE_P(Cases,
                         UrlDecode,
                         testing::Values(CodingCase{"%41", "%41"},
                                         CodingCase{" ", "%20"},
                                         CodingCase{"%2F", "%2F"},
                                         CodingCase{"%zz", "%zz"},
                                         CodingCase{"a b", "a+b"},
                                         CodingCase{"\xE4", "%e4"},
                                         CodingCase{"%4", "%4"},
                                         CodingCase{"%", "%"},
                                         CodingCase{"~x", "%7Ex"},
                                         CodingCase{"%40", "%40"},
                                         CodingCase{std::string("\0", 1), "%00"}));

TEST(QueryString, PairsGoInKeyOrderWithOptionalEncoding) {
    EXPECT_EQ(buildQueryString({{"b", "2"}, {"a", "1"}}, 0), "a=1&b=2");
    EXPECT_EQ(buildQueryString({{"v", "x y"}}, 1), "v=x+y");
    EXPECT_EQ(buildQueryString({{"v", "x y"}}, 0), "v=x y");
    EXPECT_EQ(buildQueryString({{"v", "x y"}}, 2), "v=x y");
    EXPECT_EQ(buildQueryString({{"k y", "a&b=c"}}, 1), "k+y=a%26b%3Dc");
    EXPECT_EQ(buildQueryString({{"v", "a&b=c"}}, 0), "v=a&b=c");
    EXPECT_EQ(buildQueryString({}, 1), "");
    EXPECT_EQ(buildQueryString({{"B", "1"}, {"a", "2"}}, 0), "B=1&a=2");
}

TEST(QueryString, AppendAlwaysAddsTheQuestionMark) {
    EXPECT_EQ(appendQueryString("http://h/p", {{"a", "1"}}, 0), "http://h/p?a=1");
    EXPECT_EQ(appendQueryString("http://h/p", {}, 0), "http://h/p?");
}

struct TrimCase {
    std::wstring text;
    std::wstring trimmed;
};

class Trim : public testing::TestWithParam<TrimCase> {};
TEST_P(Trim, RemovesEachBlankKindOnceInTurn) {
    EXPECT_EQ(trim(GetParam().text), GetParam().trimmed);
}
INSTANTIATE_TEST_SUITE_P(Cases,
                         Trim,
                         testing::Values(TrimCase{L" \t x", L" x"},
                                         TrimCase{L"\r\n x", L" x"},
                                         TrimCase{L"x \n", L"x "},
                                         TrimCase{L"", L""},
                                         TrimCase{L"   ", L""},
                                         TrimCase{L"\t\t", L""},
                                         TrimCase{L"  a b  ", L"a b"},
                                         TrimCase{L"x \t", L"x "}));

TEST(SplitAndTrim, KeepsEmptyPiecesAndAppends) {
    std::vector<std::wstring> list = {L"existing"};
    splitAndTrim(list, L"a/ b /", L"/");
    EXPECT_EQ(list, (std::vector<std::wstring>{L"existing", L"a", L"b", L""}));

    const struct {
        std::wstring text;
        std::wstring delimiter;
        std::vector<std::wstring> pieces;
    } cases[] = {
        {L"", L"/", {L""}},        {L"abc", L"/", {L"abc"}},           {L"a//b", L"/", {L"a", L"", L"b"}},
        {L" a/b ", L"", {L"a/b"}}, {L"a::b:c", L"::", {L"a", L"b:c"}},
    };
    for (const auto& c : cases) {
        std::vector<std::wstring> pieces;
        splitAndTrim(pieces, c.text, c.delimiter);
        EXPECT_EQ(pieces, c.pieces) << testing::PrintToString(c.text);
    }
}

TEST(ReplaceFirst, OnlyTheFirstOccurrence) {
    EXPECT_EQ(replaceFirst(L"a-b-c", L"-", L"+"), L"a+b-c");
    EXPECT_EQ(replaceFirst(L"abc", L"x", L"+"), L"abc");
    EXPECT_EQ(replaceFirst(L"abc", L"", L"+"), L"abc");
    EXPECT_EQ(replaceFirst(L"", L"a", L"+"), L"");
    EXPECT_EQ(replaceFirst(L"abc", L"abc", L""), L"");
}

TEST(TimeText, LocalDateTimeHasItsPattern) {
    const std::wstring text = localDateTimeText();
    EXPECT_TRUE(std::regex_match(text, std::wregex(L"20[0-9]{6}#[0-2][0-9]-[0-5][0-9]-[0-6][0-9]")))
        << testing::PrintToString(text);
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_EQ(std::stoi(text.substr(0, 4)), now.wYear);
}

struct DurationCase {
    uint32_t ms;
    const wchar_t* text;
};

class FormatDuration : public testing::TestWithParam<DurationCase> {};
TEST_P(FormatDuration, HoursMinutesSecondsAndMilliseconds) {
    EXPECT_EQ(formatDurationMs(GetParam().ms), GetParam().text);
    EXPECT_EQ(acpToWide(formatDurationMs<std::string>(GetParam().ms)), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(Cases,
                         FormatDuration,
                         testing::Values(DurationCase{62003, L"00-01-02.003"},
                                         DurationCase{0, L"00-00-00.000"},
                                         DurationCase{360000000, L"100-00-00.000"},
                                         DurationCase{4294967295u, L"1193-02-47.295"}));

TEST(FormatDuration, DifferenceIsAbsolute) {
    EXPECT_EQ(formatDurationMs(5, 3), L"00-00-00.002");
    EXPECT_EQ(formatDurationMs(3, 5), L"00-00-00.002");
    EXPECT_EQ(formatDurationMs<std::string>(3, 5), "00-00-00.002");
    EXPECT_EQ(formatDurationMs<std::string>(0, 4294967295u), "1193-02-47.295");
}

}  // namespace
