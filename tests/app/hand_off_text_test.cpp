// The stored form of a handed-over command line: what it looks like, that every text comes back
// exactly, and that damaged values are refused.
#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>

#include "HandOffText.h"

namespace {

// What the settings accessors let through unchanged: printable ASCII without blank and "@".
bool survivesTheSettings(const std::u16string& encoded) {
    for (char16_t unit : encoded) {
        if (unit <= u' ' || unit > u'~' || unit == u'@') {
            return false;
        }
    }
    return true;
}

struct Case {
    std::u16string text;
    std::u16string encoded;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << testing::PrintToString(c.text);
}

class HandOffTextCases : public testing::TestWithParam<Case> {};

TEST_P(HandOffTextCases, EncodesToSettingsSafeAsciiAndBackExactly) {
    const Case& c = GetParam();
    const std::u16string encoded = encodeHandOffText(c.text);
    EXPECT_EQ(encoded, c.encoded);
    EXPECT_TRUE(survivesTheSettings(encoded));
    EXPECT_EQ(decodeHandOffText(encoded), c.text);
}

INSTANTIATE_TEST_SUITE_P(Names,
                         HandOffTextCases,
                         testing::Values(Case{u"", u""},
                                         Case{u"a b", u"a%0020b"},
                                         Case{u"a@b.pdf", u"a%0040b.pdf"},
                                         Case{u"100% done.pdf", u"100%0025%0020done.pdf"},
                                         Case{u"한국어.pdf", u"%D55C%AD6D%C5B4.pdf"},
                                         Case{u"ภาษาไทย.pdf", u"%0E20%0E32%0E29%0E32%0E44%0E17%0E22.pdf"},
                                         Case{u"ß straße.pdf", u"%00DF%0020stra%00DFe.pdf"},
                                         Case{u"\"C:\\x;D:\\y;\"", u"%0022C%003A%005Cx%003BD%003A%005Cy%003B%0022"},
                                         Case{u"tab\there=", u"tab%0009here%003D"},
                                         // A surrogate pair, and lone surrogates either way round, unit by unit.
                                         Case{u"\U0001F600", u"%D83D%DE00"},
                                         Case{std::u16string{u'x', char16_t(0xD800), u'y', char16_t(0xDFFF)},
                                              u"x%D800y%DFFF"},
                                         Case{std::u16string{char16_t(0xDC00), char16_t(0xD800)}, u"%DC00%D800"},
                                         Case{std::u16string(2, u'\0'), u"%0000%0000"},
                                         Case{u"-._~AZaz09", u"-._~AZaz09"}));

TEST(HandOffText, EveryUnitAndALongCommandLineComeBack) {
    std::u16string all;
    for (unsigned unit = 0; unit <= 0xFFFF; ++unit) {
        all += static_cast<char16_t>(unit);
    }
    const std::u16string encoded = encodeHandOffText(all);
    EXPECT_TRUE(survivesTheSettings(encoded));
    EXPECT_EQ(decodeHandOffText(encoded), all);

    // The longest command line Windows passes, of non-ASCII letters: five characters each.
    const std::u16string longest(32767, u'路');
    EXPECT_EQ(encodeHandOffText(longest).size(), 5u * 32767);
    EXPECT_EQ(decodeHandOffText(encodeHandOffText(longest)), longest);
}

TEST(HandOffText, DamagedValuesAreRefused) {
    for (const std::u16string& damaged :
         {std::u16string(u"%"), std::u16string(u"a%12"), std::u16string(u"%123"), std::u16string(u"%12G4"),
          std::u16string(u"%00e9"),  // lower case
          std::u16string(u"%0041"),  // "A" stands for itself
          std::u16string(u"a b"), std::u16string(u"a@b"), std::u16string(u"é"), std::u16string(u"x\"y"),
          std::u16string(u"%%0041"), std::u16string{u'a', u'\0'}, std::u16string{char16_t(0xD800)}}) {
        EXPECT_EQ(decodeHandOffText(damaged), std::nullopt) << testing::PrintToString(damaged);
    }
}

// One stored form per text: whatever is accepted is exactly what the encoder writes for its text.
TEST(HandOffText, WhatIsAcceptedIsTheEncodersOwnForm) {
    std::mt19937 random(20240611);
    const std::u16string alphabet = u"%0123456789ABCDEFaZ-._~ @\"\\";
    for (int round = 0; round < 20000; ++round) {
        std::u16string value(random() % 16, u'\0');
        for (char16_t& unit : value) {
            unit = random() % 4 ? alphabet[random() % alphabet.size()] : static_cast<char16_t>(random());
        }
        const auto text = decodeHandOffText(value);
        if (text) {
            EXPECT_EQ(encodeHandOffText(*text), value);
        }
    }
}

}  // namespace
