// The crash-report upload while nothing listens on the compiled-in address: the transfer's error
// text in a wide box titled "错误", and no saved reply.
#include <windows.h>

#include <foundation/DataDir.h>
#include <gtest/gtest.h>
#include <online/crash/BLLDumpCatchUpload.h>

#include <filesystem>
#include <string>

#include "support/ChildProcess.h"
#include "support/CrashSeams.h"
#include "support/CrashTestState.h"

namespace {

TEST(UploadWithoutService, ShowsTheTransfersErrorAndSavesNothing) {
    const std::wstring scratch = childprocess::makeScratchFolder(L"崩溃 无服务");
    const std::wstring localAppData = scratch.substr(0, scratch.size() - 1);
    prepareDataDir(SOUI::SStringW(localAppData.c_str()));
    crashseams::install(localAppData, true);
    const CrashReportState state(kVersionInformation, kMachineCode, "42");

    CBLLDumpCatchUpload observer;
    EXPECT_EQ(static_cast<CDumpCatchObserverBase&>(observer).onDumpCatch(nullptr, "fault"), 1);

    const std::vector<crashseams::Box> boxes = crashseams::boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].wide);
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(boxes[0].text, "Couldn't connect to server");
    EXPECT_EQ(boxes[0].caption, "错误");
    EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK));
    const std::wstring logFolder = localAppData + L"\\BravikPdfEditor\\log";
    ASSERT_TRUE(std::filesystem::is_directory(logFolder));
    EXPECT_TRUE(std::filesystem::is_empty(logFolder));

    crashseams::uninstall();
    childprocess::removeFolder(localAppData);
}

}  // namespace
