#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// Helpers for tests that run a copy of a program, or the test program itself in a child mode, as
// a process of its own, and read back what it recorded.
namespace childprocess {

struct Result {
    bool finished = false;  // false: not started, or still running at the time-out (then killed)
    DWORD exitCode = 0;
    DWORD processId = 0;
};

// Starts program with the arguments (appended to its quoted path) in folder and waits.
Result run(const std::wstring& program,
           const std::wstring& arguments,
           const std::wstring& folder,
           DWORD timeoutMs = 60000);

// This test program's full path and folder (with a trailing "\").
std::wstring selfPath();
std::wstring selfFolder();

// A new empty folder under the temporary folder, named from the given name and this process.
std::wstring makeScratchFolder(const std::wstring& name);
void removeFolder(const std::wstring& folder);

std::string readBytes(const std::wstring& path);
// The lines of a text split at "\n", without their line ends.
std::vector<std::string> splitLines(const std::string& text);
std::string toUtf8(const std::wstring& text);
std::wstring fromUtf8(const std::string& text);

// A record of "key=value" lines, the values stored as hexadecimal bytes so that any byte
// survives. Each line is written through to the file at once: the writer may die right after.
void appendRecord(const std::wstring& path, const std::string& key, const std::string& value);
std::vector<std::pair<std::string, std::string>> readRecord(const std::wstring& path);
// The values of one key, in the order they were written.
std::vector<std::string> recordValues(const std::vector<std::pair<std::string, std::string>>& record,
                                      const std::string& key);

}  // namespace childprocess
