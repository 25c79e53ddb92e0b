#include "SingleInstance.h"

#include <string_view>
#include <vector>

#include "CommandLineCutter.h"
#include "HandOffText.h"
#include "MainDlg.h"
#include "ShellDialogs.h"
#include "WatchedSend.h"
#include "classlib/Wnd.h"
#include "foundation/AppState.h"
#include "foundation/UniqueHandle.h"
#include "foundation/Utf16Units.h"

namespace {

constexpr wchar_t kPendingKey[] = L"openDocPath";
// A window property: present only on the first instance's main window.
constexpr wchar_t kMainWindowMark[] = L"BravikPdfEditor.mainWindow";
constexpr DWORD kPollMs = 100;

// The instance mutex of this process; never closed.
HANDLE g_instanceMutex = nullptr;

// The first instance holds the instance mutex as long as it runs. When it has ended (the mutex
// is free, or abandoned by a process that ended) this process takes it and keeps it, as the first
// instance does, and so becomes the first instance.
bool takeInstanceWhenFree() {
    if (!g_instanceMutex) {
        return false;
    }
    const DWORD result = WaitForSingleObject(g_instanceMutex, 0);
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

bool isMarkedMainWindow(HWND window) {
    return IsWindow(window) && GetPropW(window, kMainWindowMark);
}

ULONGLONG elapsedSince(ULONGLONG start) {
    return GetTickCount64() - start;
}

// What a step of the road came to.
enum class Step {
    Done,          // the documents reached the running instance
    WindowWent,    // the window went before it took them: look again
    BecameFirst,   // the running instance ended: this process is the first instance now
    NotAnswering,  // no window came, or it left the hand-off untaken
    NotWritten,    // neither the settings nor the messages could carry the documents
};

struct WindowWait {
    Step step;
    HWND window;
};

WindowWait waitForRunningMainWindow() {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        if (HWND window = findRunningMainWindow()) {
            return {Step::Done, window};
        }
        if (takeInstanceWhenFree()) {
            return {Step::BecameFirst, nullptr};
        }
        if (elapsedSince(start) >= kMainWindowWaitMs) {
            return {Step::NotAnswering, nullptr};
        }
        Sleep(kPollMs);
    }
}

// This process's turn to use the settings key, released when it goes. An abandoned mutex (a
// second instance that died in its turn) counts as taken. Without the mutex the hand-off goes on
// unordered.
class HandOffTurn {
  public:
    HandOffTurn() : mutex_(CreateMutexW(nullptr, FALSE, kHandOffMutexName)) {}
    ~HandOffTurn() { release(); }
    HandOffTurn(const HandOffTurn&) = delete;
    HandOffTurn& operator=(const HandOffTurn&) = delete;

    bool take(DWORD waitMs) {
        if (!mutex_.valid()) {
            return true;
        }
        if (!held_) {
            const DWORD result = WaitForSingleObject(mutex_.get(), waitMs);
            held_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
        }
        return held_;
    }
    void release() {
        if (held_) {
            ReleaseMutex(mutex_.get());
            held_ = false;
        }
    }

  private:
    UniqueHandle mutex_;
    bool held_ = false;
};

// The turn comes when the launches before this one have handed over; it may take as long as the
// running instance keeps their handlers busy (a question to the user), so there is no bound while
// that instance runs and its window is there.
Step waitForTurn(HandOffTurn& turn, HWND window) {
    for (;;) {
        if (turn.take(kPollMs)) {
            return isMarkedMainWindow(window) ? Step::Done : Step::WindowWent;
        }
        if (takeInstanceWhenFree()) {
            return Step::BecameFirst;
        }
        if (!isMarkedMainWindow(window)) {
            return Step::WindowWent;
        }
    }
}

// The command line as the key holds it.
SOUI::SStringW storedForm(const wchar_t* commandLine) {
    const std::u16string encoded = encodeHandOffText(toUtf16(commandLine ? commandLine : L""));
    return SOUI::SStringW(fromUtf16(encoded).c_str());
}

bool keyStillHolds(const SOUI::SStringW& stored) {
    return g_appState.readAppString(kPendingKey) == stored;
}

// Our text out of the key again, so that a handler that runs later opens nothing.
void takeBack(const SOUI::SStringW& stored) {
    if (keyStillHolds(stored)) {
        g_appState.writeAppString(kPendingKey, L"");
    }
}

// The running instance empties the key first thing in its handler, so a key that no longer holds
// our text has been taken; from then on the handler may run as long as it needs.
Step deliverThroughSettings(HWND window, const SOUI::SStringW& stored) {
    WatchedSend send(window, WM_OPEN_PENDING_DOC);
    if (!send.started()) {
        takeBack(stored);
        return Step::NotAnswering;
    }
    const ULONGLONG start = GetTickCount64();
    bool taken = false;
    for (;;) {
        if (send.returned(kPollMs)) {
            if (send.answered() && !keyStillHolds(stored)) {
                return Step::Done;
            }
            // The window went before its handler ran, or the instance ended inside it: what it
            // took went with it.
            takeBack(stored);
            return Step::WindowWent;
        }
        taken = taken || !keyStillHolds(stored);
        if (takeInstanceWhenFree()) {
            // It ended, with or without our text: this process opens its own documents.
            takeBack(stored);
            return Step::BecameFirst;
        }
        if (!taken && !IsWindow(window)) {
            takeBack(stored);
            return Step::WindowWent;
        }
        if (!taken && elapsedSince(start) >= kHandOffAnswerWaitMs) {
            takeBack(stored);
            return Step::NotAnswering;
        }
    }
}

// Whether the window's thread takes messages: a probe that does nothing, answered within a slice.
bool answers(HWND window) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kPollMs, &ignored) != 0;
}

// One path by WM_COPYDATA. The handler may ask the user (a missing file), so the send is not
// bounded while the window's thread goes on taking messages.
Step sendPath(HWND window, const std::wstring& path) {
    WatchedSend send(window, WM_COPYDATA, path);
    if (!send.started()) {
        return Step::NotAnswering;
    }
    ULONGLONG lastAnswer = GetTickCount64();
    for (;;) {
        if (send.returned(kPollMs)) {
            // The main window answers 1 whether or not the file opened; anything else is no handler.
            return send.answered() && send.result() == 1 ? Step::Done : Step::WindowWent;
        }
        if (!IsWindow(window)) {
            return Step::WindowWent;
        }
        if (answers(window)) {
            lastAnswer = GetTickCount64();
        } else if (elapsedSince(lastAnswer) >= kHandOffAnswerWaitMs) {
            return Step::NotAnswering;
        }
    }
}

// The settings could not carry the command line: each path goes by WM_COPYDATA, which the main
// window opens one at a time, in the order the running instance would open the list.
Step deliverEachPath(HWND window, const wchar_t* commandLine) {
    const std::vector<std::wstring> paths = copyDataPathsOf(commandLine ? commandLine : L"");
    for (size_t i = 0; i < paths.size(); ++i) {
        const Step step = sendPath(window, paths[i]);
        if (step == Step::WindowWent && i > 0) {
            return Step::NotWritten;  // some paths reached a window that went: none may be sent twice
        }
        if (step != Step::Done) {
            return step;
        }
    }
    return Step::Done;
}

Step deliver(HWND window, const wchar_t* commandLine) {
    if (storePendingCommandLine(commandLine)) {
        return deliverThroughSettings(window, storedForm(commandLine));
    }
    return deliverEachPath(window, commandLine);
}

void tellNotHandedOver(Step step) {
    runPrompt(step == Step::NotWritten ? kHandOffNotWritten : kHandOffNotAnswering, nullptr);
}

struct WindowSearch {
    std::wstring_view title;
    HWND found = nullptr;
};

BOOL CALLBACK matchMainWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    if (!GetPropW(window, kMainWindowMark)) {
        return TRUE;
    }
    // Another process's window title is read without a message, so a busy window cannot stall this.
    std::wstring title(search->title.size() + 2, L'\0');
    const int length = GetWindowTextW(window, title.data(), static_cast<int>(title.size()));
    if (std::wstring_view(title.data(), static_cast<size_t>(length > 0 ? length : 0)) != search->title) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

}  // namespace

bool claimFirstInstance() {
    g_instanceMutex = CreateMutexW(nullptr, TRUE, kInstanceMutexName);
    return GetLastError() != ERROR_ALREADY_EXISTS;
}

void markMainWindow(HWND window) {
    SetPropW(window, kMainWindowMark, reinterpret_cast<HANDLE>(1));
}

void unmarkMainWindow(HWND window) {
    RemovePropW(window, kMainWindowMark);
}

HWND findRunningMainWindow() {
    WindowSearch search{std::wstring_view(g_appState.title.c_str(), static_cast<size_t>(g_appState.title.GetLength()))};
    EnumWindows(&matchMainWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HandOffResult handOverToRunningInstance(const wchar_t* commandLine) {
    HandOffTurn turn;
    for (;;) {
        const WindowWait found = waitForRunningMainWindow();
        Step step = found.step;
        if (step == Step::Done) {
            step = waitForTurn(turn, found.window);
        }
        if (step == Step::Done) {
            step = deliver(found.window, commandLine);
        }
        switch (step) {
            case Step::Done: {
                CWnd* running = CWnd::FromHandle(found.window);
                running->ShowWindow(SW_MINIMIZE);
                running->ShowWindow(SW_SHOWNORMAL);
                return HandOffResult::HandedOver;
            }
            case Step::WindowWent:
                // The running instance is ending, or another launch has taken its place: the next
                // look finds the new window or the free mutex.
                turn.release();
                continue;
            case Step::BecameFirst:
                return HandOffResult::BecameFirstInstance;
            case Step::NotAnswering:
            case Step::NotWritten:
                turn.release();  // the launches behind this one need not wait for the prompt
                tellNotHandedOver(step);
                return HandOffResult::NotHandedOver;
        }
    }
}

bool storePendingCommandLine(const wchar_t* commandLine) {
    return g_appState.writeAppString(kPendingKey, storedForm(commandLine));
}

std::wstring takePendingCommandLine() {
    const SOUI::SStringW stored = g_appState.readAppString(kPendingKey);
    // Emptied before anything is opened, so the next hand-off starts from an empty key.
    g_appState.writeAppString(kPendingKey, L"");
    const auto text = decodeHandOffText(toUtf16(stored.str()));
    return text ? fromUtf16(*text) : std::wstring();
}
