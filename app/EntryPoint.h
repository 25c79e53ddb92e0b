#pragma once

#include <windows.h>

// The life of the process, from the crash observer to the shut-down: the start-up in its fixed
// order, the message loop of the main window, and the shut-down of the road the process took.
// commandLine is the program's modifiable command line (without the program's own path).
int runEntryPoint(HINSTANCE instance, wchar_t* commandLine);

// Exit codes of the roads that end without a main window because the user's request failed; each
// is told to the user first. A second instance whose documents could not be handed over.
inline constexpr int kExitHandOffFailed = 1;
// A module of the UI library or the web engine is missing, after its message box.
inline constexpr int kExitModuleMissing = 2;
// The PDF control's engine, still not creatable after the registration, after its prompt.
inline constexpr int kExitPdfControlUnavailable = 3;
