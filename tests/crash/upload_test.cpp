// The crash-report upload against the local crash-report service on the compiled-in address:
// the form on the wire, the saved and shown reply, and the log folder's absence.
#include <windows.h>

#include <shlwapi.h>

#include <foundation/DataDir.h>
#include <gtest/gtest.h>
#include <online/crash/BLLDumpCatchUpload.h>

#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/CrashSeams.h"
#include "support/CrashTestState.h"
#include "support/ServiceControl.h"

namespace {

const char kPath[] = "DoLoadLog.php";
const char kReplyCaption936[] = "\xCC\xE1\xCA\xBE";  // "提示"

class Upload : public ::testing::Test {
  protected:
    void SetUp() override {
        services::reset();
        // The local application data folder as the shell gives it: no trailing "\".
        const std::wstring scratch = childprocess::makeScratchFolder(L"崩溃 报告");
        m_localAppData = scratch.substr(0, scratch.size() - 1);
        prepareDataDir(SOUI::SStringW(m_localAppData.c_str()));
        crashseams::install(m_localAppData, true);
    }
    void TearDown() override {
        crashseams::uninstall();
        childprocess::removeFolder(m_localAppData);
    }

    // Called through the observer interface, as the crash library calls it.
    static int upload(const char* crashText) {
        CBLLDumpCatchUpload observer;
        CDumpCatchObserverBase* base = &observer;
        return base->onDumpCatch(reinterpret_cast<void*>(0x1234), crashText);
    }

    // The one report the service received since the last reset (null when not exactly one).
    static Json::Value onlyReport() {
        const std::vector<Json::Value> reports = services::requestsFor(kPath);
        if (reports.size() != 1) {
            ADD_FAILURE() << reports.size() << " reports";
            return {};
        }
        EXPECT_EQ(reports[0]["method"].asString(), "POST");
        return reports[0];
    }

    static DWORD WINAPI uploadOnThread(void* result) {
        *static_cast<int*>(result) = upload("fault");
        return 0;
    }

    std::wstring logFolder() const { return m_localAppData + L"\\BravikPdfEditor\\log\\"; }
    std::wstring logFile() const { return logFolder() + crashseams::kFixedLogName; }

    std::wstring m_localAppData;
};

TEST_F(Upload, FormCarriesTheFourFieldsInNameOrderUrlEncoded) {
    struct Case {
        const char* crashText;
        const char* userId;
        const char* versionInformation;
        const char* exception;  // UTF-8, as a form parser reads it
        std::string body;       // the bytes on the wire, where they are pinned
    };
    const std::string mcode = std::string("&mcode=") + kMachineCode;
    const Case cases[] = {
        {"a&b", "42", kVersionInformation, "a&b", "exception=a%26b" + mcode + "&uid=42&vform=220327001"},
        // Nobody signed in.
        {"x", "", kVersionInformation, "x", "exception=x" + mcode + "&uid=&vform=220327001"},
        {"k=v+1 %41% #;", "7", kVersionInformation, "k=v+1 %41% #;", ""},
        // ANSI (936) crash text goes as UTF-8; the version information goes as its stored bytes.
        {"\xB1\xC0\xC0\xA3 C:\\\xB3\xCC\xD0\xF2", "42",
         "220\xB0\xE6"
         "001",
         "\xE5\xB4\xA9\xE6\xBA\x83 C:\\\xE7\xA8\x8B\xE5\xBA\x8F",
         "exception=%E5%B4%A9%E6%BA%83+C%3A%5C%E7%A8%8B%E5%BA%8F" + mcode + "&uid=42&vform=220%B0%E6001"},
        {nullptr, "42", kVersionInformation, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.exception);
        services::reset();
        const CrashReportState state(c.versionInformation, kMachineCode, c.userId);
        EXPECT_EQ(upload(c.crashText), 1);
        const Json::Value report = onlyReport();
        if (!c.body.empty()) {
            EXPECT_EQ(services::fromHex(report["body_hex"].asString()), c.body);
        }
        const Json::Value& form = report["form"];
        EXPECT_EQ(services::names(form), (std::vector<std::string>{"exception", "mcode", "uid", "vform"}));
        EXPECT_EQ(services::value(form, "exception"), c.exception);
        EXPECT_EQ(services::value(form, "mcode"), kMachineCode);
        EXPECT_EQ(services::value(form, "uid"), c.userId);
    }
}

TEST_F(Upload, ReplyIsSavedUnderTheUtcTimeInTheLogFolderAndShownInANarrowBox) {
    const CrashReportState state(kVersionInformation, kMachineCode, "42");
    struct Case {
        const char* what;
        std::string reply;
        int status;
        std::string shown;  // OEM code page 936
    };
    // One file name for all: each later reply of the same second replaces the file.
    const Case cases[] = {
        {"two letters", "ok", 200, "ok"},
        {"Chinese text", "已收到崩溃报告", 200, "\xD2\xD1\xCA\xD5\xB5\xBD\xB1\xC0\xC0\xA3\xB1\xA8\xB8\xE6"},
        {"empty", "", 200, ""},
        {"zero byte inside", std::string("ab\0cd", 5), 200, "ab"},
        {"error page", "<html>busy</html>", 503, "<html>busy</html>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        crashseams::clearBoxes();
        services::setReply(kPath, {.body = c.reply, .status = c.status, .contentType = "text/plain; charset=utf-8"});
        EXPECT_EQ(upload("fault"), 1);

        ASSERT_TRUE(PathFileExistsW(logFile().c_str()));
        EXPECT_EQ(childprocess::readBytes(logFile()), c.shown);
        const std::vector<crashseams::Box> boxes = crashseams::boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_FALSE(boxes[0].wide);
        EXPECT_EQ(boxes[0].owner, nullptr);
        EXPECT_EQ(boxes[0].text, c.shown);
        EXPECT_EQ(boxes[0].caption, kReplyCaption936);
        EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK));
        EXPECT_EQ(boxes[0].threadId, GetCurrentThreadId());
    }
}

TEST_F(Upload, MissingLogFolderStillShowsTheReplyAndWritesNothing) {
    const CrashReportState state(kVersionInformation, kMachineCode, "42");
    childprocess::removeFolder(logFolder());
    services::setReply(kPath, {.body = "noted", .contentType = "text/plain"});
    EXPECT_EQ(upload("fault"), 1);

    EXPECT_FALSE(PathFileExistsW(logFolder().c_str()));
    const std::vector<crashseams::Box> boxes = crashseams::boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "noted");
    EXPECT_EQ(boxes[0].caption, kReplyCaption936);
}

TEST_F(Upload, ServiceThatNeverAnswersEndsTheUploadWithTheTimeOutError) {
    const CrashReportState state(kVersionInformation, kMachineCode, "42");
    services::setReply(kPath, {.body = "", .silent = true});
    // On a thread of its own, as the crash library calls it, so that an upload without a bound
    // fails the test instead of holding it.
    int result = 0;
    HANDLE thread = CreateThread(nullptr, 0, &Upload::uploadOnThread, &result, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    const DWORD waited = WaitForSingleObject(thread, 60000);
    CloseHandle(thread);
    ASSERT_EQ(waited, WAIT_OBJECT_0) << "the upload still waits for the service after a minute";
    EXPECT_EQ(result, 1);
    EXPECT_EQ(services::requestsFor(kPath).size(), 1u);
    const std::vector<crashseams::Box> boxes = crashseams::boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].wide);
    EXPECT_EQ(boxes[0].text, "Timeout was reached");
    EXPECT_EQ(boxes[0].caption, "错误");
    EXPECT_FALSE(PathFileExistsW(logFile().c_str()));
}

}  // namespace
