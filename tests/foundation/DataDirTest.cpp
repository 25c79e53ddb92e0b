#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "ScratchDir.h"
#include "foundation/DataDir.h"
#include "foundation/PathLock.h"

namespace fs = std::filesystem;
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

    ScratchDir scratch_;
};

TEST_F(DataDir, FirstStartCreatesTheFoldersAndTheDefaultFile) {
    prepareDataDir(lad());
    for (const char* folder : {"log", "cookie", "cache"}) {
        EXPECT_TRUE(fs::is_directory(data() / folder)) << folder;
    }
    EXPECT_EQ(ScratchDir::readBytes(settings()), kDefaultSettings);
    EXPECT_EQ(std::distance(fs::directory_iterator(data()), fs::directory_iterator()), 4);
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
    // Held as another process's settings writer (or first start) holds it.
    auto lock = std::make_unique<PathLock>(settings().string(), 0);
    ASSERT_TRUE(lock->acquired());
    std::thread firstStart([this] { prepareDataDir(lad()); });
    // The folders come first, outside the lock.
    for (int i = 0; i < 200 && !fs::is_directory(data() / "cache"); ++i) {
        Sleep(10);
    }
    ASSERT_TRUE(fs::is_directory(data() / "cache"));
    Sleep(300);  // room for a first start that would not wait
    EXPECT_FALSE(fs::exists(settings()));
    EXPECT_EQ(std::distance(fs::directory_iterator(data()), fs::directory_iterator()), 3) << "nothing half-written";
    lock.reset();
    firstStart.join();
    EXPECT_EQ(ScratchDir::readBytes(settings()), kDefaultSettings);
    EXPECT_EQ(std::distance(fs::directory_iterator(data()), fs::directory_iterator()), 4) << "no temporary file left";
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
