#include "PdfFile.h"

namespace pdfc {
namespace {

bool isPdfWhitespace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\0';
}

bool isNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

}  // namespace

PdfFileInfo inspectPdf(std::string_view bytes) {
    PdfFileInfo info;
    info.isPdf = bytes.substr(0, 5) == "%PDF-";
    if (!info.isPdf) {
        return info;
    }
    constexpr size_t kTailBytes = 1024;
    const size_t tail = bytes.size() > kTailBytes ? bytes.size() - kTailBytes : 0;
    info.complete = bytes.find("%%EOF", tail) != std::string_view::npos;
    constexpr std::string_view kType = "/Type";
    constexpr std::string_view kPage = "/Page";
    for (size_t at = bytes.find(kType); at != std::string_view::npos; at = bytes.find(kType, at + 1)) {
        size_t next = at + kType.size();
        while (next < bytes.size() && isPdfWhitespace(bytes[next])) {
            ++next;
        }
        if (bytes.substr(next, kPage.size()) != kPage) {
            continue;
        }
        size_t end = next + kPage.size();
        // "/Pages" is the page tree, "/PageLabel" and the like are other names.
        if (end < bytes.size() && isNameChar(bytes[end])) {
            continue;
        }
        ++info.pageCount;
    }
    return info;
}

}  // namespace pdfc
