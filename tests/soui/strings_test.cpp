// Counted strings and their code-page conversions, under code page 936.
#include <gtest/gtest.h>
#include <soui/SStrCpCvt.h>
#include <soui/SString.h>

namespace {

using SOUI::SStrCpCvt;
using SOUI::SStringA;
using SOUI::SStringW;

TEST(CountedStrings, WideFormatTakesWideStringsAndSigned32BitNumbers) {
    SStringW text;
    text.Format(L"[%s|%d|%s]", L"宽", -7, L"x");
    EXPECT_EQ(text, SStringW(L"[宽|-7|x]"));
    text.Format(L"%s", L"");
    EXPECT_TRUE(text.IsEmpty());
}

TEST(CountedStrings, NarrowFormatAndConcatenation) {
    SStringA text;
    text.Format("%s %s", "327", "220327001");
    EXPECT_EQ(text, "327 220327001");
    SStringA joined = SStringA("a") + "b" + SStringA("c") + 'd';
    EXPECT_EQ(joined, "abcd");
    EXPECT_EQ(joined.GetLength(), 4);
}

TEST(CountedStrings, LongFormatIsNotCut) {
    SStringW text;
    const std::wstring big(5000, L'z');
    text.Format(L"<%s>", big.c_str());
    EXPECT_EQ(text.GetLength(), 5002);
}

TEST(CountedStrings, FindMidLeftRight) {
    const SStringW text(L"key:value:more");
    EXPECT_EQ(text.Find(L':'), 3);
    EXPECT_EQ(text.Find(L":", 4), 9);
    EXPECT_EQ(text.Find(L"absent"), -1);
    EXPECT_EQ(text.ReverseFind(L':'), 9);
    EXPECT_EQ(text.Left(3), SStringW(L"key"));
    EXPECT_EQ(text.Mid(4), SStringW(L"value:more"));
    EXPECT_EQ(text.Mid(4, 5), SStringW(L"value"));
    EXPECT_EQ(text.Right(4), SStringW(L"more"));
    EXPECT_EQ(text.Mid(40), SStringW(L""));
}

TEST(CountedStrings, ReplaceEveryOccurrenceWithoutRescanningTheReplacement) {
    SStringW text(L"a b  c");
    EXPECT_EQ(text.Replace(L" ", L"@"), 3);
    EXPECT_EQ(text, SStringW(L"a@b@@c"));
    SStringA grow("aa");
    EXPECT_EQ(grow.Replace("a", "aa"), 2);
    EXPECT_EQ(grow, "aaaa");
    EXPECT_EQ(grow.Replace("", "x"), 0);
    EXPECT_EQ(grow.Replace('a', 'b'), 4);
}

TEST(CountedStrings, MakeLowerLeavesDoubleByteCharactersIntact) {
    // In code page 936 the second byte of 丄 is 0x41, an ASCII 'A'; only real letters change.
    SStringA text = SStrCpCvt::CvtW2A(SStringW(L"HTTPS://Example.COM/丄提示"), CP_ACP);
    ASSERT_EQ(text.Right(6), "\x81\x41\xCC\xE1\xCA\xBE");
    text.MakeLower();
    EXPECT_EQ(SStrCpCvt::CvtA2W(text, CP_ACP), SStringW(L"https://example.com/丄提示"));
    SStringW wide(L"ABC提示");
    EXPECT_EQ(wide.MakeLower(), SStringW(L"abc提示"));
}

TEST(CountedStrings, ComparisonIsOrdinalAndCaseSensitive) {
    EXPECT_EQ(SStringW(L"max"), L"max");
    EXPECT_NE(SStringW(L"MAX"), L"max");
    EXPECT_EQ(SStringW(L"MAX").CompareNoCase(L"max"), 0);
    EXPECT_LT(SStringW(L"B"), SStringW(L"a"));
}

TEST(CodePageConversions, PromptCaptionThroughCodePage936AndUtf8) {
    const SStringW caption(L"提示");
    const SStringA gbk = SStrCpCvt::CvtW2A(caption, CP_ACP);
    EXPECT_EQ(gbk, "\xCC\xE1\xCA\xBE");
    EXPECT_EQ(SStrCpCvt::CvtW2A(caption, CP_THREAD_ACP), gbk);
    EXPECT_EQ(SStrCpCvt::CvtA2W(gbk, 0), caption);
    EXPECT_EQ(SStrCpCvt::CvtW2A(caption, CP_UTF8).GetLength(), 6);
}

TEST(CodePageConversions, EmptyAndRejectedTextsGiveEmptyResults) {
    EXPECT_TRUE(SStrCpCvt::CvtA2W(SStringA(), CP_ACP).IsEmpty());
    EXPECT_TRUE(SStrCpCvt::CvtW2A(SStringW(), CP_ACP).IsEmpty());
    // A code page the system does not have.
    EXPECT_TRUE(SStrCpCvt::CvtA2W(SStringA("abc"), 12345).IsEmpty());
    EXPECT_TRUE(SStrCpCvt::CvtW2A(SStringW(L"abc"), 12345).IsEmpty());
}

TEST(CodePageConversions, CharactersOutsideTheAnsiCodePageDoNotSurvive) {
    const SStringA narrow = SStrCpCvt::CvtW2A(SStringW(L"a\u0E01b"), CP_ACP);  // Thai letter
    EXPECT_EQ(narrow, "a?b");
}

}  // namespace
