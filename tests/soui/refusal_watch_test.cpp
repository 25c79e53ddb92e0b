// A test that leaves one refusal of the UI library untaken. The watch (RefusalWatch.cpp) must fail
// it; CTest passes this program only when the watch's message for this refusal is in its output.
#include <gtest/gtest.h>
#include <soui/soui.h>

#include "TestApp.h"

TEST(RefusalWatch, FailsATestThatLeavesARefusalUntaken) {
    soui_test::TestApp::Get();
    EXPECT_EQ(SOUI::SUiDef::GetUiDef()->GetNamedColor()->Get(L"@color/left_untaken"), SOUI::CR_INVALID);
}
