#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <string>

#include "foundation/BufferDynamic.h"

namespace {

std::wstring repeat(wchar_t c, size_t n) {
    return std::wstring(n, c);
}

TEST(BufferDynamic, NewBufferIsEmptyWith260Characters) {
    CBufferDynamic buffer;
    EXPECT_EQ(buffer.getCapacity(), 260u);
    EXPECT_EQ(buffer.getMaxLength(), 259u);
    EXPECT_EQ(buffer.getByteCapacity(), 520u);
    ASSERT_NE(buffer.m_text, nullptr);
    EXPECT_EQ(buffer.m_text, buffer.getBuffer());
    EXPECT_EQ(buffer.m_text[0], L'\0');
    CBufferDynamic other(42);
    EXPECT_EQ(other.getCapacity(), 260u);
}

struct FormatGrowthCase {
    size_t length;
    uint32_t capacity;
};

class BufferDynamicFormatGrowth : public testing::TestWithParam<FormatGrowthCase> {};

TEST_P(BufferDynamicFormatGrowth, DoublesUntilTheTextFits) {
    const FormatGrowthCase c = GetParam();
    const std::wstring text = repeat(L'x', c.length);
    CBufferDynamic buffer;
    buffer.format(L"%s", text.c_str());
    EXPECT_EQ(buffer.getCapacity(), c.capacity);
    EXPECT_EQ(std::wstring(buffer.m_text), text);
    EXPECT_EQ(buffer.m_text[c.length], L'\0');
}

INSTANTIATE_TEST_SUITE_P(Lengths,
                         BufferDynamicFormatGrowth,
                         testing::Values(FormatGrowthCase{0, 260},
                                         FormatGrowthCase{259, 260},
                                         FormatGrowthCase{260, 520},
                                         FormatGrowthCase{600, 1040},
                                         FormatGrowthCase{1040, 2080}));

TEST(BufferDynamic, FormatsWideStringsAndIntegersAsOnWindows) {
    CBufferDynamic buffer;
    buffer.format(L"Type:%d,%s", -7, L"提示 text");
    EXPECT_EQ(std::wstring(buffer.m_text), L"Type:-7,提示 text");
}

TEST(BufferDynamic, FormatReplacesTheTextAndNeverShrinks) {
    CBufferDynamic buffer;
    buffer.format(L"%s", repeat(L'a', 1000).c_str());
    ASSERT_EQ(buffer.getCapacity(), 1040u);
    buffer.format(L"%s", L"abc");
    EXPECT_EQ(std::wstring(buffer.m_text), L"abc");
    EXPECT_EQ(buffer.getCapacity(), 1040u);
}

TEST(BufferDynamic, NullFormatLeavesTheCountingError) {
    CBufferDynamic buffer;
    buffer.format(L"%s", L"before");
    buffer.format(nullptr);
    EXPECT_EQ(std::wstring(buffer.m_text), L"Err:_vsctprintf");
    EXPECT_EQ(buffer.getCapacity(), 260u);
}

TEST(BufferDynamic, ErrorTextIsCutToASmallBlock) {
    CBufferDynamic buffer;
    buffer.alloc(4);
    buffer.format(nullptr);
    EXPECT_EQ(std::wstring(buffer.m_text), L"Err");
}

TEST(BufferDynamic, GrowKeepsTheTextAndDoubles) {
    CBufferDynamic buffer;
    buffer.format(L"%s", L"keep me");
    wchar_t* before = buffer.grow(259);
    EXPECT_EQ(before, buffer.m_text);
    EXPECT_EQ(buffer.getCapacity(), 260u);
    buffer.grow(260, 99);
    EXPECT_EQ(buffer.getCapacity(), 520u);
    EXPECT_EQ(std::wstring(buffer.m_text), L"keep me");
    buffer.grow(5000);
    EXPECT_EQ(buffer.getCapacity(), 8320u);
    EXPECT_EQ(std::wstring(buffer.m_text), L"keep me");
}

TEST(BufferDynamic, GrowBeyondAddressableSizeThrowsAndKeepsTheBuffer) {
    CBufferDynamic buffer;
    buffer.format(L"%s", L"intact");
    EXPECT_THROW(buffer.grow(UINT32_MAX - 1), std::bad_alloc);
    EXPECT_EQ(buffer.getCapacity(), 260u);
    EXPECT_EQ(std::wstring(buffer.m_text), L"intact");
    // Within the size limit but more memory than a 32-bit process can get.
    EXPECT_THROW(buffer.grow(0x30000000u), std::bad_alloc);
    EXPECT_THROW(buffer.alloc(0x40000000u), std::bad_alloc);
    EXPECT_EQ(buffer.getCapacity(), 260u);
    EXPECT_EQ(std::wstring(buffer.m_text), L"intact");
}

TEST(BufferDynamic, DoublingStopsBeforeOverflow) {
    EXPECT_EQ(CBufferDynamic::doubledCapacity(260, 259), 260u);
    EXPECT_EQ(CBufferDynamic::doubledCapacity(260, 1000), 1040u);
    EXPECT_EQ(CBufferDynamic::doubledCapacity(1, 1), 2u);
    EXPECT_EQ(CBufferDynamic::doubledCapacity(0, 0), 1u);
    EXPECT_EQ(CBufferDynamic::doubledCapacity(260, UINT32_MAX), 0u);
    EXPECT_EQ(CBufferDynamic::doubledCapacity(0x40000000u, 0x40000000u), 0u);
}

TEST(BufferDynamic, AllocAndResetGiveAnEmptyBlockOfTheGivenSize) {
    CBufferDynamic buffer;
    buffer.format(L"%s", L"old");
    wchar_t* text = buffer.alloc(10);
    EXPECT_EQ(text, buffer.m_text);
    EXPECT_EQ(buffer.getCapacity(), 10u);
    EXPECT_EQ(buffer.m_text[0], L'\0');
    buffer.format(L"%s", L"0123456789");
    EXPECT_EQ(buffer.getCapacity(), 20u);
    text = buffer.reset(3);
    EXPECT_EQ(text, buffer.m_text);
    EXPECT_EQ(buffer.getCapacity(), 3u);
    EXPECT_EQ(buffer.m_text[0], L'\0');
}

TEST(BufferDynamic, ReserveSetsTheCapacityAndReturnsTheOldOne) {
    CBufferDynamic buffer;
    buffer.format(L"%s", L"still here");
    EXPECT_EQ(buffer.reserve(100), 260u);
    EXPECT_EQ(buffer.getCapacity(), 100u);
    EXPECT_EQ(std::wstring(buffer.m_text), L"still here");
    EXPECT_EQ(buffer.reserve(500), 100u);
    EXPECT_EQ(buffer.getCapacity(), 500u);
    EXPECT_EQ(buffer.m_text[0], L'\0');
}

TEST(BufferDynamic, FormatIntoAnOverstatedSmallCapacityStillFits) {
    CBufferDynamic buffer;
    buffer.reserve(1);
    buffer.format(L"%s", L"ab");
    EXPECT_EQ(buffer.getCapacity(), 4u);
    EXPECT_EQ(std::wstring(buffer.m_text), L"ab");
}

}  // namespace
