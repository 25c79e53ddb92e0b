#include "PdfHostEnvironment.h"

#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "PdfHostInputs.h"

namespace PXV {
namespace {

bool realIsUserAdmin() {
    return IsUserAnAdmin() != FALSE;
}

void realShellStart(const wchar_t* verb,
                    const wchar_t* file,
                    const wchar_t* parameters,
                    const wchar_t* directory,
                    int show) {
    ShellExecuteW(nullptr, verb, file, parameters, directory, show);
}

// WinExec starts the command without a way to wait for it; CreateProcess starts the same command
// line and gives the process to wait on.
void realRunAndWait(const std::string& commandLine, int show, DWORD waitMs) {
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return;
    }
    WaitForSingleObject(process.hProcess, waitMs);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace

PdfHostEnvironment defaultPdfHostEnvironment() {
    return PdfHostEnvironment{&hostCacheDir, &hostControlFile, &realIsUserAdmin, &realShellStart, &realRunAndWait};
}

PdfHostEnvironment& pdfHostEnvironment() {
    static PdfHostEnvironment environment = defaultPdfHostEnvironment();
    return environment;
}

}  // namespace PXV
