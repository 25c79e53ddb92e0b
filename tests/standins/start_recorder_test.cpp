// The updater and converter stand-ins, started through the shell as the editor starts them: each
// start is recorded with its program, command line, parameters, working folder and time.
#include <windows.h>

#include <shellapi.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/ChildProcess.h"

namespace {

using Block = std::map<std::string, std::string>;

// The blocks of a start record, in the order the starts were recorded.
std::vector<Block> readStarts(const std::wstring& path) {
    std::vector<Block> blocks;
    for (const std::string& line : childprocess::splitLines(childprocess::readBytes(path))) {
        if (line == "[start]") {
            blocks.emplace_back();
        } else if (const size_t equals = line.find('='); equals != std::string::npos && !blocks.empty()) {
            blocks.back()[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    return blocks;
}

// ShellExecute's road with a process handle to wait for: the same "open" of a relative program
// name from the current folder.
DWORD shellStart(const wchar_t* file, const wchar_t* parameters, int show) {
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = L"open";
    info.lpFile = file;
    info.lpParameters = parameters;
    info.nShow = show;
    if (!ShellExecuteExW(&info) || info.hProcess == nullptr) {
        return 0xFFFFFFFF;
    }
    DWORD exitCode = 0xFFFFFFFE;
    if (WaitForSingleObject(info.hProcess, 30000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(info.hProcess, &exitCode);
    }
    CloseHandle(info.hProcess);
    return exitCode;
}

// Seconds between two "YYYY-MM-DDThh:mm:ss.mmmZ" texts of the same day or the one before.
long secondsOfDay(const std::string& utc) {
    if (utc.size() != 24 || utc[10] != 'T' || utc[23] != 'Z') {
        return -1;
    }
    return std::stol(utc.substr(11, 2)) * 3600 + std::stol(utc.substr(14, 2)) * 60 + std::stol(utc.substr(17, 2));
}

// Each test runs where the editor runs: in the folder of the programs (build/bin), which is also
// the current folder, so the shell finds them by the names the editor uses. Their records go to
// a scratch folder through BRAVIK_STARTS_DIR.
class StartRecorder : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t current[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, current);
        m_previousFolder = current;
        // The record folder may hold Chinese characters and blanks.
        m_records = childprocess::makeScratchFolder(L"启动 记录");
        ASSERT_TRUE(SetEnvironmentVariableW(L"BRAVIK_STARTS_DIR", m_records.c_str()));
        ASSERT_TRUE(SetCurrentDirectoryW(childprocess::selfFolder().c_str()));
    }
    void TearDown() override {
        SetCurrentDirectoryW(m_previousFolder.c_str());
        SetEnvironmentVariableW(L"BRAVIK_STARTS_DIR", nullptr);
        childprocess::removeFolder(m_records);
    }

    static std::string nowUtc() {
        SYSTEMTIME utc;
        GetSystemTime(&utc);
        char text[32] = {};
        snprintf(text, sizeof(text), "%04u-%02u-%02uT%02u:%02u:%02u.%03uZ", utc.wYear, utc.wMonth, utc.wDay, utc.wHour,
                 utc.wMinute, utc.wSecond, utc.wMilliseconds);
        return text;
    }

    static void expectRecentStart(const Block& block) {
        const long now = secondsOfDay(nowUtc());
        const long then = secondsOfDay(block.at("utc"));
        ASSERT_GE(then, 0) << block.at("utc");
        EXPECT_LE((now - then + 86400) % 86400, 60) << block.at("utc");
    }

    // The programs' folder as the programs see it: without its trailing "\".
    static std::string programFolder() {
        const std::wstring folder = childprocess::selfFolder();
        return childprocess::toUtf8(folder.substr(0, folder.size() - 1));
    }

    std::wstring m_previousFolder;
    std::wstring m_records;
};

TEST_F(StartRecorder, UpdaterRecordsEveryStartWithItsParametersAndFolder) {
    ASSERT_EQ(shellStart(L"Updrell.exe", L"327 220327001", SW_SHOWNORMAL), 0u);
    ASSERT_EQ(shellStart(L"Updrell.exe", L"328 \"220 328 001\"", SW_SHOW), 0u);

    const std::vector<Block> starts = readStarts(m_records + L"Updrell.starts.txt");
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_EQ(starts[0].at("program"), programFolder() + "\\Updrell.exe");
    EXPECT_EQ(starts[0].at("argument1"), "327");
    EXPECT_EQ(starts[0].at("argument2"), "220327001");
    EXPECT_EQ(starts[0].count("argument3"), 0u);
    EXPECT_NE(starts[0].at("commandLine").find("327 220327001"), std::string::npos);
    EXPECT_EQ(starts[0].at("workingFolder"), programFolder());
    EXPECT_EQ(starts[0].at("show"), "1") << "SW_SHOWNORMAL";
    expectRecentStart(starts[0]);
    EXPECT_EQ(starts[1].at("argument2"), "220 328 001");
    EXPECT_EQ(starts[1].at("show"), "5") << "SW_SHOW";
    EXPECT_NE(starts[0].at("processId"), starts[1].at("processId"));
}

TEST_F(StartRecorder, ConverterInItsSubFolderRecordsAStartWithoutParameters) {
    ASSERT_TRUE(PathFileExistsW(L"convert\\Transvera.exe"));
    ASSERT_EQ(shellStart(L"convert\\Transvera.exe", nullptr, SW_SHOW), 0u);

    const std::vector<Block> starts = readStarts(m_records + L"Transvera.starts.txt");
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].at("program"), programFolder() + "\\convert\\Transvera.exe");
    EXPECT_EQ(starts[0].count("argument1"), 0u);
    EXPECT_EQ(starts[0].at("workingFolder"), programFolder());
    expectRecentStart(starts[0]);
}

TEST_F(StartRecorder, WithoutTheEnvironmentTheRecordLiesBesideTheProgram) {
    SetEnvironmentVariableW(L"BRAVIK_STARTS_DIR", nullptr);
    const std::wstring copy = m_records + L"程序\\Updrell.exe";
    std::filesystem::create_directories(m_records + L"程序");
    ASSERT_TRUE(CopyFileW((childprocess::selfFolder() + L"Updrell.exe").c_str(), copy.c_str(), FALSE));
    ASSERT_EQ(shellStart(copy.c_str(), L"1 2", SW_SHOWNORMAL), 0u);
    const std::vector<Block> starts = readStarts(m_records + L"程序\\Updrell.starts.txt");
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].at("program"), childprocess::toUtf8(copy));

    // A folder that cannot be written is the one failure a start can have.
    ASSERT_TRUE(SetEnvironmentVariableW(L"BRAVIK_STARTS_DIR", (m_records + L"missing").c_str()));
    EXPECT_EQ(shellStart(copy.c_str(), nullptr, SW_SHOWNORMAL), 1u);
}

}  // namespace
