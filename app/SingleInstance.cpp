#include "SingleInstance.h"

#include <string_view>

#include "HandOffText.h"
#include "MainDlg.h"
#include "classlib/Wnd.h"
#include "foundation/AppState.h"
#include "foundation/Utf16Units.h"
#include "foundation/UniqueHandle.h"

namespace {

constexpr wchar_t kPendingKey[] = L"openDocPath";
// A window property: present only on the first instance's main window.
constexpr wchar_t kMainWindowMark[] = L"BravikPdfEditor.mainWindow";
constexpr DWORD kPollMs = 100;

// The instance mutex of this process; never closed.
HANDLE g_instanceMutex = nullptr;

// True when the mutex could be taken at once: the thread that held it ended (abandoned) or
// nothing holds it. What was taken is given back at once.
bool takeAndRelease(HANDLE mutex) {
    const DWORD result = WaitForSingleObject(mutex, 0);
    if (result != WAIT_OBJECT_0 && result != WAIT_ABANDONED) {
        return false;
    }
    ReleaseMutex(mutex);
    return true;
}

// The first instance holds the instance mutex as long as it runs.
bool firstInstanceEnded() {
    return g_instanceMutex && takeAndRelease(g_instanceMutex);
}

HWND waitForRunningMainWindow() {
    const ULONGLONG deadline = GetTickCount64() + kMainWindowWaitMs;
    for (;;) {
        if (HWND window = findRunningMainWindow()) {
            return window;
        }
        if (firstInstanceEnded() || GetTickCount64() >= deadline) {
            return nullptr;
        }
        Sleep(kPollMs);
    }
}

// This process's turn to use the settings key, released when it goes. An abandoned mutex (a
// second instance that died in its turn) counts as taken.
class HandOffTurn {
  public:
    HandOffTurn() : mutex_(CreateMutexW(nullptr, FALSE, kHandOffMutexName)) {
        if (mutex_.valid()) {
            const DWORD result = WaitForSingleObject(mutex_.get(), kHandOffTurnWaitMs);
            held_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
        }
    }
    ~HandOffTurn() {
        if (held_) {
            ReleaseMutex(mutex_.get());
        }
    }
    HandOffTurn(const HandOffTurn&) = delete;
    HandOffTurn& operator=(const HandOffTurn&) = delete;

    bool held() const { return held_; }

  private:
    UniqueHandle mutex_;
    bool held_ = false;
};

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

HWND findRunningMainWindow() {
    WindowSearch search{std::wstring_view(g_appState.title.c_str(), static_cast<size_t>(g_appState.title.GetLength()))};
    EnumWindows(&matchMainWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool handOverToRunningInstance(const wchar_t* commandLine) {
    if (!waitForRunningMainWindow()) {
        return false;
    }
    HandOffTurn turn;
    if (!turn.held()) {
        return false;
    }
    // Found again in this turn: the window may have gone while others handed over.
    CWnd* running = CWnd::FromHandle(findRunningMainWindow());
    if (!running) {
        return false;
    }
    storePendingCommandLine(commandLine);
    // Returns once the first instance has emptied the key and opened the documents.
    ::SendMessageW(running->m_hWnd, WM_OPEN_PENDING_DOC, 0, 0);
    // A window that went before it took the message leaves the text behind.
    if (!g_appState.readAppString(kPendingKey).IsEmpty()) {
        g_appState.writeAppString(kPendingKey, L"");
    }
    running->ShowWindow(SW_MINIMIZE);
    running->ShowWindow(SW_SHOWNORMAL);
    return true;
}

bool storePendingCommandLine(const wchar_t* commandLine) {
    const std::u16string encoded = encodeHandOffText(toUtf16(commandLine ? commandLine : L""));
    return g_appState.writeAppString(kPendingKey, fromUtf16(encoded).c_str());
}

std::wstring takePendingCommandLine() {
    const SOUI::SStringW stored = g_appState.readAppString(kPendingKey);
    // Emptied before anything is opened, so the next hand-off starts from an empty key.
    g_appState.writeAppString(kPendingKey, L"");
    const auto text = decodeHandOffText(toUtf16(stored.str()));
    return text ? fromUtf16(*text) : std::wstring();
}
