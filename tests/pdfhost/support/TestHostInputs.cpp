// The host's cache folder for test executables, which do not carry the program's folders: a scratch
// folder of this process.
#include "PdfHostInputs.h"
#include "support/ControlTestSupport.h"

namespace PXV {

std::wstring hostCacheDir() {
    static const std::wstring dir = pdftest::makeScratchDir(L"cache");
    return dir;
}

}  // namespace PXV
