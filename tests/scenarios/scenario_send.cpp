// scenario_send: sends window messages to the running program and reads its standard windows, as
// another process would.
//
//   scenario_send copydata TITLE PATH            WM_COPYDATA with PATH as zero-terminated UTF-16
//   scenario_send message TITLE NUMBER [WPARAM [LPARAM]]
//                                                the message NUMBER (numbers decimal or 0x hex)
//   scenario_send save TITLE                     asks the PDF control inside the window to save its
//                                                active document (the control's WM_COPYDATA hook);
//                                                the result: 1 saved, 0 stopped, 255 no document
//   scenario_send modify TITLE                   gives the control's active document unsaved changes
//                                                (1 marked, 255 no document)
//   scenario_send close TITLE                    closes the control's active document as the user
//                                                does; 1 closed, 0 kept open by the user (the control
//                                                asks in a message box first), 255 no document
//   scenario_send window TITLE                   prints hwnd, visible, zoomed, iconic of the window
//   scenario_send toggle TITLE                   maximises and restores the window in turn (each
//                                                WM_SYSCOMMAND returns once its handler is done)
//                                                until the window is gone; 0
//   scenario_send terminate TITLE [PATTERN]      ends the window's process with TerminateProcess, as
//                                                the task manager's End task does, and waits for its
//                                                end: at once, or as soon as a file matches PATTERN
//                                                (as FindFirstFile matches it); 0 ended, 1 not, 2 no
//                                                such file within 10 seconds
//   scenario_send dialogs                        prints every shown standard dialog (#32770): hwnd,
//                                                caption, owner, its static texts and its buttons
//   scenario_send press HWND BUTTON_ID           clicks the dialog's button (BM_CLICK, posted)
//   scenario_send process-windows HWND           prints every shown top-level window of the process
//                                                that owns HWND: hwnd, class, caption
//   scenario_send titled-windows TITLE           prints every shown top-level window with the title:
//                                                hwnd, process (read without a message to them)
//   scenario_send hold-instance SECONDS          holds the program's instance mutex for SECONDS, as a
//                                                first instance without its main window yet does;
//                                                prints owned=1 once it owns the mutex (owned=0 when
//                                                it existed already)
//   scenario_send processes-ended NAME SECONDS   waits until no process of the executable NAME
//                                                (its file name, e.g. Updrell.exe) runs: 0 none
//                                                left, 1 still running after SECONDS
//   scenario_send title-window TITLE SECONDS     shows a top-level window of its own with the title
//                                                for SECONDS, printing hwnd= once it is there; the
//                                                exit code is the number of WM_USER+16 messages it
//                                                received
//   scenario_send suspend TITLE FILE             suspends the thread of the window from outside (it
//                                                takes no message meanwhile), printing suspended=1
//                                                once it is, and resumes it as soon as FILE exists
//                                                (at most 10 minutes later); 0 resumed, 1 not
//                                                suspended
//   scenario_send hold-file PATH SECONDS         holds the file open without sharing for SECONDS, as
//                                                another program may; prints held=1 once it holds
//                                                it (held=0, exit code 1, when it cannot)
//   scenario_send debug-output FILE SECONDS      receives every process's debugger output for
//                                                SECONDS, as a debug viewer does, appending each
//                                                piece to FILE as a line pid=, text= (UTF-8);
//                                                prints listening=1 once it receives
//   scenario_send processes NAME                 prints count= the number of processes of the
//                                                executable NAME (exit code 1 when it cannot tell)
//   scenario_send foreground                     prints hwnd, caption of the foreground window
//
// The window is found by its title. Output: UTF-8 lines of tab-separated key=value fields. Exit
// code: the message's result (0-255) or 0 when done, 254 when no window has the title (or no such
// button), 253 for bad usage.
#include <windows.h>

#include <pdfcontrol/TestHooks.h>
#include <stdio.h>
#include <tlhelp32.h>

#include <cstring>
#include <cwchar>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string utf8(const std::wstring& text) {
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n > 0 ? n : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    return bytes;
}

void print(const std::wstring& line) {
    const std::string bytes = utf8(line + L"\n");
    fwrite(bytes.data(), 1, bytes.size(), stdout);
    fflush(stdout);
}

std::wstring hex(HWND window) {
    wchar_t text[24] = {};
    _snwprintf(text, 23, L"0x%08lX", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
    return text;
}

std::wstring escaped(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\t') {
            out += L"\\t";
        } else if (c == L'\n') {
            out += L"\\n";
        } else if (c == L'\\') {
            out += L"\\\\";
        } else if (c != L'\r') {
            out += c;
        }
    }
    return out;
}

std::wstring windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

std::wstring className(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 63);
    return name;
}

UINT_PTR number(const wchar_t* text) {
    return static_cast<UINT_PTR>(std::wcstoul(text, nullptr, 0));
}

struct ClassSearch {
    const wchar_t* wanted;
    HWND found;
};

BOOL CALLBACK matchClass(HWND child, LPARAM context) {
    auto* search = reinterpret_cast<ClassSearch*>(context);
    if (className(child) == search->wanted) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

HWND descendantOfClass(HWND parent, const wchar_t* wanted) {
    ClassSearch search = {wanted, nullptr};
    EnumChildWindows(parent, &matchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK collectShownWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<std::pair<const std::function<bool(HWND)>*, std::vector<HWND>>*>(context);
    if (IsWindowVisible(window) && (*search->first)(window)) {
        search->second.push_back(window);
    }
    return TRUE;
}

// The shown top-level windows that `wanted` accepts, topmost first.
std::vector<HWND> shownWindows(const std::function<bool(HWND)>& wanted) {
    std::pair<const std::function<bool(HWND)>*, std::vector<HWND>> search = {&wanted, {}};
    EnumWindows(&collectShownWindow, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

void printDialogs() {
    for (HWND dialog : shownWindows([](HWND window) { return className(window) == L"#32770"; })) {
        std::wstring line = L"hwnd=" + hex(dialog) + L"\tcaption=" + escaped(windowText(dialog)) + L"\towner=" +
                            hex(GetWindow(dialog, GW_OWNER)) + L"\towner_title=" +
                            escaped(windowText(GetWindow(dialog, GW_OWNER)));
        std::wstring texts, buttons;
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            const std::wstring kind = className(child);
            const std::wstring text = escaped(windowText(child));
            if (_wcsicmp(kind.c_str(), L"Static") == 0 && !text.empty()) {
                texts += (texts.empty() ? L"" : L"|") + text;
            } else if (_wcsicmp(kind.c_str(), L"Button") == 0) {
                buttons += (buttons.empty() ? L"" : L"|") + std::to_wstring(GetDlgCtrlID(child)) + L":" + text;
            }
        }
        print(line + L"\ttexts=" + texts + L"\tbuttons=" + buttons);
    }
}

DWORD processOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

void printProcessWindows(HWND anyWindow) {
    const DWORD process = processOf(anyWindow);
    for (HWND window : shownWindows([process](HWND w) { return processOf(w) == process; })) {
        print(L"hwnd=" + hex(window) + L"\tclass=" + escaped(className(window)) + L"\tcaption=" +
              escaped(windowText(window)));
    }
}

void printTitledWindows(const wchar_t* title) {
    for (HWND window : shownWindows([title](HWND w) { return windowText(w) == title; })) {
        print(L"hwnd=" + hex(window) + L"\tprocess=" + std::to_wstring(processOf(window)));
    }
}

int holdInstance(DWORD seconds) {
    HANDLE mutex = CreateMutexW(nullptr, TRUE, L"BravikPdfEditor.exe");
    print(std::wstring(L"owned=") + (mutex && GetLastError() != ERROR_ALREADY_EXISTS ? L"1" : L"0"));
    Sleep(seconds * 1000);
    return 0;  // the mutex is left to the end of the process, as the program leaves it
}

int g_pendingDocMessages = 0;

LRESULT CALLBACK countPendingDoc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_USER + 16) {
        ++g_pendingDocMessages;
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

int showTitleWindow(const wchar_t* title, DWORD seconds) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = &countPendingDoc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ScenarioTitleWindow";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, title, WS_POPUP | WS_VISIBLE, 0, 0, 120, 40, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
    if (!window) {
        return 254;
    }
    print(L"hwnd=" + hex(window));
    const UINT_PTR timer = SetTimer(nullptr, 0, seconds * 1000, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0 && !(msg.message == WM_TIMER && msg.wParam == timer)) {
        DispatchMessageW(&msg);
    }
    DestroyWindow(window);
    return g_pendingDocMessages;
}

int suspendThreadOf(HWND window, const wchar_t* resumeFile) {
    const DWORD threadId = GetWindowThreadProcessId(window, nullptr);
    const std::unique_ptr<void, decltype(&CloseHandle)> thread(OpenThread(THREAD_SUSPEND_RESUME, FALSE, threadId),
                                                               &CloseHandle);
    if (!thread || SuspendThread(thread.get()) == static_cast<DWORD>(-1)) {
        return 1;
    }
    print(L"suspended=1");
    for (int i = 0; i < 6000 && GetFileAttributesW(resumeFile) == INVALID_FILE_ATTRIBUTES; ++i) {
        Sleep(100);
    }
    ResumeThread(thread.get());
    return 0;
}

int holdFile(const wchar_t* path, DWORD seconds) {
    HANDLE file =
        CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    print(std::wstring(L"held=") + (file != INVALID_HANDLE_VALUE ? L"1" : L"0"));
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    Sleep(seconds * 1000);
    CloseHandle(file);
    return 0;
}

// Every process's debugger output, as a debug viewer receives it (the DBWIN_BUFFER section and its
// two events): each piece appended to FILE as a line "pid=<writer>\ttext=<text>", UTF-8.
int listenToDebugOutput(const wchar_t* path, DWORD seconds) {
    constexpr DWORD kSectionSize = 4096;
    const std::unique_ptr<void, decltype(&CloseHandle)> bufferReady(
        CreateEventW(nullptr, FALSE, FALSE, L"DBWIN_BUFFER_READY"), &CloseHandle);
    const std::unique_ptr<void, decltype(&CloseHandle)> dataReady(
        CreateEventW(nullptr, FALSE, FALSE, L"DBWIN_DATA_READY"), &CloseHandle);
    const std::unique_ptr<void, decltype(&CloseHandle)> section(
        CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSectionSize, L"DBWIN_BUFFER"),
        &CloseHandle);
    const char* view =
        section ? static_cast<const char*>(MapViewOfFile(section.get(), FILE_MAP_READ, 0, 0, kSectionSize)) : nullptr;
    print(std::wstring(L"listening=") + (bufferReady && dataReady && view ? L"1" : L"0"));
    if (!bufferReady || !dataReady || !view) {
        return 1;
    }
    for (const DWORD start = GetTickCount(); GetTickCount() - start < seconds * 1000;) {
        SetEvent(bufferReady.get());
        if (WaitForSingleObject(dataReady.get(), 100) != WAIT_OBJECT_0) {
            continue;
        }
        DWORD writer = 0;
        std::memcpy(&writer, view, sizeof writer);
        const std::string piece(view + sizeof writer, strnlen(view + sizeof writer, kSectionSize - sizeof writer));
        const int n = MultiByteToWideChar(CP_ACP, 0, piece.data(), static_cast<int>(piece.size()), nullptr, 0);
        std::wstring text(static_cast<size_t>(n > 0 ? n : 0), L'\0');
        MultiByteToWideChar(CP_ACP, 0, piece.data(), static_cast<int>(piece.size()), text.data(), n);
        const std::string bytes = utf8(L"pid=" + std::to_wstring(writer) + L"\ttext=" + escaped(text) + L"\n");
        if (FILE* out = _wfopen(path, L"ab")) {
            fwrite(bytes.data(), 1, bytes.size(), out);
            fclose(out);
        }
    }
    UnmapViewOfFile(view);
    return 0;
}

// Watches without a pause, so that a file that exists for a moment is seen.
bool waitForFile(const wchar_t* pattern, DWORD timeoutMs) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs;) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(pattern, &found);
        if (search != INVALID_HANDLE_VALUE) {
            FindClose(search);
            return true;
        }
    }
    return false;
}

// Nothing of the process runs after TerminateProcess: none of its code, no clean-up, no flush.
bool terminateProcessOf(HWND window) {
    const std::unique_ptr<void, decltype(&CloseHandle)> process(
        OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processOf(window)), &CloseHandle);
    return process && TerminateProcess(process.get(), 1) && WaitForSingleObject(process.get(), 10000) == WAIT_OBJECT_0;
}

// How many processes of the executable run; -1 when that cannot be told.
int processCount(const wchar_t* exeName) {
    const std::unique_ptr<void, decltype(&CloseHandle)> snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0),
                                                                 &CloseHandle);
    if (snapshot.get() == INVALID_HANDLE_VALUE) {
        return -1;
    }
    int count = 0;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
        count += _wcsicmp(entry.szExeFile, exeName) == 0;
    }
    return count;
}

bool processRuns(const wchar_t* exeName) {
    return processCount(exeName) != 0;  // one that cannot tell counts as running
}

int waitForProcessesEnded(const wchar_t* exeName, DWORD seconds) {
    for (const DWORD start = GetTickCount(); processRuns(exeName); Sleep(100)) {
        if (GetTickCount() - start >= seconds * 1000) {
            return 1;
        }
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        return 253;
    }
    const std::wstring command = argv[1];
    if (command == L"dialogs" && argc == 2) {
        printDialogs();
        return 0;
    }
    if (command == L"press" && argc == 4) {
        HWND dialog = reinterpret_cast<HWND>(number(argv[2]));
        HWND button = IsWindow(dialog) ? GetDlgItem(dialog, static_cast<int>(number(argv[3]))) : nullptr;
        if (!button) {
            return 254;
        }
        PostMessageW(button, BM_CLICK, 0, 0);
        return 0;
    }
    if (command == L"process-windows" && argc == 3) {
        HWND window = reinterpret_cast<HWND>(number(argv[2]));
        if (!IsWindow(window)) {
            return 254;
        }
        printProcessWindows(window);
        return 0;
    }
    if (command == L"titled-windows" && argc == 3) {
        printTitledWindows(argv[2]);
        return 0;
    }
    if (command == L"hold-instance" && argc == 3) {
        return holdInstance(static_cast<DWORD>(number(argv[2])));
    }
    if (command == L"processes-ended" && argc == 4) {
        return waitForProcessesEnded(argv[2], static_cast<DWORD>(number(argv[3])));
    }
    if (command == L"title-window" && argc == 4) {
        return showTitleWindow(argv[2], static_cast<DWORD>(number(argv[3])));
    }
    if (command == L"hold-file" && argc == 4) {
        return holdFile(argv[2], static_cast<DWORD>(number(argv[3])));
    }
    if (command == L"debug-output" && argc == 4) {
        return listenToDebugOutput(argv[2], static_cast<DWORD>(number(argv[3])));
    }
    if (command == L"processes" && argc == 3) {
        const int count = processCount(argv[2]);
        print(L"count=" + std::to_wstring(count));
        return count < 0 ? 1 : 0;
    }
    if (command == L"foreground" && argc == 2) {
        HWND window = GetForegroundWindow();
        print(L"hwnd=" + hex(window) + L"\tcaption=" + escaped(windowText(window)));
        return 0;
    }
    if (argc < 3) {
        return 253;
    }
    HWND window = FindWindowW(nullptr, argv[2]);
    if (!window) {
        return 254;
    }
    LRESULT result = 0;
    if (command == L"copydata" && argc == 4) {
        std::wstring path = argv[3];
        COPYDATASTRUCT data = {0, static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)), path.data()};
        result = SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    } else if (command == L"message" && argc >= 4 && argc <= 6) {
        const WPARAM wParam = argc > 4 ? number(argv[4]) : 0;
        const LPARAM lParam = argc > 5 ? static_cast<LPARAM>(number(argv[5])) : 0;
        result = SendMessageW(window, static_cast<UINT>(number(argv[3])), wParam, lParam);
    } else if ((command == L"save" || command == L"modify" || command == L"close") && argc == 3) {
        HWND control = descendantOfClass(window, L"PXVControl");
        if (!control) {
            return 254;
        }
        const ULONG_PTR hook = command == L"save"     ? pdfc::kCopyDataPerformSave
                               : command == L"modify" ? pdfc::kCopyDataMarkModified
                                                      : pdfc::kCopyDataCloseDocument;
        COPYDATASTRUCT data = {hook, 0, nullptr};
        result = SendMessageW(control, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    } else if (command == L"toggle" && argc == 3) {
        for (bool maximise = true; IsWindow(window); maximise = !maximise) {
            SendMessageW(window, WM_SYSCOMMAND, maximise ? SC_MAXIMIZE : SC_RESTORE, 0);
        }
    } else if (command == L"terminate" && (argc == 3 || argc == 4)) {
        if (argc == 4 && !waitForFile(argv[3], 10000)) {
            return 2;
        }
        result = terminateProcessOf(window) ? 0 : 1;
    } else if (command == L"suspend" && argc == 4) {
        result = suspendThreadOf(window, argv[3]);
    } else if (command == L"window" && argc == 3) {
        print(L"hwnd=" + hex(window) + L"\tvisible=" + std::to_wstring(IsWindowVisible(window) ? 1 : 0) + L"\tzoomed=" +
              std::to_wstring(IsZoomed(window) ? 1 : 0) + L"\ticonic=" + std::to_wstring(IsIconic(window) ? 1 : 0));
    } else {
        return 253;
    }
    return static_cast<int>(result & 0xFF);
}
