#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ScratchDir.h"
#include "SettingsFileFixture.h"
#include "foundation/CodePage.h"
#include "foundation/IniFile.h"

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

// Lines enough to make a settings file of some kilobytes.
std::string longTail() {
    std::string tail;
    for (int i = 0; i < 120; ++i) {
        tail += "line" + std::to_string(i) + " = some text of the user\r\n";
    }
    return tail;
}
const std::string kLongTail = longTail();

class IniFile : public SettingsFileFixture {};

struct ReadCase {
    const char* name;
    std::string file;
    std::string key;
    std::string expected;  // default "dflt" when the key is not found
};

class IniRead : public IniFile, public testing::WithParamInterface<ReadCase> {};

TEST_P(IniRead, FindsTheValueByTheBlankRemovedLine) {
    put(GetParam().file);
    EXPECT_EQ(readIniString("App", GetParam().key, "dflt", path()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules,
    IniRead,
    testing::Values(ReadCase{"Plain", "[App]\r\nuserid = 42\r\n", "userid", "42"},
                    ReadCase{"EmptyValueGivesDefault", "[App]\r\nuserid = \r\n", "userid", "dflt"},
                    ReadCase{"BlanksRemovedFromValue", "[App]\r\nuserid = a b\r\n", "userid", "ab"},
                    ReadCase{"FurtherEqualsBelongToValue", "[App]\r\nuserid=a=b\r\n", "userid", "a=b"},
                    ReadCase{"TabBeforeEqualsDoesNotMatch", "[App]\r\nuserid\t= 5\r\n", "userid", "dflt"},
                    ReadCase{"KeyPrefixDoesNotMatch", "[App]\r\nuserid = 5\r\n", "user", "dflt"},
                    ReadCase{"BlanksInsideKeyAndHeader", " [ App ] \r\n user id = 5\r\n", "userid", "5"},
                    ReadCase{"HeaderIsCaseSensitive", "[app]\r\nk = 1\r\n", "k", "dflt"},
                    ReadCase{"HeaderWithTrailingText", "[App]x\r\nk = 1\r\n", "k", "dflt"},
                    ReadCase{"OnlyFirstSectionSearched", "[App]\r\na = 1\r\n[App]\r\nk = 9\r\n", "k", "dflt"},
                    ReadCase{"LaterLineAfterEmptyValue", "[App]\r\nk = \r\nk = 7\r\n", "k", "7"},
                    ReadCase{"SectionEndsAtAnyBracket", "[App]\r\n[ \r\nk = 1\r\n", "k", "dflt"},
                    ReadCase{"LinesBeforeHeaderNeverMatch", "k = 0\r\n[App]\r\n", "k", "dflt"},
                    ReadCase{"LineFeedOnlyFile", "[App]\nz = 1\nk = 3", "k", "3"},
                    ReadCase{"CarriageReturnInsideLineStays", "[App]\r\nk = a\rb\r\n", "k", "a\rb"},
                    ReadCase{"LinesAfterEndOfFileByte", "[App]\r\nx = \x1A\r\nk = 3\r\n", "k", "3"},
                    ReadCase{"NoSection", "[Other]\r\nk = 1\r\n", "k", "dflt"},
                    ReadCase{"EmptyFile", "", "k", "dflt"}),
    [](const testing::TestParamInfo<ReadCase>& c) { return std::string(c.param.name); });

TEST_F(IniFile, MissingFileReadsDefaults) {
    EXPECT_EQ(readIniString("App", "k", "dflt", path()), "dflt");
    EXPECT_EQ(readIniInt("App", "k", path(), -5), -5);
    EXPECT_DOUBLE_EQ(readIniDouble("App", "k", path(), 1.25), 1.25);
}

TEST_F(IniFile, NumbersFollowAtoiAndAtof) {
    put("[App]\r\na = 12abc\r\nb = abc\r\nc = -7\r\nd = 2.5x\r\n");
    EXPECT_EQ(readIniInt("App", "a", path(), 99), 12);
    EXPECT_EQ(readIniInt("App", "b", path(), 99), 0);
    EXPECT_EQ(readIniInt("App", "c", path(), 99), -7);
    EXPECT_EQ(readIniInt("App", "missing", path(), 99), 99);
    EXPECT_DOUBLE_EQ(readIniDouble("App", "d", path(), 0), 2.5);
    EXPECT_DOUBLE_EQ(readIniDouble("App", "b", path(), 3), 0);
}

struct WriteCase {
    const char* name;
    std::string before;
    std::string key;
    std::string value;
    std::string after;
};

class IniWrite : public IniFile, public testing::WithParamInterface<WriteCase> {};

TEST_P(IniWrite, RewritesTheFileWithCrLf) {
    put(GetParam().before);
    ASSERT_TRUE(writeIniString("App", GetParam().key, GetParam().value, path()));
    EXPECT_EQ(content(), GetParam().after);
    EXPECT_EQ(ScratchDir::readBytes(copy()), GetParam().after) << "the settings copy stays beside the file";
    EXPECT_EQ(filesInFolder(), 2u) << "no temporary file is left";
}

INSTANTIATE_TEST_SUITE_P(
    Rules,
    IniWrite,
    testing::Values(
        WriteCase{"ReplacesEmptyValue", "[App]\r\nuserid = \r\n", "userid", "42", "[App]\r\nuserid = 42\r\n"},
        WriteCase{"ReplacesInPlace", "[App]\r\na = 1\r\nk = 2\r\nb = 3\r\n", "k", "9",
                  "[App]\r\na = 1\r\nk = 9\r\nb = 3\r\n"},
        WriteCase{"AppendsMissingSection", "[Other]\r\nx = 1\r\n", "k", "v", "[Other]\r\nx = 1\r\n[App]\r\nk = v\r\n"},
        WriteCase{"InsertsBeforeNextSection", "[App]\r\na = 1\r\n[Next]\r\nb = 2\r\n", "c", "3",
                  "[App]\r\na = 1\r\nc = 3\r\n[Next]\r\nb = 2\r\n"},
        WriteCase{"BlankLinesStayBeforeInsertion", "[App]\r\na = 1\r\n\r\n[Next]\r\n", "c", "3",
                  "[App]\r\na = 1\r\n\r\nc = 3\r\n[Next]\r\n"},
        WriteCase{"OnlyFirstSectionWritten", "[App]\r\na = 1\r\n[App]\r\nk = 9\r\n", "k", "5",
                  "[App]\r\na = 1\r\nk = 5\r\n[App]\r\nk = 9\r\n"},
        WriteCase{"OnlyFirstKeyLineReplaced", "[App]\r\nk = \r\nk = 7\r\n", "k", "8", "[App]\r\nk = 8\r\nk = 7\r\n"},
        WriteCase{"EmptyFile", "", "k", "v", "[App]\r\nk = v\r\n"},
        WriteCase{"LineFeedsBecomeCrLf", "[App]\nk = 1\nz = 2", "k", "3", "[App]\r\nk = 3\r\nz = 2\r\n"},
        WriteCase{"ValueWrittenWithBlanks", "[App]\r\n", "k", "a b", "[App]\r\nk = a b\r\n"},
        WriteCase{"OtherLinesCopiedUnchanged", " [ App ] \r\n; note\r\n user id = 5\r\n", "userid", "6",
                  " [ App ] \r\n; note\r\nuserid = 6\r\n"},
        WriteCase{"TabKeyNotMatched", "[App]\r\nuserid\t= 5\r\n", "userid", "6",
                  "[App]\r\nuserid\t= 5\r\nuserid = 6\r\n"},
        WriteCase{"KeyPrefixNotMatched", "[App]\r\nuserid = 5\r\n", "user", "1", "[App]\r\nuserid = 5\r\nuser = 1\r\n"},
        WriteCase{"LinesBeforeHeaderKept", "k = 0\r\n[App]\r\n", "k", "1", "k = 0\r\n[App]\r\nk = 1\r\n"},
        WriteCase{"HeaderWithTrailingTextIsNoHeader", "[App]x\r\nk = 1\r\n", "k", "2",
                  "[App]x\r\nk = 1\r\n[App]\r\nk = 2\r\n"},
        WriteCase{"GbkBytesKept", "[App]\r\nk = \xCC\xE1\r\n", "k", "\xCA\xBE", "[App]\r\nk = \xCA\xBE\r\n"},
        WriteCase{"EndOfFileByteAndLaterLinesKept", "[App]\r\nnote = \x1A\r\n" + kLongTail, "k", "1",
                  "[App]\r\nnote = \x1A\r\n" + kLongTail + "k = 1\r\n"},
        WriteCase{"ZeroBytesAndLaterLinesKept", "[App]\r\nz = a\0b\r\n\0\r\nk = 1\r\nm = 2\r\n"s, "k", "9",
                  "[App]\r\nz = a\0b\r\n\0\r\nk = 9\r\nm = 2\r\n"s}),
    [](const testing::TestParamInfo<WriteCase>& c) { return std::string(c.param.name); });

TEST_F(IniFile, WriteThenReadBack) {
    put("[App]\r\n");
    EXPECT_TRUE(writeIniInt("App", "n", path(), -3));
    EXPECT_TRUE(writeIniDouble("App", "d", path(), 0.1));
    EXPECT_TRUE(writeIniDouble("App", "big", path(), 1234567.0));
    EXPECT_EQ(content(), "[App]\r\nn = -3\r\nd = 0.1\r\nbig = 1.23457e+06\r\n");
    EXPECT_EQ(readIniInt("App", "n", path(), 0), -3);
    EXPECT_DOUBLE_EQ(readIniDouble("App", "d", path(), 0), 0.1);
}

TEST_F(IniFile, WritingAMissingFileFailsAndLeavesAnEmptyCopy) {
    EXPECT_FALSE(writeIniString("App", "k", "v", path()));
    EXPECT_FALSE(fs::exists(file()));
    ASSERT_TRUE(fs::exists(copy()));
    EXPECT_EQ(fs::file_size(copy()), 0u);
}

// The file is replaced as a whole: while the replacement is refused, the file keeps every byte of its
// old content (it is never opened for truncation) and the write reports the failure.
TEST_F(IniFile, RefusedReplacementKeepsTheOldFileWhole) {
    const std::string before = "[App]\r\nfsi = 2\r\nsid = 001\r\n";
    put(before);
    const std::wstring wide = file().wstring();
    HANDLE holder = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const bool written = writeIniString("App", "fsi", "1", path());
    CloseHandle(holder);
    EXPECT_FALSE(written);
    EXPECT_EQ(content(), before);
    EXPECT_EQ(ScratchDir::readBytes(copy()), "[App]\r\nfsi = 1\r\nsid = 001\r\n");
    EXPECT_EQ(filesInFolder(), 2u) << "the temporary file is removed";
    EXPECT_TRUE(writeIniString("App", "fsi", "1", path()));
    EXPECT_EQ(content(), "[App]\r\nfsi = 1\r\nsid = 001\r\n");
}

// Files saved with a byte-order mark, as a text editor saves "Unicode" or UTF-8: read, and written
// back in their own encoding with every character, also those the ANSI code page cannot hold.
std::string encoded(const std::u16string& text, IniEncoding encoding) {
    if (encoding == IniEncoding::Utf8) {
        return "\xEF\xBB\xBF" + wideToUtf8(std::wstring(text.begin(), text.end()));
    }
    const bool little = encoding == IniEncoding::Utf16Le;
    std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
    for (char16_t unit : text) {
        const char low = static_cast<char>(unit & 0xFF);
        const char high = static_cast<char>(unit >> 8);
        bytes += little ? low : high;
        bytes += little ? high : low;
    }
    return bytes;
}

std::string ansi(const std::wstring& text) {
    std::string bytes;
    EXPECT_TRUE(wideToMultiByte(CP_THREAD_ACP, text, bytes));
    return bytes;
}

struct EncodingCase {
    const char* name;
    IniEncoding encoding;
};

class EncodedIni : public IniFile, public testing::WithParamInterface<EncodingCase> {};

TEST_P(EncodedIni, IsReadAndWrittenInItsOwnEncoding) {
    const IniEncoding encoding = GetParam().encoding;
    // U+0E01 and U+1F600 are outside the ANSI code page.
    const std::u16string before =
        u"[App]\r\nfsi = 1\r\nuserid = 10001\r\nname = \u63d0\u793a\r\nnote = \u0e01\U0001F600\r\n"
        u"frameState = normal\r\n[Other]\r\nx = 1\r\n";
    put(encoded(before, encoding));
    EXPECT_EQ(readIniString("App", "userid", "", path()), "10001");
    EXPECT_EQ(readIniString("App", "name", "", path()), ansi(L"\u63d0\u793a"));
    EXPECT_EQ(readIniInt("App", "fsi", path(), 7), 1);

    ASSERT_TRUE(writeIniString("App", "frameState", "max", path()));
    ASSERT_TRUE(writeIniString("App", "openDocPath", ansi(L"C:\\\u6587\u6863.pdf"), path()));
    const std::u16string after =
        u"[App]\r\nfsi = 1\r\nuserid = 10001\r\nname = \u63d0\u793a\r\nnote = \u0e01\U0001F600\r\n"
        u"frameState = max\r\nopenDocPath = C:\\\u6587\u6863.pdf\r\n[Other]\r\nx = 1\r\n";
    EXPECT_EQ(content(), encoded(after, encoding));
    EXPECT_EQ(ScratchDir::readBytes(copy()), encoded(after, encoding));
    EXPECT_EQ(readIniString("App", "openDocPath", "", path()), ansi(L"C:\\\u6587\u6863.pdf"));
}

INSTANTIATE_TEST_SUITE_P(Marks,
                         EncodedIni,
                         testing::Values(EncodingCase{"Utf16Le", IniEncoding::Utf16Le},
                                         EncodingCase{"Utf16Be", IniEncoding::Utf16Be},
                                         EncodingCase{"Utf8", IniEncoding::Utf8}),
                         [](const testing::TestParamInfo<EncodingCase>& c) { return std::string(c.param.name); });

// A UTF-16 file cut after an odd byte: the byte that makes no unit stays at the end.
TEST_F(IniFile, OddLastByteOfAUtf16FileIsKept) {
    put(encoded(u"[App]\r\nk = 1\r\n", IniEncoding::Utf16Le) + "\x41");
    EXPECT_EQ(readIniString("App", "k", "", path()), "1");
    ASSERT_TRUE(writeIniString("App", "k", "2", path()));
    EXPECT_EQ(content(), encoded(u"[App]\r\nk = 2\r\n", IniEncoding::Utf16Le) + "\x41");
}

TEST(RemoveSpaces, OnlyBlanksGo) {
    EXPECT_EQ(removeSpaces(" a\tb c "), "a\tbc");
    EXPECT_EQ(removeSpaces("   "), "");
}

}  // namespace
