#pragma once

#include <string_view>

// What the control needs to know of a file it is asked to open. Pure, so it can be tested on bytes.
namespace pdfc {

struct PdfFileInfo {
    bool isPdf = false;  // starts with the "%PDF-" header
    int pageCount = 0;   // page objects ("/Type /Page", not "/Pages")
};

PdfFileInfo inspectPdf(std::string_view bytes);

}  // namespace pdfc
