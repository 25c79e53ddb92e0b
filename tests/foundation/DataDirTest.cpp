#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "FolderNameWatch.h"
#include "ScratchDir.h"
#include "foundation/DataDir.h"
#include "foundation/PathLock.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using SOUI::SStringW;

namespace {

const std::string kDefaultSettings =
    "[App]\r\nfsi = 2\r\nsid = 001\r\npid = 220\r\nuserid = \r\nuserdic = \r\nopenDocPath = \r\n"
    "frameState = normal\r\n";

class DataDir : public testing::Test {
  protected:
    SStringW lad() const { return SStringW(scratch_.wide().c_str()); }
    fs::path data() const { return scratch_.path() / "BravikPdfEditor"; }
    fs::path settings() const { return data() / "wconfig.ini"; }
    std::ptrdiff_t filesInData() const {
        return std::distance(fs::directory_iterator(data()), fs::directory_iterator());
    }

    // A first start while another process's settings writer (or first start) holds the lock: it
    // makes the folders, outside the lock, and then waits.
    std::future<void> firstStartBesideTheLockHolder() {
        std::future<void> finished = std::async(std::launch::async, [this] { prepareDataDir(lad()); });
        for (int i = 0; i < 200 && !fs::is_directory(data() / "cache"); ++i) {
            Sleep(10);
        }
        EXPECT_TRUE(fs::is_directory(data() / "cache"));
        // Room for a first start that would not wait to finish.
        EXPECT_EQ(finished.wait_for(300ms), std::future_status::timeout) << "the first start waits for the lock";
        return finished;
    }

    ScratchDir scratch_;
};

TEST_F(DataDir, FirstStartCreatesTheFoldersAndTheDefaultFile) {
    prepareDataDir(lad());
    for (const char* folder : {"log", "cookie", "cache"}) {
        EXPECT_TRUE(fs::is_directory(data() / folder)) << folder;
    }
    EXPECT_EQ(ScratchDir::readBytes(settings()), kDefaultSettings);
    EXPECT_EQ(filesInData(), 4);
}

TEST_F(DataDir, LaterStartsLeaveAnExistingFileAlone) {
    fs::create_directories(data());
    for (const std::string content : {"", "[App]\r\nfsi = 1\r\n", "anything"}) {
        ScratchDir::writeBytes(settings(), content);
        prepareDataDir(lad());
        EXPECT_EQ(ScratchDir::readBytes(settings()), content);
    }
}

TEST_F(DataDir, TheDefaultFileAppearsWholeOnlyUnderTheSettingsLock) {
    auto lock = std::make_unique<PathLock>(settings().string(), 0);
    ASSERT_TRUE(lock->acquired());
    std::future<void> finished = firstStartBesideTheLockHolder();
    EXPECT_FALSE(fs::exists(settings()));
    EXPECT_EQ(filesInData(), 3) << "nothing half-written";
    lock.reset();
    ASSERT_EQ(finished.wait_for(20s), std::future_status::ready) << "the first start goes on once the lock is free";
    EXPECT_EQ(ScratchDir::readBytes(settings()), kDefaultSettings);
    EXPECT_EQ(filesInData(), 4) << "no temporary file left";
}

TEST_F(DataDir, AFirstStartLeavesAFileMadeWhileItWaitedAlone) {
    auto lock = std::make_unique<PathLock>(settings().string(), 0);
    ASSERT_TRUE(lock->acquired());
    std::future<void> finished = firstStartBesideTheLockHolder();
    // Made by the holder, another first start: the waiting one has found no file before the lock.
    const std::string made = "[App]\r\nfsi = 1\r\n";
    ScratchDir::writeBytes(settings(), made);
    FolderNameWatch watch(data());
    ASSERT_TRUE(watch.watching());
    lock.reset();
    ASSERT_EQ(finished.wait_for(20s), std::future_status::ready);
    EXPECT_EQ(ScratchDir::readBytes(settings()), made);
    EXPECT_EQ(watch.madeSoFar(), std::vector<std::wstring>{}) << "not even a temporary file";
    EXPECT_EQ(filesInData(), 4);
}

TEST_F(DataDir, AMissingCacheFolderAloneIsMadeAgain) {
    prepareDataDir(lad());
    ScratchDir::writeBytes(data() / "log" / "kept.log", "x");
    ScratchDir::writeBytes(settings(), "[App]\r\n");
    fs::remove_all(data() / "cache");
    prepareDataDir(lad());
    EXPECT_TRUE(fs::is_directory(data() / "cache"));
    EXPECT_TRUE(fs::exists(data() / "log" / "kept.log"));
    EXPECT_EQ(ScratchDir::readBytes(settings()), "[App]\r\n");
}

TEST_F(DataDir, PathsEndWithABackslash) {
    const std::wstring base = scratch_.wide() + L"\\BravikPdfEditor\\";
    EXPECT_EQ(getDataDir(lad()), (base).c_str());
    EXPECT_EQ(getLogDir(lad()), (base + L"log\\").c_str());
    EXPECT_EQ(getCookieDir(lad()), (base + L"cookie\\").c_str());
    EXPECT_EQ(getCacheDir(lad()), (base + L"cache\\").c_str());
    EXPECT_EQ(getConfigFilePath(lad()), (base + L"wconfig.ini").c_str());
    EXPECT_EQ(getCookieFilePath(lad()), (base + L"cookie\\cookie.dat").c_str());
    EXPECT_EQ(appFolderName(), L"BravikPdfEditor");
}

TEST(DataDirFallback, WithoutLocalAppDataThePathsStartAtTheDriveRoot) {
    EXPECT_EQ(getCacheDir(SStringW()), L"\\BravikPdfEditor\\cache\\");
    EXPECT_EQ(getLogDir(SStringW()), L"\\BravikPdfEditor\\log\\");
}

TEST(DataDirShell, LocalAppDataIsAnExistingFolderWithoutTrailingBackslash) {
    const SStringW lad = getLocalAppDataDir();
    ASSERT_FALSE(lad.IsEmpty());
    EXPECT_NE(lad[lad.GetLength() - 1], L'\\');
    EXPECT_TRUE(fs::is_directory(fs::path(lad.c_str())));
    EXPECT_EQ(getCacheDir(), getCacheDir(lad));
    EXPECT_EQ(getConfigFilePath(), getConfigFilePath(lad));
}

TEST_F(DataDir, LogFileNameIsTheUtcTime) {
    SYSTEMTIME utc{};
    utc.wYear = 2019;
    utc.wMonth = 12;
    utc.wDay = 3;
    utc.wHour = 8;
    utc.wMinute = 5;
    utc.wSecond = 2;
    EXPECT_EQ(makeLogFilePath(lad(), utc), (scratch_.wide() + L"\\BravikPdfEditor\\log\\20191203080502.log").c_str());
}

TEST_F(DataDir, LogFileHoldsTheBytesUntranslated) {
    SYSTEMTIME utc{};
    utc.wYear = 2020;
    utc.wMonth = 1;
    utc.wDay = 1;
    EXPECT_FALSE(writeLogFile(lad(), utc, "no folder yet"));
    prepareDataDir(lad());
    ASSERT_TRUE(writeLogFile(lad(), utc, SOUI::SStringA("a\nb\xCC\xE1")));
    EXPECT_EQ(ScratchDir::readBytes(data() / "log" / "20200101000000.log"), "a\nb\xCC\xE1");
}

TEST(ExeDir, IsTheFolderOfTheRunningProgram) {
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    const std::wstring expected = fs::path(module).parent_path().wstring();
    wchar_t folder[MAX_PATH];
    getExeDir(folder);
    EXPECT_EQ(std::wstring(folder), expected);
    EXPECT_EQ(getExeDirConfigFilePath(), (expected + L"\\wconfig.ini").c_str());
}

TEST_F(DataDir, CurrentDirectorySetters) {
    wchar_t before[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, before);
    wchar_t folder[MAX_PATH];
    getExeDir(folder);
    wchar_t now[MAX_PATH] = {};
    EXPECT_TRUE(setCurrentDirToExeDir());
    GetCurrentDirectoryW(MAX_PATH, now);
    EXPECT_EQ(fs::path(now), fs::path(folder));
    EXPECT_FALSE(setCurrentDirToDataDir(lad())) << "the data folder does not exist yet";
    prepareDataDir(lad());
    EXPECT_TRUE(setCurrentDirToDataDir(lad()));
    GetCurrentDirectoryW(MAX_PATH, now);
    EXPECT_EQ(fs::path(now), data());
    SetCurrentDirectoryW(before);
}

TEST(DesktopDir, IsAnExistingFolder) {
    wchar_t folder[MAX_PATH] = L"untouched";
    if (getDesktopDir(folder)) {
        EXPECT_TRUE(fs::is_directory(fs::path(folder))) << testing::PrintToString(std::wstring(folder));
    } else {
        EXPECT_STREQ(folder, L"untouched");
    }
}

}  // namespace
