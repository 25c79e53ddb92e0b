// window_watch: the benchmark's eyes inside the Wine session. It reads commands from stdin, one a
// line of tab-separated fields, and answers each with one line on stdout, as soon as it knows:
//
//   await TITLE [CLASS [ELEMENT TEXT]]
//                 polls every millisecond for a visible top-level window with exactly that title,
//                 sends it WM_NULL and waits for the answer (the window's thread has left its
//                 start-up and pumps messages), then polls until the window holds a visible child
//                 window of some size of the window class CLASS (at any depth), the UI library's
//                 element named ELEMENT is visible with the text TEXT (asked of the process's
//                 inspection window, as the tool souispy asks it), and neither the window nor any
//                 of its child windows has a part left to paint: "shown", or "timeout: " and what
//                 was missing, after two minutes
//   close TITLE   posts WM_CLOSE to that window: "closed", or "absent"
//
// Ends at the end of its input. The benchmark takes its own clock when an answer arrives, so the
// latency of the pipe is the same for the program and for its baseline.
#include <windows.h>

#include <foundation/CodePage.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "InspectorClient.h"

namespace {

constexpr DWORD kAwaitLimitMs = 120000;

// What a shown window holds: a child window of a class and an element showing a text, each when named.
struct Road {
    std::wstring title;
    std::wstring childClass;
    std::wstring element;
    std::wstring text;
};

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

struct ChildQuery {
    const std::wstring* windowClass;
    bool found;
};

// A child window of that class that the user can see: visible and of some size.
BOOL CALLBACK matchChild(HWND window, LPARAM parameter) {
    auto* query = reinterpret_cast<ChildQuery*>(parameter);
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    RECT client = {};
    if (IsWindowVisible(window) && *query->windowClass == name && GetClientRect(window, &client) &&
        !IsRectEmpty(&client)) {
        query->found = true;
        return FALSE;
    }
    return TRUE;
}

bool holdsChild(HWND window, const std::wstring& windowClass) {
    ChildQuery query{&windowClass, false};
    EnumChildWindows(window, matchChild, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

// The inspection window's record of the host window's element of that name, empty when the
// window's process has no inspection window or it does not answer.
inspector::Record elementRecord(HWND host, const std::wstring& element) {
    DWORD process = 0;
    GetWindowThreadProcessId(host, &process);
    HWND found = inspector::InspectorOf(process);
    if (!found) {
        return {};
    }
    const std::vector<inspector::Record> records = inspector::Parse(inspector::Ask(
        found, L"cmd=find\nhost=" + std::to_wstring(reinterpret_cast<UINT_PTR>(host)) + L"\nname=" + element + L"\n"));
    return records.empty() ? inspector::Record() : records.front();
}

// One field of an inspection record, its escapes (\t, \n, \\) undone.
std::wstring recordField(const inspector::Record& record, const std::wstring& key) {
    const auto field = record.find(key);
    if (field == record.end()) {
        return {};
    }
    std::wstring value;
    for (size_t i = 0; i < field->second.size(); ++i) {
        const wchar_t c = field->second[i];
        if (c == L'\\' && i + 1 < field->second.size()) {
            ++i;
            value += field->second[i] == L't' ? L'\t' : field->second[i] == L'n' ? L'\n' : field->second[i];
        } else {
            value += c;
        }
    }
    return value;
}

// A record as the inspector sent it, for a message.
std::string recordText(const inspector::Record& record) {
    std::wstring text;
    for (const auto& [key, value] : record) {
        text += (text.empty() ? L"" : L"\t") + key + L"=" + value;
    }
    return wideToUtf8(text);
}

// What the window still lacks of its road; empty once it is all there and painted. The paint is
// looked at last (again after the element), so what came in meanwhile has been drawn too.
std::string missing(HWND window, const Road& road) {
    if (!road.childClass.empty() && !holdsChild(window, road.childClass)) {
        return "no visible child window of the class " + wideToUtf8(road.childClass);
    }
    if (!painted(window)) {
        return "a part left to paint";
    }
    if (road.element.empty()) {
        return {};
    }
    const inspector::Record record = elementRecord(window, road.element);
    if (recordField(record, L"visible") != L"1" || recordField(record, L"text") != road.text) {
        return "the element " + wideToUtf8(road.element) + " does not show " + wideToUtf8(road.text) + ": " +
               (record.empty() ? std::string("no answer") : recordText(record));
    }
    return painted(window) ? std::string() : "a part left to paint";
}

std::string await(const Road& road) {
    const ULONGLONG limit = GetTickCount64() + kAwaitLimitMs;
    HWND window = nullptr;
    while (!window && GetTickCount64() < limit) {
        window = findVisible(road.title);
        if (!window) {
            Sleep(1);
        }
    }
    DWORD_PTR ignored = 0;
    if (!window) {
        return "timeout: no visible window of that title";
    }
    if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kAwaitLimitMs, &ignored)) {
        return "timeout: no answer to WM_NULL";
    }
    for (;;) {
        const std::string lacking = missing(window, road);
        if (lacking.empty()) {
            return "shown";
        }
        if (GetTickCount64() > limit) {
            return "timeout: " + lacking;
        }
        Sleep(1);
    }
}

std::string close(const std::wstring& title) {
    HWND window = findVisible(title);
    if (!window) {
        return "absent";
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    return "closed";
}

std::vector<std::wstring> fields(const std::string& line) {
    std::vector<std::wstring> out;
    size_t at = 0;
    for (size_t tab; (tab = line.find('\t', at)) != std::string::npos; at = tab + 1) {
        out.push_back(utf8ToWide(line.substr(at, tab - at)));
    }
    out.push_back(utf8ToWide(line.substr(at)));
    return out;
}

std::string answer(const std::vector<std::wstring>& command) {
    const auto field = [&command](size_t index) { return index < command.size() ? command[index] : std::wstring(); };
    if (command[0] == L"await" && (command.size() == 2 || command.size() == 3 || command.size() == 5)) {
        return await(Road{field(1), field(2), field(3), field(4)});
    }
    if (command[0] == L"close" && command.size() == 2) {
        return close(command[1]);
    }
    return "unknown";
}

}  // namespace

int main() {
    char line[1024];
    while (fgets(line, sizeof(line), stdin)) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
            text.pop_back();
        }
        printf("%s\n", answer(fields(text)).c_str());
        fflush(stdout);
    }
    return 0;
}
