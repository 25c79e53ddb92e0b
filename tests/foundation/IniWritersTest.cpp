// Writers of one settings file in several threads and processes: they run one after the other, a
// reader never stands in their way, and the temporary file of a killed writer goes at the next start.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "ScratchDir.h"
#include "SettingsFileFixture.h"
#include "foundation/DataDir.h"
#include "foundation/FileReplace.h"
#include "foundation/IniFile.h"
#include "foundation/PathLock.h"
#include "foundation/UniqueHandle.h"
#include "support/ChildMode.h"
#include "support/ChildProcess.h"

namespace fs = std::filesystem;

namespace {

constexpr int kKeys = 10;
constexpr int kRounds = 10;

std::string narrow(const std::wstring& text) {
    return fs::path(text).string();
}

// Child mode "ini-writer PATH PREFIX": writes the keys PREFIX0 to PREFIX9 in turn, kRounds times
// each with the round as value. The exit code counts the writes that failed.
int writeKeys(const std::vector<std::wstring>& arguments) {
    const std::string path = narrow(arguments.at(0));
    const std::string prefix = narrow(arguments.at(1));
    int failed = 0;
    for (int round = 0; round < kRounds; ++round) {
        for (int key = 0; key < kKeys; ++key) {
            failed += writeIniString("App", prefix + std::to_string(key), std::to_string(round), path) ? 0 : 1;
        }
    }
    return failed;
}
const ChildMode writerMode(L"ini-writer", writeKeys);

// Child mode "ini-holder PATH": takes the writers' lock and makes its temporary file as a writer
// does, then waits to be killed.
int holdLock(const std::vector<std::wstring>& arguments) {
    const std::string path = narrow(arguments.at(0));
    const PathLock lock(path, INFINITE);
    ScratchDir::writeBytes(temporaryPathBeside(path), "[App]\r\nhalf");
    Sleep(INFINITE);
    return 0;
}
const ChildMode holderMode(L"ini-holder", holdLock);

// A child still running when the test ends (a failed assertion) is killed.
struct Child {
    Child() = default;
    Child(Child&&) = default;
    ~Child() {
        if (process.valid() && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT) {
            TerminateProcess(process.get(), 1);
        }
    }

    UniqueHandle process;
    DWORD id = 0;
};

// This test program in a child mode, running beside the test.
Child startChild(const std::wstring& arguments) {
    const std::wstring program = childprocess::selfPath();
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    Child child;
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info)) {
        CloseHandle(info.hThread);
        child.process.reset(info.hProcess);
        child.id = info.dwProcessId;
    }
    return child;
}

DWORD exitCodeOf(const Child& child) {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(child.process.get(), &code);
    return code;
}

std::vector<std::string> sortedLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, text.size()) << "the last line ends with CR LF";
    std::sort(lines.begin(), lines.end());
    return lines;
}

class IniWriters : public SettingsFileFixture {};

// Two processes write their own keys at once while this one reads: no write fails, no read sees
// a damaged file, and at the end every key holds its last value.
TEST_F(IniWriters, TwoProcessesWritingAtOnceLoseNothing) {
    put("[App]\r\nkeep = yes\r\n");
    const std::wstring quoted = L"\"" + file().wstring() + L"\"";
    const Child first = startChild(L"--child=ini-writer " + quoted + L" a");
    const Child second = startChild(L"--child=ini-writer " + quoted + L" b");
    ASSERT_TRUE(first.process.valid() && second.process.valid());

    const HANDLE both[] = {first.process.get(), second.process.get()};
    int reads = 0;
    int damagedReads = 0;
    while (WaitForMultipleObjects(2, both, TRUE, 0) == WAIT_TIMEOUT && reads < 100000) {
        damagedReads += readIniString("App", "keep", "<none>", path()) == "yes" ? 0 : 1;
        ++reads;
    }
    ASSERT_EQ(WaitForMultipleObjects(2, both, TRUE, 60000), WAIT_OBJECT_0);
    EXPECT_EQ(exitCodeOf(first), 0u) << "failed writes of the first process";
    EXPECT_EQ(exitCodeOf(second), 0u) << "failed writes of the second process";
    EXPECT_GT(reads, 0);
    EXPECT_EQ(damagedReads, 0) << "of " << reads << " reads";

    std::vector<std::string> expected = {"[App]", "keep = yes"};
    for (const char* prefix : {"a", "b"}) {
        for (int key = 0; key < kKeys; ++key) {
            expected.push_back(prefix + std::to_string(key) + " = " + std::to_string(kRounds - 1));
        }
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(sortedLines(content()), expected);
    EXPECT_EQ(ScratchDir::readBytes(copy()), content()) << "the copy of the last write";
    EXPECT_EQ(filesInFolder(), 2u) << "no temporary file is left";
}

// While another writer holds the file (here under another spelling of its path), a write gives up
// after a bounded wait and touches nothing.
TEST_F(IniWriters, AWriteThatCannotGetTheLockFailsAndTouchesNothing) {
    const std::string before = "[App]\r\nfsi = 2\r\n";
    put(before);
    ScratchDir::writeBytes(copy(), "earlier copy");
    std::string otherSpelling = path();
    CharUpperBuffA(otherSpelling.data(), static_cast<DWORD>(otherSpelling.size()));

    std::promise<void> held;
    std::promise<void> release;
    std::thread holder([&] {
        const PathLock lock(otherSpelling, INFINITE);
        held.set_value();
        release.get_future().wait();
    });
    held.get_future().wait();
    const bool written = writeIniString("App", "fsi", "1", path());
    release.set_value();
    holder.join();

    EXPECT_FALSE(written);
    EXPECT_EQ(content(), before);
    EXPECT_EQ(ScratchDir::readBytes(copy()), "earlier copy");
    EXPECT_EQ(filesInFolder(), 2u);
    EXPECT_TRUE(writeIniString("App", "fsi", "1", path()));
}

// A start removes the temporary files of writers that were killed, never that of a live writer.
TEST(SettingsStart, RemovesTheTemporaryFilesOfKilledWritersOnly) {
    ScratchDir scratch;
    const SOUI::SStringW lad(scratch.wide().c_str());
    prepareDataDir(lad);
    const fs::path settings = scratch.path() / "BravikPdfEditor" / "wconfig.ini";
    const fs::path stale = settings.string() + ".4242.tmp";
    const fs::path notOurs = settings.string() + ".old.tmp";
    ScratchDir::writeBytes(stale, "[App]\r\nha");
    ScratchDir::writeBytes(notOurs, "kept");

    const Child writer = startChild(L"--child=ini-holder \"" + settings.wstring() + L"\"");
    ASSERT_TRUE(writer.process.valid());
    const fs::path live = settings.string() + "." + std::to_string(writer.id) + ".tmp";
    for (int i = 0; i < 300 && !fs::exists(live); ++i) {
        Sleep(100);
    }
    ASSERT_TRUE(fs::exists(live)) << "the holder is at work";

    prepareDataDir(lad);
    EXPECT_TRUE(fs::exists(live)) << "a live writer's file stays";
    EXPECT_TRUE(fs::exists(stale)) << "the lock is busy: nothing is removed now";

    TerminateProcess(writer.process.get(), 1);
    WaitForSingleObject(writer.process.get(), 10000);
    EXPECT_TRUE(writeIniString("App", "k", "v", settings.string())) << "the killed writer's lock counts as free";
    prepareDataDir(lad);
    EXPECT_FALSE(fs::exists(live));
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(notOurs));
}

}  // namespace
