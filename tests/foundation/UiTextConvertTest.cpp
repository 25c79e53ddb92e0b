#include <gtest/gtest.h>

#include <string>

#include "foundation/UiTextConvert.h"

namespace {

const std::string kPromptUtf8 = "\xE6\x8F\x90\xE7\xA4\xBA";

TEST(UiTextConvert, Utf8ToWideText) {
    EXPECT_EQ(utf8ToWideText(kPromptUtf8), L"提示");
    EXPECT_EQ(utf8ToWideText(kPromptUtf8).GetLength(), 2);
    EXPECT_TRUE(utf8ToWideText("").IsEmpty());
    EXPECT_EQ(utf8ToWideText(std::string("ab\0cd", 5)), L"ab");
}

TEST(UiTextConvert, WideToUtf8Text) {
    EXPECT_TRUE(wideToUtf8Text(SOUI::SStringW()).IsEmpty());
    const SOUI::SStringA bytes = wideToUtf8Text(SOUI::SStringW(L"提示"));
    EXPECT_EQ(bytes.GetLength(), 6);
    EXPECT_EQ(bytes.str(), kPromptUtf8);
    EXPECT_EQ(wideToUtf8Text(SOUI::SStringW(L"frameState = ")), "frameState = ");
}

TEST(UiTextConvert, WideToOemText) {
    EXPECT_EQ(wideToOemText(L"userid = 5"), "userid = 5");
    EXPECT_EQ(wideToOemText(L"提示").str(), "\xCC\xE1\xCA\xBE");
    EXPECT_TRUE(wideToOemText(L"").IsEmpty());
    EXPECT_TRUE(wideToOemText(nullptr).IsEmpty());
}

}  // namespace
