#include "PdfHostInputs.h"
#include "foundation/DataDir.h"

namespace PXV {

// The history files live in the per-user cache folder.
std::wstring hostCacheDir() {
    return getCacheDir().c_str();
}

}  // namespace PXV
