// The path of WM_COPYDATA: read within the sender's byte count only, up to the first zero unit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CopyDataPath.h"

namespace {

// The units' bytes as a little-endian sender stores them.
std::vector<unsigned char> bytesOf(const std::u16string& units) {
    std::vector<unsigned char> bytes;
    for (char16_t unit : units) {
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    return bytes;
}

TEST(CopyDataPath, ReadsWithinTheByteCountUpToTheFirstZero) {
    struct Case {
        std::u16string data;  // the sender's units; more may follow the count
        std::size_t byteCount;
        std::u16string path;
    };
    const std::u16string lone{u'a', char16_t(0xD800), u'b', char16_t(0xDFFF)};
    for (const Case& c : {
             Case{std::u16string(u"C:\\文档\\a.pdf\0", 12), 24, u"C:\\文档\\a.pdf"},
             Case{u"C:\\a.pdf", 16, u"C:\\a.pdf"},     // no terminator within the count
             Case{u"C:\\a.pdfXYZ", 16, u"C:\\a.pdf"},  // the units past the count are not the path's
             Case{u"C:\\a.pdf", 15, u"C:\\a.pd"},      // an odd last byte belongs to no unit
             Case{std::u16string(u"ab\0cd", 5), 10, u"ab"},
             Case{lone, 8, lone},  // units as they come, pairs or not
             Case{u"ab", 1, u""},
             Case{u"ab", 0, u""},
         }) {
        const std::vector<unsigned char> bytes = bytesOf(c.data);
        EXPECT_EQ(copyDataPath(bytes.data(), c.byteCount), c.path)
            << testing::PrintToString(c.data) << " " << c.byteCount;
    }
    EXPECT_EQ(copyDataPath(nullptr, 40), u"");
}

// Every unit value, in order: the bytes are read as little-endian units wherever they lie.
TEST(CopyDataPath, EveryNonZeroUnitAtAnyAlignment) {
    std::u16string all;
    for (unsigned unit = 1; unit <= 0xFFFF; ++unit) {
        all += static_cast<char16_t>(unit);
    }
    std::vector<unsigned char> bytes = bytesOf(all);
    bytes.insert(bytes.begin(), 0x5A);  // the path starts at an odd address
    EXPECT_EQ(copyDataPath(bytes.data() + 1, bytes.size() - 1), all);
}

}  // namespace
