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
// How long the running main window may take no message before it counts as not answering: its UI
// thread may be busy in up to three account requests of at most 10 seconds each; one that is
// inside a modal question still takes messages.
inline constexpr DWORD kHandOffAnswerWaitMs = 45000;

// Creates (or opens) the mutex; false when it already existed, so another instance runs. The
// first instance owns the mutex until it ends, so a second one sees it gone when the mutex comes
// free. The handle is never closed: the mutex lives as long as this process. A failure to create
// it counts as the first instance.
bool claimFirstInstance();

// Marks the first instance's main window, once it can open documents, as the one a second
// instance hands over to; the guide tour carries the same title, and so may any other program's
// window. The mark goes with the window (unmarkMainWindow when it is destroyed).
void markMainWindow(HWND window);
void unmarkMainWindow(HWND window);

// The marked top-level window with the application title, or null.
HWND findRunningMainWindow();

enum class HandOffResult {
    HandedOver,           // the running instance took the command line
    BecameFirstInstance,  // the running instance ended first: this process now owns the instance mutex
    NotHandedOver,        // nothing was handed over, and the user has been told
};

// A second instance. Waits (bounded) for the running main window and then, without a bound while
// that window answers, for its turn behind other second instances. In its turn it stores the
// command line in the settings key openDocPath and sends that window WM_OPEN_PENDING_DOC; when the
// settings cannot be written it sends each path by WM_COPYDATA instead. A send the window answered
// is delivered: the window is shown minimised, then normal. It looks again only when the window
// went or the instance ended. A window that does not come, or that takes no message for
// kHandOffAnswerWaitMs, is told to the user in a prompt, and the stored text is taken back.
HandOffResult handOverToRunningInstance(const wchar_t* commandLine);

// The settings key openDocPath holds the command line in the form of encodeHandOffText, which
// survives the settings file exactly; the key is empty at rest.
bool storePendingCommandLine(const wchar_t* commandLine);
// The stored command line, the key emptied in the same step; empty when none or when the value is
// damaged.
std::wstring takePendingCommandLine();
// A launch's own command line out of the key again, checked and emptied in one step, so that the
// running instance takes it or the launch does, never both. True when nothing of it is left in the
// key; false when the running instance has taken it (or the key could not be written).
bool takeBackPendingCommandLine(const wchar_t* commandLine);
