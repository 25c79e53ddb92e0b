// Test executables keep the control's history files in a scratch folder of their own process,
// never in the user's cache folder.
#include <gtest/gtest.h>

#include "PdfHostEnvironment.h"
#include "support/ControlTestSupport.h"

namespace {

std::wstring scratchCacheDir() {
    static const std::wstring dir = pdftest::makeScratchDir(L"cache");
    return dir;
}

class ScratchCacheEnvironment : public testing::Environment {
  public:
    void SetUp() override { PXV::pdfHostEnvironment().cacheDir = &scratchCacheDir; }
};

[[maybe_unused]] testing::Environment* const g_cache = testing::AddGlobalTestEnvironment(new ScratchCacheEnvironment);

}  // namespace
