// A real fault in a child process, caught by the crash library stand-in and reported by the
// program's observer from the library's thread: the form on the wire, the saved reply, the box.
#include <windows.h>

#include <foundation/DataDir.h>
#include <gtest/gtest.h>
#include <online/crash/BLLDumpCatchUpload.h>
#include <online/crash/CrashLibraryLoad.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/ChildMode.h"
#include "support/ChildProcess.h"
#include "support/CrashSeams.h"
#include "support/CrashTestState.h"
#include "support/ServiceControl.h"

namespace {

using childprocess::recordValues;

// Arguments: record file, local application data folder. Registers the observer as start-up
// does, with the real clock, then faults.
int faultReportChild(const std::vector<std::wstring>& arguments) {
    if (arguments.size() != 2) {
        return 90;
    }
    crashseams::install(arguments[1], false, arguments[0]);
    prepareDataDir(SOUI::SStringW(arguments[1].c_str()));
    if (GetFileAttributesW((arguments[1] + L"\\BravikPdfEditor\\log").c_str()) == INVALID_FILE_ATTRIBUTES) {
        return 92;
    }
    static const CrashReportState state(kVersionInformation, kMachineCode, "42");
    static CBLLDumpCatchUpload observer;
    childprocess::appendRecord(arguments[0], "registered", registerCrashObserver(&observer) ? "1" : "0");
    childprocess::appendRecord(arguments[0], "main", std::to_string(GetCurrentThreadId()));
    *static_cast<volatile int*>(nullptr) = 1;
    return 91;
}
const ChildMode faultReportMode(L"fault-report", faultReportChild);

void faultAtExit() {
    *static_cast<volatile int*>(nullptr) = 1;
}

// Registers as the program's entry point does, from a frame that is gone before the fault.
__attribute__((noinline)) bool entryPointCrashStep() {
    return registerProcessCrashObserver();
}

// Reuses the stack below the caller, as the calls of the exit path do.
__attribute__((noinline)) void overwriteStack() {
    volatile unsigned char scratch[16384];
    for (size_t i = 0; i < sizeof scratch; ++i) {
        scratch[i] = 0xCC;
    }
}

// Arguments: record file, local application data folder. The crash step in a frame of its own,
// then a fault in an exit handler, after that frame and the child's main have returned.
int faultAfterEntryChild(const std::vector<std::wstring>& arguments) {
    if (arguments.size() != 2) {
        return 90;
    }
    crashseams::install(arguments[1], false, arguments[0]);
    prepareDataDir(SOUI::SStringW(arguments[1].c_str()));
    static const CrashReportState state(kVersionInformation, kMachineCode, "42");
    childprocess::appendRecord(arguments[0], "registered", entryPointCrashStep() ? "1" : "0");
    overwriteStack();
    atexit(faultAtExit);
    return 0;
}
const ChildMode faultAfterEntryMode(L"fault-after-entry", faultAfterEntryChild);

// Minutes between a log file name "YYYYMMDDhhmmss.log" and the UTC time now; -1 for another name.
long long minutesFromNow(const std::wstring& name) {
    if (name.size() != 18 || name.substr(14) != L".log" || name.find_first_not_of(L"0123456789") != 14) {
        return -1;
    }
    SYSTEMTIME then = {};
    then.wYear = static_cast<WORD>(std::stoi(name.substr(0, 4)));
    then.wMonth = static_cast<WORD>(std::stoi(name.substr(4, 2)));
    then.wDay = static_cast<WORD>(std::stoi(name.substr(6, 2)));
    then.wHour = static_cast<WORD>(std::stoi(name.substr(8, 2)));
    then.wMinute = static_cast<WORD>(std::stoi(name.substr(10, 2)));
    then.wSecond = static_cast<WORD>(std::stoi(name.substr(12, 2)));
    FILETIME thenFile = {};
    FILETIME nowFile = {};
    if (!SystemTimeToFileTime(&then, &thenFile)) {
        return -1;
    }
    GetSystemTimeAsFileTime(&nowFile);
    const auto ticks = [](const FILETIME& f) {
        return static_cast<long long>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime);
    };
    return (ticks(nowFile) - ticks(thenFile)) / 600000000LL;
}

// Runs a child mode with a record file and a local application data folder in a new scratch
// folder (returned with the record's path).
childprocess::Result runFaultingChild(const wchar_t* mode, std::wstring& scratch, std::wstring& record) {
    services::reset();
    services::setReply("DoLoadLog.php", {.body = "已收到", .contentType = "text/plain; charset=utf-8"});
    scratch = childprocess::makeScratchFolder(L"崩溃 进程");
    record = scratch + L"record.txt";
    return childprocess::run(
        childprocess::selfPath(),
        // Without the folder's trailing "\", which would escape the closing quote.
        std::wstring(L"--child=") + mode + L" \"" + record + L"\" \"" + scratch.substr(0, scratch.size() - 1) + L"\"",
        childprocess::selfFolder());
}

// The child's scratch folder, and the one its own application state never got to remove.
void removeChildFolders(const std::wstring& scratch, const childprocess::Result& result) {
    childprocess::removeFolder(scratch);
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    childprocess::removeFolder(std::wstring(temp) + L"bravik-online-tests-" + std::to_wstring(result.processId));
}

TEST(FaultReport, RealFaultIsPostedSavedAndShownFromTheLibrarysThread) {
    std::wstring scratch, record;
    const childprocess::Result result = runFaultingChild(L"fault-report", scratch, record);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
    const auto lines = childprocess::readRecord(record);
    EXPECT_EQ(recordValues(lines, "registered"), std::vector<std::string>{"1"});
    const std::vector<std::string> main = recordValues(lines, "main");
    ASSERT_EQ(main.size(), 1u);

    // The library's crash text names the faulting program, whose folder has Chinese characters
    // and a blank here: it travels from code page 936 to UTF-8.
    const std::vector<Json::Value> reports = services::requestsFor("DoLoadLog.php");
    ASSERT_EQ(reports.size(), 1u);
    const Json::Value& form = reports[0]["form"];
    EXPECT_EQ(services::names(form), (std::vector<std::string>{"exception", "mcode", "uid", "vform"}));
    const std::string exception = services::value(form, "exception");
    EXPECT_EQ(exception.rfind("Unhandled exception 0xC0000005 (access violation) at 0x", 0), 0u) << exception;
    EXPECT_NE(exception.find(" in " + childprocess::toUtf8(childprocess::selfPath()) + "+0x"), std::string::npos)
        << exception;
    EXPECT_NE(exception.find(", writing 0x00000000, thread " + main[0]), std::string::npos) << exception;
    EXPECT_EQ(services::value(form, "mcode"), kMachineCode);
    EXPECT_EQ(services::value(form, "uid"), "42");
    EXPECT_EQ(services::value(form, "vform"), kVersionInformation);

    std::vector<std::filesystem::path> saved;
    for (const auto& entry : std::filesystem::directory_iterator(scratch + L"BravikPdfEditor\\log")) {
        saved.push_back(entry.path());
    }
    ASSERT_EQ(saved.size(), 1u);
    const long long minutes = minutesFromNow(saved[0].filename().wstring());
    EXPECT_GE(minutes, 0) << saved[0].filename().string();
    EXPECT_LE(minutes, 10) << saved[0].filename().string();
    EXPECT_EQ(childprocess::readBytes(saved[0].wstring()), "\xD2\xD1\xCA\xD5\xB5\xBD");  // "已收到" in 936

    const std::vector<crashseams::Box> boxes = crashseams::readBoxes(record);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(boxes[0].wide);
    EXPECT_EQ(boxes[0].text, "\xD2\xD1\xCA\xD5\xB5\xBD");
    EXPECT_EQ(boxes[0].caption, "\xCC\xE1\xCA\xBE");
    EXPECT_NE(std::to_string(boxes[0].threadId), main[0]);

    removeChildFolders(scratch, result);
}

TEST(FaultReport, FaultAfterTheEntryPointReturnedStillReachesTheObserver) {
    std::wstring scratch, record;
    const childprocess::Result result = runFaultingChild(L"fault-after-entry", scratch, record);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
    EXPECT_EQ(recordValues(childprocess::readRecord(record), "registered"), std::vector<std::string>{"1"});
    const std::vector<Json::Value> reports = services::requestsFor("DoLoadLog.php");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(services::value(reports[0]["form"], "uid"), "42");
    const std::vector<crashseams::Box> boxes = crashseams::readBoxes(record);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "\xD2\xD1\xCA\xD5\xB5\xBD");  // the reply, "已收到"
    removeChildFolders(scratch, result);
}

}  // namespace
