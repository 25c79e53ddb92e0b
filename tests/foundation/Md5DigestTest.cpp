#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundation/Md5Digest.h"

namespace {

std::string md5Hex(const std::string& message) {
    CMd5Digest digest{};
    digest.compute(message.data(), static_cast<uint32_t>(message.size()));
    return digest.toHexString();
}

struct Rfc1321Case {
    const char* message;
    const char* digest;
};

class Md5Rfc1321Suite : public testing::TestWithParam<Rfc1321Case> {};

TEST_P(Md5Rfc1321Suite, ComputeMatchesTheReferenceDigest) {
    EXPECT_EQ(md5Hex(GetParam().message), GetParam().digest);
}

// RFC 1321, appendix A.5.
INSTANTIATE_TEST_SUITE_P(
    AppendixA5,
    Md5Rfc1321Suite,
    testing::Values(Rfc1321Case{"", "d41d8cd98f00b204e9800998ecf8427e"},
                    Rfc1321Case{"a", "0cc175b9c0f1b6a831c399e269772661"},
                    Rfc1321Case{"abc", "900150983cd24fb0d6963f7d28e17f72"},
                    Rfc1321Case{"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
                    Rfc1321Case{"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
                    Rfc1321Case{"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
                                "d174ab98d277d9f5a5611c2c9f419d9f"},
                    Rfc1321Case{"1234567890123456789012345678901234567890123456789012345678901234567890123456789"
                                "0",
                                "57edf4a22be3c955ac49da2e2107b67a"}));

// Lengths around the padding boundaries: 55 fits one final block, 56 and 64 need another.
TEST(Md5, PaddingBoundaries) {
    EXPECT_EQ(md5Hex(std::string(55, 'a')), "ef1772b6dff9a122358552954ad0df65");
    EXPECT_EQ(md5Hex(std::string(56, 'a')), "3b0c8ac703f828b04c6c197006d17218");
    EXPECT_EQ(md5Hex(std::string(64, 'a')), "014842d480b571495a4a0363793f7367");
}

// Many blocks in one update: the chaining values carry from block to block.
TEST(Md5, AMillionBytesInOneCall) {
    EXPECT_EQ(md5Hex(std::string(1000000, 'a')), "7707d6ae4e027c70eea2a935c2296f21");
}

TEST(Md5, SplitUpdatesGiveTheSameDigest) {
    std::string message;
    for (int i = 0; i < 1000; ++i) {
        message.push_back(static_cast<char>(i * 7 + 3));
    }
    CMd5Digest whole{};
    whole.compute(message.data(), static_cast<uint32_t>(message.size()));

    const std::vector<std::vector<size_t>> splits = {{1},      {63}, {64}, {65}, {1, 63, 64, 65, 127, 128, 129},
                                                     {500, 1}, {999}};
    for (const auto& pieces : splits) {
        Md5Context ctx;
        md5Init(ctx);
        size_t at = 0;
        size_t piece = 0;
        while (at < message.size()) {
            const size_t n = std::min(pieces[piece % pieces.size()], message.size() - at);
            md5Update(ctx, reinterpret_cast<const unsigned char*>(message.data()) + at, static_cast<uint32_t>(n));
            at += n;
            ++piece;
        }
        CMd5Digest streamed{};
        md5Final(ctx, streamed.bytes);
        EXPECT_TRUE(streamed.equals(whole)) << "first piece " << pieces[0];
    }
}

TEST(Md5, BitCountCarriesIntoTheHighWord) {
    Md5Context ctx;
    md5Init(ctx);
    ctx.bitCount[0] = 0xFFFFFFF8u;
    const unsigned char byte = 'x';
    md5Update(ctx, &byte, 1);
    EXPECT_EQ(ctx.bitCount[0], 0u);
    EXPECT_EQ(ctx.bitCount[1], 1u);
}

TEST(Md5, EmptyComputeDoesNotReadTheData) {
    CMd5Digest digest{};
    digest.compute(nullptr, 0);
    EXPECT_EQ(digest.toHexString(), "d41d8cd98f00b204e9800998ecf8427e");
}

TEST(Md5, HexTextIsLowerCaseAndFixedLength) {
    CMd5Digest digest{};
    digest.clear();
    digest.bytes[0] = 0x05;
    digest.bytes[15] = 0xAB;
    const std::string text = digest.toHexString();
    EXPECT_EQ(text, "050000000000000000000000000000ab");
}

TEST(Md5, FromHexStringRoundTripsAndClearsOnEmpty) {
    CMd5Digest digest{};
    digest.compute("abc", 3);
    CMd5Digest parsed{};
    parsed.fromHexString(digest.toHexString());
    EXPECT_TRUE(parsed.equals(digest));
    parsed.fromHexString("");
    for (unsigned char b : parsed.bytes) {
        EXPECT_EQ(b, 0);
    }
}

TEST(Md5, FromHexStringReadsPairsByTheLowerCaseRule) {
    CMd5Digest digest{};
    digest.fromHexString("3f3FF3" + std::string(26, '0'));
    EXPECT_EQ(digest.bytes[0], 0x3f);
    EXPECT_EQ(digest.bytes[1], 0x03);
    EXPECT_EQ(digest.bytes[2], 0x00);
}

TEST(Md5, FromHexStringOfAShortTextStopsAtItsEnd) {
    CMd5Digest digest{};
    std::memset(digest.bytes, 0xEE, sizeof(digest.bytes));
    digest.fromHexString("a1b");
    EXPECT_EQ(digest.bytes[0], 0xa1);
    EXPECT_EQ(digest.bytes[1], 0x0b);
    for (int i = 2; i < 16; ++i) {
        EXPECT_EQ(digest.bytes[i], 0) << i;
    }
}

struct HexToIntCase {
    const char* text;
    int value;
};

class HexToInt : public testing::TestWithParam<HexToIntCase> {};

TEST_P(HexToInt, ParsesLowerCaseDigitsOnly) {
    EXPECT_EQ(hexToInt(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts,
                         HexToInt,
                         testing::Values(HexToIntCase{"0Xff", 255},
                                         HexToIntCase{"ff", 255},
                                         HexToIntCase{"FF", 0},
                                         HexToIntCase{"0xff", 0},
                                         HexToIntCase{"", 0},
                                         HexToIntCase{"7f z", 127},
                                         HexToIntCase{"123456789", 0x23456789},
                                         HexToIntCase{"ffffffff", -1},
                                         HexToIntCase{"0X", 0}));

TEST(Md5, AssignEqualsAndXor) {
    CMd5Digest a{};
    a.compute("message digest", 14);
    CMd5Digest b{};
    b.clear();
    EXPECT_FALSE(b.equals(a));
    b.assign(a);
    EXPECT_TRUE(b.equals(a));
    const CMd5Digest zero = a.xorWith(a);
    for (unsigned char byte : zero.bytes) {
        EXPECT_EQ(byte, 0);
    }
    b.bytes[15] ^= 1;
    EXPECT_FALSE(b.equals(a));
    EXPECT_EQ(a.xorWith(b).bytes[15], 1);
}

}  // namespace
