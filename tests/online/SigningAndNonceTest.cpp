#include <gtest/gtest.h>
#include <online/account/AccountService.h>
#include <online/account/Nonce.h>
#include <online/account/RequestSigning.h>

#include <regex>
#include <set>
#include <string>

namespace {

TEST(RequestSigning, FieldsAreOrderedByNameAndTheKeyIsAppended) {
    const SOUI::SStringA text = signingText({{"b", "2"}, {"a", "1"}});
    EXPECT_STREQ(text, "a=1&b=2&key=Qm4TfZ82wLhKs0vRy6D");
    // MD5 of that text, computed apart from this code.
    EXPECT_STREQ(signatureOf(text), "496B56E33C4AB57DE8ACA450B3B55CEF");
}

TEST(RequestSigning, AddressKeepsTheSentOrderAndRawValues) {
    const std::vector<QueryField> fields = {{"u_id", "a&b=c"}, {"m_id", "m"}};
    const SOUI::SStringA address = signedAddress("https://h/", "P/Q", fields);
    const SOUI::SStringA sign = signatureOf("m_id=m&u_id=a&b=c&key=Qm4TfZ82wLhKs0vRy6D");
    EXPECT_EQ(address, SOUI::SStringA("https://h/P/Q?u_id=a&b=c&m_id=m&sign=") + sign);
}

TEST(RequestSigning, KeyIsNineteenLettersAndDigits) {
    EXPECT_EQ(g_signingKey.GetLength(), 19);
    EXPECT_TRUE(std::regex_match(g_signingKey.str(), std::regex("[A-Za-z0-9]{19}")));
}

TEST(Nonce, ThirtyTwoLettersAndDigitsNeverRepeated) {
    // Made within the same second, many times over: each is new.
    std::set<std::string> seen;
    const std::regex pattern("[A-Za-z0-9]{32}");
    for (int i = 0; i < 200; ++i) {
        const SOUI::SStringA nonce = makeNonce();
        ASSERT_TRUE(std::regex_match(nonce.str(), pattern)) << nonce.c_str();
        EXPECT_TRUE(seen.insert(nonce.str()).second) << "repeated " << nonce.c_str();
    }
}

TEST(Nonce, EveryCharacterClassOccurs) {
    std::string all;
    for (int i = 0; i < 50; ++i) {
        all += makeNonce().str();
    }
    EXPECT_TRUE(std::regex_search(all, std::regex("[A-Z]")));
    EXPECT_TRUE(std::regex_search(all, std::regex("[a-z]")));
    EXPECT_TRUE(std::regex_search(all, std::regex("[0-9]")));
}

}  // namespace
