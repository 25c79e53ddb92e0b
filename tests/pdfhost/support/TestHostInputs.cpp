// The host's two program inputs for test executables, which do not carry the program's folders
// and string resources: a scratch cache folder of this process and the control's module name.
#include "PdfHostInputs.h"
#include "support/ControlTestSupport.h"

namespace PXV {

std::wstring hostCacheDir() {
    static const std::wstring dir = pdftest::makeScratchDir(L"cache");
    return dir;
}

std::wstring hostControlFile() {
    return L"wke.dll";
}

}  // namespace PXV
