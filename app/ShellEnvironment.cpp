#include "ShellEnvironment.h"

#include <shellapi.h>

#include "online/account/AccountRequests.h"

namespace {

HINSTANCE realShellExecute(HWND owner,
                           const wchar_t* verb,
                           const wchar_t* file,
                           const wchar_t* parameters,
                           const wchar_t* directory,
                           int show) {
    return ShellExecuteW(owner, verb, file, parameters, directory, show);
}

int realMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
    return MessageBoxW(owner, text, caption, type);
}

}  // namespace

ShellEnvironment defaultShellEnvironment() {
    return ShellEnvironment{&realShellExecute, &realMessageBox, &getUserData, &doLoadInfo};
}

ShellEnvironment& shellEnvironment() {
    static ShellEnvironment environment = defaultShellEnvironment();
    return environment;
}
