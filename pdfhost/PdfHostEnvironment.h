#pragma once

#include <windows.h>

#include <string>

namespace PXV {

// What the control's host asks of the platform and of the rest of the program. The program uses
// the real answers (defaults below); tests replace single entries to choose a road, and never run
// the real elevation.
struct PdfHostEnvironment {
    // The per-user cache folder, ending with a backslash.
    std::wstring (*cacheDir)();
    // The file name of the control's module, beside the executable.
    std::wstring (*controlFile)();
    // Whether the process has administrator rights.
    bool (*isUserAdmin)();
    // Starts a program through the shell; the result is not examined.
    void (*shellStart)(const wchar_t* verb,
                       const wchar_t* file,
                       const wchar_t* parameters,
                       const wchar_t* directory,
                       int show);
    // Runs a command line (ANSI code page) and waits for it to end, at most `waitMs` milliseconds.
    void (*runAndWait)(const std::string& commandLine, int show, DWORD waitMs);
};

PdfHostEnvironment& pdfHostEnvironment();
// The real answers, for a test that replaced some and wants them back.
PdfHostEnvironment defaultPdfHostEnvironment();

}  // namespace PXV
