// window_watch: the benchmark's eyes inside the Wine session. It reads commands from stdin, one a
// line, and answers each with one line on stdout, as soon as it knows:
//
//   await TITLE   polls every millisecond for a visible top-level window with exactly that title,
//                 sends it WM_NULL and waits for the answer (the window's thread has left its
//                 start-up and pumps messages), then polls until neither it nor any of its child
//                 windows has a part left to paint (the first paint is done): "shown", or
//                 "timeout" after two minutes
//   close TITLE   posts WM_CLOSE to that window: "closed", or "absent"
//   child CLASS TITLE
//                 "present" when that window holds a visible child window of the window class
//                 CLASS (at any depth), else "absent"
//
// Ends at the end of its input. The benchmark takes its own clock when an answer arrives, so the
// latency of the pipe is the same for the program and for its baseline.
#include <windows.h>

#include <stdio.h>

#include <string>

namespace {

constexpr DWORD kAwaitLimitMs = 120000;

struct WindowQuery {
    const std::wstring* title;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM parameter) {
    auto* query = reinterpret_cast<WindowQuery*>(parameter);
    if (!IsWindowVisible(window)) {
        return TRUE;
    }
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    if (*query->title != text) {
        return TRUE;
    }
    query->found = window;
    return FALSE;
}

HWND findVisible(const std::wstring& title) {
    WindowQuery query{&title, nullptr};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

BOOL CALLBACK findUnpainted(HWND window, LPARAM parameter) {
    if (IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(parameter) = true;
        return FALSE;
    }
    return TRUE;
}

bool painted(HWND window) {
    bool unpainted = GetUpdateRect(window, nullptr, FALSE) != FALSE;
    if (!unpainted) {
        EnumChildWindows(window, findUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    }
    return !unpainted;
}

const char* await(const std::wstring& title) {
    const ULONGLONG limit = GetTickCount64() + kAwaitLimitMs;
    HWND window = nullptr;
    while (!window && GetTickCount64() < limit) {
        window = findVisible(title);
        if (!window) {
            Sleep(1);
        }
    }
    DWORD_PTR ignored = 0;
    if (!window || !SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kAwaitLimitMs, &ignored)) {
        return "timeout";
    }
    while (!painted(window)) {
        if (GetTickCount64() > limit) {
            return "timeout";
        }
        Sleep(1);
    }
    return "shown";
}

struct ChildQuery {
    const std::wstring* windowClass;
    bool found;
};

BOOL CALLBACK matchChild(HWND window, LPARAM parameter) {
    auto* query = reinterpret_cast<ChildQuery*>(parameter);
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    if (IsWindowVisible(window) && *query->windowClass == name) {
        query->found = true;
        return FALSE;
    }
    return TRUE;
}

const char* child(const std::wstring& windowClass, const std::wstring& title) {
    HWND window = findVisible(title);
    ChildQuery query{&windowClass, false};
    if (window) {
        EnumChildWindows(window, matchChild, reinterpret_cast<LPARAM>(&query));
    }
    return query.found ? "present" : "absent";
}

const char* close(const std::wstring& title) {
    HWND window = findVisible(title);
    if (!window) {
        return "absent";
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    return "closed";
}

std::wstring wide(const std::string& utf8) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(size > 0 ? size : 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), size);
    return text;
}

}  // namespace

int main() {
    char line[1024];
    while (fgets(line, sizeof(line), stdin)) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
            text.pop_back();
        }
        const size_t blank = text.find(' ');
        const std::string command = text.substr(0, blank);
        const std::string rest = blank == std::string::npos ? std::string() : text.substr(blank + 1);
        const char* answer = "unknown";
        if (command == "await") {
            answer = await(wide(rest));
        } else if (command == "close") {
            answer = close(wide(rest));
        } else if (command == "child") {
            const size_t split = rest.find(' ');
            answer = split == std::string::npos ? "unknown"
                                                : child(wide(rest.substr(0, split)), wide(rest.substr(split + 1)));
        }
        printf("%s\n", answer);
        fflush(stdout);
    }
    return 0;
}
