#pragma once

#include <windows.h>

#include <string>

// The name of the mutex that decides which process is the first.
inline constexpr wchar_t kInstanceMutexName[] = L"BravikPdfEditor.exe";

// Held by a second instance from storing its command line until the running instance has taken
// it, so launches at the same moment hand over one after the other instead of overwriting the key.
inline constexpr wchar_t kHandOffMutexName[] = L"BravikPdfEditor.exe.openDocPath";

// How long a second instance waits for the running instance's main window: that instance may
// still be starting, with up to three account requests of at most 10 seconds each before its
// window exists, then the control's registration and the window itself on a slow machine.
inline constexpr DWORD kMainWindowWaitMs = 60000;
// How long it waits for its turn behind other second instances. Each turn lasts until the running
// instance has opened the documents; its UI thread may be busy in an account request meanwhile.
inline constexpr DWORD kHandOffTurnWaitMs = 60000;

// Creates (or opens) the mutex; false when it already existed, so another instance runs. The
// first instance owns the mutex until it ends, so a second one sees it gone when the mutex comes
// free. The handle is never closed: the mutex lives as long as this process. A failure to create
// it counts as the first instance.
bool claimFirstInstance();

// Marks the first instance's main window, once it can open documents, as the one a second
// instance hands over to; the guide tour carries the same title, and so may any other program's
// window.
void markMainWindow(HWND window);

// The marked top-level window with the application title, or null.
HWND findRunningMainWindow();

// A second instance: waits (bounded) for the running main window, then, in its turn, stores the
// command line in the settings key openDocPath, sends that window WM_OPEN_PENDING_DOC, waits for
// it and shows the window minimised, then normal. False, with nothing stored, when no window came,
// the running instance ended or the turn did not come.
bool handOverToRunningInstance(const wchar_t* commandLine);

// The settings key openDocPath holds the command line in the form of encodeHandOffText, which
// survives the settings file exactly; the key is empty at rest.
bool storePendingCommandLine(const wchar_t* commandLine);
// The stored command line, the key emptied first; empty when none or when the value is damaged.
std::wstring takePendingCommandLine();
