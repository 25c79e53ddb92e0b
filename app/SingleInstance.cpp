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
    WindowWent,    // the window went before it answered: look again
    BecameFirst,   // the running instance ended: this process is the first instance now
    NotAnswering,  // no window came, or it took no message for the bound
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

// Whether the running main window's thread takes messages, judged by probes that do nothing. One
// inside a question to the user takes them; one that has taken none for kHandOffAnswerWaitMs is
// hung or busy beyond what its account requests may take.
class AnswerWatch {
  public:
    explicit AnswerWatch(HWND window) : window_(window), lastAnswer_(GetTickCount64()) {}

    // One probe, answered within a slice or not.
    bool probe() {
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, kPollMs, &ignored)) {
            return false;
        }
        lastAnswer_ = GetTickCount64();
        return true;
    }
    bool silentTooLong() const { return elapsedSince(lastAnswer_) >= kHandOffAnswerWaitMs; }

  private:
    HWND window_;
    ULONGLONG lastAnswer_;
};

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

// The turn comes when the launches before this one have handed over, which takes as long as the
// running instance keeps their handlers in a question: no bound while its window answers. The
// turn is used only once the window has answered in it, so an instance that hangs never gets the
// documents of the launches queued behind it.
Step waitForTurn(HandOffTurn& turn, HWND window, AnswerWatch& watch) {
    if (!turn.take(0)) {
        OutputDebugStringW(L"hand-off: waiting for the turn\n");
    }
    for (;;) {
        const bool ours = turn.take(kPollMs);
        if (takeInstanceWhenFree()) {
            return Step::BecameFirst;
        }
        if (!isMarkedMainWindow(window)) {
            return Step::WindowWent;
        }
        if (watch.probe()) {
            if (ours) {
                return Step::Done;
            }
        } else if (watch.silentTooLong()) {
            return Step::NotAnswering;
        }
    }
}

// The command line as the key holds it.
SOUI::SStringW storedForm(const wchar_t* commandLine) {
    const std::u16string encoded = encodeHandOffText(toUtf16(commandLine ? commandLine : L""));
    return SOUI::SStringW(fromUtf16(encoded).c_str());
}

// Our text out of the key again, so that no handler that runs later opens it. The check and the
// emptying are one step, so the running instance cannot take the text in between. True when
// nothing of ours is left in the key: false when the running instance had taken it already (or the
// key could not be written).
bool takeBack(const SOUI::SStringW& stored) {
    // The key at rest is empty: an empty text leaves nothing to take back.
    return stored.IsEmpty() || g_appState.takeAppString(kPendingKey, stored).emptied;
}

// Watches a send until it ends. One that the window answered delivered its hand-off, whatever the
// handler answered. One that came back unanswered means the window went, unless it is still there.
Step watchSend(const WatchedSend& send, HWND window, AnswerWatch& watch) {
    if (!send.started()) {
        return Step::NotAnswering;
    }
    for (;;) {
        if (send.returned(kPollMs)) {
            if (send.answered()) {
                return Step::Done;
            }
            return IsWindow(window) ? Step::NotAnswering : Step::WindowWent;
        }
        if (!IsWindow(window)) {
            return Step::WindowWent;
        }
        if (!watch.probe() && watch.silentTooLong()) {
            return Step::NotAnswering;
        }
    }
}

// The running instance takes the text out of the key first thing in its handler and may then ask
// the user, which takes as long as it takes while the window answers probes.
Step deliverThroughSettings(HWND window, const SOUI::SStringW& stored, AnswerWatch& watch) {
    const Step step = watchSend(WatchedSend(window, WM_OPEN_PENDING_DOC), window, watch);
    // Whatever came of it, the text leaves the key: a handler whose emptying failed left it there,
    // and a window that went or hangs must not open it later. A handler that has taken it opens it
    // when it goes on.
    takeBack(stored);
    return step;
}

// The settings could not carry the command line: each path goes by WM_COPYDATA, which the main
// window opens one at a time, in the order the running instance would open the list.
Step deliverEachPath(HWND window, const wchar_t* commandLine, AnswerWatch& watch) {
    const std::vector<std::wstring> paths = copyDataPathsOf(commandLine ? commandLine : L"");
    for (size_t i = 0; i < paths.size(); ++i) {
        const Step step = watchSend(WatchedSend(window, WM_COPYDATA, paths[i]), window, watch);
        if (step == Step::WindowWent && i > 0) {
            return Step::NotWritten;  // some paths reached a window that went: none may be sent twice
        }
        if (step != Step::Done) {
            return step;
        }
    }
    return Step::Done;
}

Step deliver(HWND window, const wchar_t* commandLine, AnswerWatch& watch) {
    if (storePendingCommandLine(commandLine)) {
        return deliverThroughSettings(window, storedForm(commandLine), watch);
    }
    return deliverEachPath(window, commandLine, watch);
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
            AnswerWatch watch(found.window);
            step = waitForTurn(turn, found.window, watch);
            if (step == Step::Done) {
                step = deliver(found.window, commandLine, watch);
            }
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
                // look finds the new window or the free mutex. Nothing else goes round again.
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
    // Emptied before anything is opened, so the next hand-off starts from an empty key, and in the
    // same step as the read, so the launch cannot take its text back in between.
    const SOUI::SStringW stored = g_appState.takeAppString(kPendingKey).value;
    const auto text = decodeHandOffText(toUtf16(stored.str()));
    return text ? fromUtf16(*text) : std::wstring();
}

bool takeBackPendingCommandLine(const wchar_t* commandLine) {
    return takeBack(storedForm(commandLine));
}
