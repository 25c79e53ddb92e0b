// Which user ids the sign-in page may report: over 16-bit text, without Windows.
#include <gtest/gtest.h>

#include <string>

#include "SignInId.h"

namespace {

TEST(SignInId, TakesPlainIdsUpToTheLimit) {
    const std::u16string cases[] = {
        u"10001",      u"A20002-b_c.d@e", u"用户42", u"x", std::u16string(kMaxSignInIdLength, u'9'),
        u"\U0001F600",  // a well-formed surrogate pair
    };
    for (const std::u16string& id : cases) {
        EXPECT_TRUE(isAcceptedSignInId(id)) << id.size() << " units";
    }
}

TEST(SignInId, RefusesWhatCouldCutASettingsLineOrAQueryField) {
    const std::u16string cases[] = {
        u"",
        std::u16string(kMaxSignInIdLength + 1, u'9'),
        u"1\r\n[Other]\r\nx=1",
        u"1\n",
        std::u16string(u"1\0"
                       u"2",
                       3),
        u"1\t2",
        u"\x7F",
        u"\x85",
        u"a b",
        u"a\u3000b",
        u"a\u2028b",
        u"a\u00A0b",
        u"a;b",
        u"a&b=c",
        u"a#b",
        u"100%",
        u"a+b",
        u"a\"b",
        u"a'b",
        u"a\\b",
        std::u16string(1, char16_t{0xD83D}),      // a high surrogate alone
        std::u16string(u"x") + char16_t{0xDE00},  // a low surrogate alone
        std::u16string{char16_t{0xD83D}, u'1'},   // a high surrogate before an ordinary unit
    };
    for (const std::u16string& id : cases) {
        std::string units;
        for (char16_t c : id) {
            units += std::to_string(static_cast<unsigned>(c)) + " ";
        }
        EXPECT_FALSE(isAcceptedSignInId(id)) << units;
    }
}

TEST(SignInId, WideTextIsJudgedAsItsUtf16Units) {
    EXPECT_EQ(toUtf16(L"a\U0001F600"), u"a\U0001F600");
    EXPECT_TRUE(isAcceptedSignInId(std::wstring_view(L"10001")));
    EXPECT_FALSE(isAcceptedSignInId(std::wstring_view(L"a&b")));
    EXPECT_FALSE(isAcceptedSignInId(std::wstring_view(L"")));
}

}  // namespace
