#pragma once

#include <string_view>

// What the control needs to know of a file it is asked to open. Pure, so it can be tested on bytes.
namespace pdfc {

struct PdfFileInfo {
    bool isPdf = false;  // starts with the "%PDF-" header
    int pageCount = 0;   // page objects ("/Type /Page", not "/Pages")
    // The end-of-file marker "%%EOF" within the last 1024 bytes, where readers look for it; a file
    // without it was cut short, and a viewer offers to repair it before it opens it.
    bool complete = false;
};

PdfFileInfo inspectPdf(std::string_view bytes);

}  // namespace pdfc
