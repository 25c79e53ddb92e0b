#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeMachineProbe.h"
#include "machinecode/DiskSerialDecoder.h"

namespace {

std::string decode(const std::vector<unsigned char>& descriptor, size_t outSize = 1000) {
    std::vector<char> out(outSize, 'Z');
    decodeDiskSerial(descriptor.data(), descriptor.size(), serialOffsetOf(descriptor.data(), descriptor.size()),
                     out.data(), out.size());
    return std::string(out.data());
}

std::string decodeSerial(const std::string& serial) {
    return decode(descriptorWithSerial(serial));
}

struct SerialCase {
    const char* name;
    std::string stored;
    std::string text;
};

class DiskSerialTable : public testing::TestWithParam<SerialCase> {};

TEST_P(DiskSerialTable, DecodesAsStored) {
    EXPECT_EQ(decodeSerial(GetParam().stored), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         DiskSerialTable,
                         testing::Values(SerialCase{"HexDigits", "5150523132333435", "PQ1R3254"},
                                         SerialCase{"HexWithLeadingBlanks", "2020202058592d4142433441", "YXA-CBA4"},
                                         SerialCase{"PlainOddLength", "XY-QRS4N1234567", "YXQ-SRN4214365"},
                                         SerialCase{"PlainWithBlanks", "  XY-ABC123  ", "YXA-CB21 3"},
                                         SerialCase{"OneDecodedByte", "41", ""},
                                         SerialCase{"DecodedZeroFirst", "00415A", "A"},
                                         SerialCase{"UpperCaseHexDigits", "5A4B", "KZ"},
                                         SerialCase{"HexOfNonPrintableIsPlain", "20 20", "022"},
                                         SerialCase{"TrailingSingleHexDigitDropped", "41424", "BA"},
                                         SerialCase{"TabInPlainText", "AB\tCD", ""},
                                         SerialCase{"HighByteInPlainText",
                                                    "AB\x80"
                                                    "CD",
                                                    ""},
                                         SerialCase{"WhiteSpaceOnlyIsLeftAsItIs", "2020", "  "},
                                         SerialCase{"BlanksRunIntoPlainText", "   x", "x"},
                                         SerialCase{"Empty", "", ""}),
                         [](const testing::TestParamInfo<SerialCase>& c) { return std::string(c.param.name); });

TEST(DiskSerialDecoder, OffsetsOutsideTheDescriptorGiveNoSerial) {
    std::vector<unsigned char> descriptor = descriptorWithSerial("5150523132333435");
    char out[1000] = "untouched";
    for (const int32_t offset : {0, -1, -2147483647 - 1, static_cast<int32_t>(descriptor.size()), 1 << 30}) {
        decodeDiskSerial(descriptor.data(), descriptor.size(), offset, out, sizeof(out));
        EXPECT_STREQ(out, "") << offset;
    }
}

TEST(DiskSerialDecoder, ShortDescriptorHasNoOffsetField) {
    std::vector<unsigned char> descriptor = descriptorWithSerial("ABCD");
    EXPECT_EQ(serialOffsetOf(descriptor.data(), 27), 0);
    EXPECT_EQ(serialOffsetOf(descriptor.data(), 28), 64);
    EXPECT_EQ(serialOffsetOf(nullptr, 100), 0);
}

TEST(DiskSerialDecoder, SerialEndsAtTheEndOfTheReturnedBytes) {
    // No terminator before the descriptor's end: the text stops there instead of reading on.
    EXPECT_EQ(decode(descriptorWithSerial("ABCD", 64, false)), "BADC");
    // Bytes after the returned count are not part of the serial.
    std::vector<unsigned char> descriptor = descriptorWithSerial("ABCDEF");
    char out[16];
    decodeDiskSerial(descriptor.data(), 64 + 4, 64, out, sizeof(out));
    EXPECT_STREQ(out, "BADC");
}

TEST(DiskSerialDecoder, DecodedTextIsCutToTheWorkBuffer) {
    const std::string plain(5000, 'A');
    const std::string text = decodeSerial(plain);
    EXPECT_EQ(text.size(), 998u) << "999 characters fit; the odd last one goes in the pair exchange";
    const std::string hex = std::string(4000, '4') + "1";
    char small[8];
    const std::vector<unsigned char> descriptor = descriptorWithSerial(hex);
    decodeDiskSerial(descriptor.data(), descriptor.size(), 64, small, sizeof(small));
    EXPECT_STREQ(small, "DDDDDD");
    // Hex text that turns invalid after the cut is still read as plain text.
    EXPECT_EQ(decode(descriptorWithSerial(std::string(3000, '4') + "zz"), 8), "444444");
}

TEST(DiskSerialAcceptance, FirstCharacterMustBeALetterOrDigit) {
    char out[256] = "untouched";
    EXPECT_EQ(acceptDiskSerial("-AB", out, sizeof(out)), 0);
    EXPECT_EQ(acceptDiskSerial(" AB", out, sizeof(out)), 0);
    EXPECT_EQ(acceptDiskSerial("", out, sizeof(out)), 0);
    EXPECT_EQ(acceptDiskSerial("\xB0"
                               "AB",
                               out, sizeof(out)),
              0);
    EXPECT_STREQ(out, "untouched");
    EXPECT_EQ(acceptDiskSerial("YXA-CBA4", out, sizeof(out)), 8);
    EXPECT_STREQ(out, "YXA-CBA4");
    EXPECT_EQ(acceptDiskSerial("7-", out, sizeof(out)), 2);
}

TEST(DiskSerialAcceptance, LongSerialIsCutTo255) {
    const std::string decoded(300, 'K');
    char out[256];
    EXPECT_EQ(acceptDiskSerial(decoded.c_str(), out, sizeof(out)), 255);
    EXPECT_EQ(std::string(out), std::string(255, 'K'));
    char tiny[4];
    EXPECT_EQ(acceptDiskSerial(decoded.c_str(), tiny, sizeof(tiny)), 3);
    EXPECT_STREQ(tiny, "KKK");
}

TEST(SwapBytePairs, ExchangesEachPair) {
    unsigned char even[] = "abcd";
    swapBytePairs(even, 4);
    EXPECT_STREQ(reinterpret_cast<char*>(even), "badc");
    unsigned char odd[] = "abc";
    swapBytePairs(odd, 3);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(odd), 4), std::string("ba\0c", 4));
    unsigned char none[] = "ab";
    swapBytePairs(none, 0);
    EXPECT_STREQ(reinterpret_cast<char*>(none), "ab");
}

}  // namespace
