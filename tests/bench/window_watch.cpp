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

namespace {

constexpr DWORD kAwaitLimitMs = 120000;
// The UI library's inspection protocol (see its core/ElementQueries.cpp).
constexpr ULONG_PTR kInspectMagic = 0x534F5549;
constexpr wchar_t kInspectorClass[] = L"SOUI.Inspector";

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

std::wstring g_inspectorAnswer;

LRESULT CALLBACK inspectorReplyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (message != WM_COPYDATA || !data || data->dwData != kInspectMagic || !data->lpData) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    g_inspectorAnswer.assign(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
    g_inspectorAnswer.resize(wcslen(g_inspectorAnswer.c_str()));
    return TRUE;
}

HWND inspectorReplyWindow() {
    static HWND reply = nullptr;
    if (!reply) {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = inspectorReplyProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"BenchWatchInspectorReply";
        RegisterClassW(&windowClass);
        reply = CreateWindowW(windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              windowClass.hInstance, nullptr);
    }
    return reply;
}

// The inspection window's record of the host window's element of that name ("found=1\t...\ttext=..."),
// empty when the window's process has no inspection window or it does not answer.
std::wstring elementRecord(HWND host, const std::wstring& element) {
    DWORD process = 0;
    GetWindowThreadProcessId(host, &process);
    const std::wstring title = std::wstring(kInspectorClass) + L"." + std::to_wstring(process);
    HWND inspector = FindWindowExW(HWND_MESSAGE, nullptr, kInspectorClass, title.c_str());
    if (!inspector) {
        return {};
    }
    HWND reply = inspectorReplyWindow();
    const std::wstring request = L"reply=" + std::to_wstring(reinterpret_cast<UINT_PTR>(reply)) + L"\ncmd=find\nhost=" +
                                 std::to_wstring(reinterpret_cast<UINT_PTR>(host)) + L"\nname=" + element + L"\n";
    COPYDATASTRUCT data = {kInspectMagic, static_cast<DWORD>((request.size() + 1) * sizeof(wchar_t)),
                           const_cast<wchar_t*>(request.c_str())};
    g_inspectorAnswer.clear();
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(inspector, WM_COPYDATA, reinterpret_cast<WPARAM>(reply), reinterpret_cast<LPARAM>(&data),
                        SMTO_ABORTIFHUNG, 10000, &ignored);
    return g_inspectorAnswer.substr(0, g_inspectorAnswer.find(L'\n'));
}

// One field of an inspection record, its escapes (\t, \n, \\) undone.
std::wstring recordField(const std::wstring& record, const std::wstring& key) {
    const std::wstring fields = L"\t" + record;
    const size_t at = fields.find(L"\t" + key + L"=");
    if (at == std::wstring::npos) {
        return {};
    }
    std::wstring value;
    for (size_t i = at + key.size() + 2; i < fields.size() && fields[i] != L'\t'; ++i) {
        if (fields[i] == L'\\' && i + 1 < fields.size()) {
            ++i;
            value += fields[i] == L't' ? L'\t' : fields[i] == L'n' ? L'\n' : fields[i];
        } else {
            value += fields[i];
        }
    }
    return value;
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
    const std::wstring record = elementRecord(window, road.element);
    if (recordField(record, L"visible") != L"1" || recordField(record, L"text") != road.text) {
        return "the element " + wideToUtf8(road.element) + " does not show " + wideToUtf8(road.text) + ": " +
               (record.empty() ? std::string("no answer") : wideToUtf8(record));
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
