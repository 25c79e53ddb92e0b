#include <gtest/gtest.h>

#include "PdfFile.h"

namespace {

struct FileCase {
    const char* what;
    std::string bytes;
    bool isPdf;
    int pages;
};

TEST(PdfFile, RecognisesPdfsAndCountsTheirPageObjects) {
    const FileCase cases[] = {
        {"empty file", "", false, 0},
        {"text file", "hello, world\n", false, 0},
        {"header not at the start", " %PDF-1.4\n<< /Type /Page >>", false, 0},
        {"header only", "%PDF-1.7\n%%EOF\n", true, 0},
        {"page tree is not a page", "%PDF-1.4\n<< /Type /Pages /Count 0 >>", true, 0},
        {"two pages, with and without blank", "%PDF-1.4\n<< /Type /Page >>\n<</Type/Page>>", true, 2},
        {"line break between name and value", "%PDF-1.4\n<< /Type\r\n/Page >>", true, 1},
        {"other names that begin with Page", "%PDF-1.4\n<< /Type /PageLabel >> << /Type /Page>>", true, 1},
        {"page at the very end", "%PDF-1.4\n/Type /Page", true, 1},
    };
    for (const auto& c : cases) {
        pdfc::PdfFileInfo info = pdfc::inspectPdf(c.bytes);
        EXPECT_EQ(info.isPdf, c.isPdf) << c.what;
        EXPECT_EQ(info.pageCount, c.pages) << c.what;
    }
}

TEST(PdfFile, AFileIsCompleteWithItsEndMarkerNearItsEnd) {
    const std::string body = "%PDF-1.4\n<< /Type /Page >>\n";
    const struct {
        const char* what;
        std::string bytes;
        bool complete;
    } cases[] = {
        {"marker at the end", body + "%%EOF\n", true},
        {"cut short before the marker", body, false},
        {"the last 1024 bytes begin with the marker", body + "%%EOF" + std::string(1019, ' '), true},
        {"the marker one byte further up", body + "%%EOF" + std::string(1020, ' '), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pdfc::inspectPdf(c.bytes).complete, c.complete) << c.what;
    }
}

}  // namespace
