// The command line's file list: quoted and unquoted forms, cut in place, the choice between them,
// and the paths a second instance sends one by one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CommandLineCutter.h"

namespace {

class CollectingSink final : public PathSink {
  public:
    void openPath(const wchar_t* path) override { paths.emplace_back(path); }
    std::vector<std::wstring> paths;
};

struct QuotedCase {
    const wchar_t* text;
    int result;
    std::vector<std::wstring> opened;  // in the order the sink received them
};

// Cuts a copy of the case's text and compares the result and the paths the sink received.
void expectCut(int (*cut)(wchar_t*, PathSink&), const QuotedCase& c) {
    std::wstring text = c.text;
    CollectingSink sink;
    EXPECT_EQ(cut(text.data(), sink), c.result);
    EXPECT_EQ(sink.paths, c.opened);
}

class QuotedFileList : public testing::TestWithParam<QuotedCase> {};

TEST_P(QuotedFileList, OpensThePathsFromTheLastToTheFirst) {
    expectCut(&cutQuotedFileList, GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    QuotedFileList,
    testing::Values(QuotedCase{L"\"C:\\a.pdf\"", 1, {L"C:\\a.pdf"}},
                    QuotedCase{L"\"C:\\a.pdf;C:\\b.pdf;\"", 1, {L"C:\\b.pdf", L"C:\\a.pdf"}},
                    // The text after the last ";" is ignored.
                    QuotedCase{L"\"A;B\"", 1, {L"A"}},
                    // An empty part between two ";" is handed over too.
                    QuotedCase{L"\"A;;B;\"", 1, {L"B", L"", L"A"}},
                    QuotedCase{L"\";\"", 1, {}},
                    QuotedCase{L"\"\"", 0, {}},
                    QuotedCase{L"", 0, {}},
                    QuotedCase{L"C:\\a.pdf", 0, {}},
                    // The first character is dropped whatever it is, and what follows the closing quote is cut.
                    QuotedCase{L"x\"A\" tail", 1, {L"\"A"}},
                    QuotedCase{L"\"", 0, {}},
                    QuotedCase{L"\"路径 有 空格\\文件.pdf\"", 1, {L"路径 有 空格\\文件.pdf"}}));

TEST(QuotedFileListLength, SinglePathsUpToTheBufferOpenWhole) {
    for (size_t length : {size_t{259}, size_t{260}, size_t{1000}}) {
        const std::wstring path = L"C:\\" + std::wstring(length - 7, L'd') + L".pdf";
        ASSERT_EQ(path.size(), length);
        std::wstring text = L"\"" + path + L"\"";
        CollectingSink sink;
        EXPECT_EQ(cutQuotedFileList(text.data(), sink), 1) << length;
        ASSERT_EQ(sink.paths.size(), 1u) << length;
        EXPECT_EQ(sink.paths[0], path) << "a long path is neither cut short nor written past the buffer";
    }
}

struct UnquotedCase {
    const wchar_t* text;
    int result;
    std::vector<std::wstring> opened;
};

class UnquotedFileList : public testing::TestWithParam<UnquotedCase> {};

TEST_P(UnquotedFileList, OpensEveryPart) {
    std::wstring text = GetParam().text;
    CollectingSink sink;
    EXPECT_EQ(cutUnquotedFileList(text.data(), sink), GetParam().result);
    EXPECT_EQ(sink.paths, GetParam().opened);
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         UnquotedFileList,
                         testing::Values(UnquotedCase{L"A", 1, {L"A"}},
                                         UnquotedCase{L"A;B;", 1, {L"B", L"A"}},
                                         UnquotedCase{L"A;B", 1, {L"A"}},
                                         UnquotedCase{L"\"A\"", 1, {L"\"A\""}},
                                         UnquotedCase{L"", 0, {}},
                                         UnquotedCase{L";", 0, {}}));

// The command line in either form, told apart by its first character.
class EitherFileList : public testing::TestWithParam<QuotedCase> {};

TEST_P(EitherFileList, TakesTheUnquotedFormUnlessItBeginsWithAQuotationMark) {
    expectCut(&cutFileList, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         EitherFileList,
                         testing::Values(
                             // A path without blanks as a console passes it keeps its first character.
                             QuotedCase{L"C:\\a.pdf", 1, {L"C:\\a.pdf"}},
                             QuotedCase{L"C:\\a.pdf;C:\\b.pdf;", 1, {L"C:\\b.pdf", L"C:\\a.pdf"}},
                             QuotedCase{L"x\"A\" tail", 1, {L"x\"A\" tail"}},
                             QuotedCase{L";", 0, {}},
                             QuotedCase{L"", 0, {}},
                             // The quoted form as before.
                             QuotedCase{L"\"C:\\a b.pdf;C:\\c.pdf;\"", 1, {L"C:\\c.pdf", L"C:\\a b.pdf"}},
                             QuotedCase{L"\";\"", 1, {}},
                             QuotedCase{L"\"\"", 0, {}}));

TEST(CopyDataPaths, AreTheCommandLinesPathsInTheRunningInstancesOrderWithoutEmptyParts) {
    struct Case {
        const wchar_t* commandLine;
        std::vector<std::wstring> paths;
    };
    for (const Case& c : {
             Case{L"\"C:\\a b.pdf;C:\\b.pdf;;C:\\c.pdf;\"", {L"C:\\c.pdf", L"C:\\b.pdf", L"C:\\a b.pdf"}},
             Case{L"\"C:\\a b.pdf\"", {L"C:\\a b.pdf"}},
             Case{L"C:\\a.pdf;C:\\b.pdf;", {L"C:\\b.pdf", L"C:\\a.pdf"}},
             Case{L"\";\"", {}},
             Case{L"", {}},
         }) {
        EXPECT_EQ(copyDataPathsOf(c.commandLine), c.paths) << c.commandLine;
    }
}

}  // namespace
