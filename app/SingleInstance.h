#pragma once

#include <windows.h>

// The name of the mutex that decides which process is the first.
inline constexpr wchar_t kInstanceMutexName[] = L"BravikPdfEditor.exe";

// Creates (or opens) the mutex; false when it already existed, so another instance runs. The
// handle is never closed: the mutex lives as long as this process. A failure to create it counts
// as the first instance.
bool claimFirstInstance();

// A second instance: when the running main window is found by the application title, stores the
// command line in the settings key openDocPath, sends that window WM_OPEN_PENDING_DOC, waits for
// it and shows the window minimised, then normal. False when no window was found (the command
// line is dropped).
bool handOverToRunningInstance(const wchar_t* commandLine);
