// The test program's entry: a child mode when the command line asks for one, else the tests.
#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "support/ChildMode.h"

namespace {

std::map<std::wstring, ChildMode::Run>& modes() {
    static std::map<std::wstring, ChildMode::Run> table;
    return table;
}

}  // namespace

ChildMode::ChildMode(const wchar_t* name, Run run) {
    modes()[name] = run;
}

bool runChildModeIfAsked(int& exitCode) {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr) {
        return false;
    }
    const std::wstring prefix = L"--child=";
    bool ran = false;
    if (count >= 2 && std::wstring(arguments[1]).rfind(prefix, 0) == 0) {
        const auto mode = modes().find(std::wstring(arguments[1]).substr(prefix.size()));
        if (mode != modes().end()) {
            const std::vector<std::wstring> rest(arguments + 2, arguments + count);
            LocalFree(arguments);
            arguments = nullptr;
            exitCode = mode->second(rest);
            ran = true;
        }
    }
    if (arguments != nullptr) {
        LocalFree(arguments);
    }
    return ran;
}

int main(int argc, char** argv) {
    int exitCode = 0;
    if (runChildModeIfAsked(exitCode)) {
        return exitCode;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
