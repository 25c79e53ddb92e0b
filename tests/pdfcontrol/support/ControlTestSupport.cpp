#include "ControlTestSupport.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>

#include "pdfcontrol/TestHooks.h"

namespace pdftest {
namespace {

template <class Fn>
Fn hook(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// A shown standard dialog (#32770) of this process, into the HWND that `context` points to.
BOOL CALLBACK findOwnMessageBox(HWND window, LPARAM context) {
    wchar_t kind[16] = {};
    GetClassNameW(window, kind, 15);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && wcscmp(kind, L"#32770") == 0) {
        *reinterpret_cast<HWND*>(context) = window;
        return FALSE;
    }
    return TRUE;
}

LRESULT CALLBACK hostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

ControlModule::ControlModule(bool registerIt) {
    if (!registerIt) {
        HMODULE loaded = GetModuleHandleW(L"wke.dll");
        if (loaded) {
            module_ = LoadLibraryW(L"wke.dll");  // a reference of our own, given back in the destructor
        }
        return;
    }
    module_ = LoadLibraryW(L"wke.dll");
    if (!module_) {
        return;
    }
    auto registerServer = hook<HRESULT(WINAPI*)()>(module_, "DllRegisterServer");
    registered_ = registerServer && SUCCEEDED(registerServer());
}

ControlModule::~ControlModule() {
    if (module_) {
        FreeLibrary(module_);
    }
}

std::wstring ControlModule::journal() const {
    auto read = hook<pdfc::JournalReadFn>(module_, "PdfcJournalRead");
    if (!read) {
        return L"";
    }
    int length = read(nullptr, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    read(text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

std::vector<std::wstring> ControlModule::journalLines() const {
    std::vector<std::wstring> lines;
    std::wstring text = journal();
    size_t start = 0;
    for (size_t end = text.find(L'\n'); end != std::wstring::npos; end = text.find(L'\n', start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

void ControlModule::clearJournal() const {
    if (auto clear = hook<pdfc::JournalClearFn>(module_, "PdfcJournalClear")) {
        clear();
    }
}

int ControlModule::fireEvent(const wchar_t* name) const {
    auto fire = hook<pdfc::FireEventFn>(module_, "PdfcFireEvent");
    return fire ? fire(name) : -2;
}

int ControlModule::performSave() const {
    auto save = hook<pdfc::PerformSaveFn>(module_, "PdfcPerformSave");
    return save ? save() : -2;
}

void ControlModule::setTabCount(ULONG count) const {
    if (auto set = hook<pdfc::SetTabCountFn>(module_, "PdfcSetTabCount")) {
        set(count);
    }
}

int ControlModule::markModified() const {
    auto mark = hook<pdfc::MarkModifiedFn>(module_, "PdfcMarkModified");
    return mark ? mark() : -2;
}

int ControlModule::closeDocument() const {
    auto close = hook<pdfc::CloseDocumentFn>(module_, "PdfcCloseDocument");
    return close ? close() : -2;
}

void ControlModule::failNextCloseChain() const {
    if (auto fail = hook<pdfc::FailNextCloseChainFn>(module_, "PdfcFailNextCloseChain")) {
        fail();
    }
}

int takeRefusals() {
    static int taken = 0;
    HMODULE module = GetModuleHandleW(L"wke.dll");
    auto count = module ? hook<pdfc::RefusalCountFn>(module, "PdfcRefusalCount") : nullptr;
    const int now = count ? count() : 0;
    const int since = now >= taken ? now - taken : now;  // a module loaded again counts from 0
    taken = now;
    return since;
}

MessageBoxAnswer::MessageBoxAnswer(int buttonId, std::chrono::milliseconds limit)
    : thread_([this, buttonId, limit] { run(buttonId, limit); }) {}

MessageBoxAnswer::~MessageBoxAnswer() {
    finish();
}

bool MessageBoxAnswer::finish() {
    if (thread_.joinable()) {
        thread_.join();
    }
    return answered_;
}

void MessageBoxAnswer::run(int buttonId, std::chrono::milliseconds limit) {
    HWND box = nullptr;
    auto end = std::chrono::steady_clock::now() + limit;
    while (!box && std::chrono::steady_clock::now() < end) {
        Sleep(20);
        EnumWindows(&findOwnMessageBox, reinterpret_cast<LPARAM>(&box));
    }
    HWND button = box ? GetDlgItem(box, buttonId) : nullptr;
    if (!button) {
        return;
    }
    owner_ = GetWindow(box, GW_OWNER);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t kind[16] = {};
        GetClassNameW(child, kind, 15);
        wchar_t line[512] = {};
        if (_wcsicmp(kind, L"Static") == 0 && GetWindowTextW(child, line, 511) > 0) {
            text_ += line;
        }
    }
    answered_ = PostMessageW(button, BM_CLICK, 0, 0) != FALSE;
}

HostWindow::HostWindow() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = hostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BravikTestHost";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassW(&wc);  // fails harmlessly when already registered
    hwnd_ = CreateWindowExW(0, L"BravikTestHost", L"host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 900, 600,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(hwnd_, SW_SHOW);
    pumpPending();
}

HostWindow::~HostWindow() {
    if (hwnd_ && IsWindow(hwnd_)) {
        DestroyWindow(hwnd_);
    }
    pumpPending();
}

void pumpPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        pumpPending();
        if (!done()) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
    }
    return true;
}

std::wstring makeScratchDir(const std::wstring& tag) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    std::wstring dir = std::wstring(temp) + L"bravik-" + tag + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                       std::to_wstring(++counter) + L"\\";
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

void writeSamplePdf(const std::wstring& path, int pages) {
    std::string body = "%PDF-1.4\n1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n";
    std::string kids;
    for (int i = 0; i < pages; ++i) {
        kids += std::to_string(3 + i) + " 0 R ";
    }
    body += "2 0 obj << /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages) + " >> endobj\n";
    for (int i = 0; i < pages; ++i) {
        body += std::to_string(3 + i) + " 0 obj << /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] >> endobj\n";
    }
    body += "trailer << /Root 1 0 R >>\n%%EOF\n";
    writeFileBytes(path, body);
}

void writeFileBytes(const std::wstring& path, const std::string& bytes) {
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (f) {
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
    }
}

std::string readFileBytes(const std::wstring& path) {
    std::string bytes;
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f) {
        return bytes;
    }
    char chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) {
        bytes.append(chunk, n);
    }
    fclose(f);
    return bytes;
}

int findLine(const std::vector<std::wstring>& lines, const std::wstring& part, int from) {
    for (int i = std::max(from, 0); i < static_cast<int>(lines.size()); ++i) {
        if (lines[static_cast<size_t>(i)].find(part) != std::wstring::npos) {
            return i;
        }
    }
    return -1;
}

bool inOrder(const std::vector<std::wstring>& lines, const std::vector<std::wstring>& parts) {
    int at = 0;
    for (const auto& part : parts) {
        int found = findLine(lines, part, at);
        if (found < 0) {
            return false;
        }
        at = found + 1;
    }
    return true;
}

int countLines(const std::vector<std::wstring>& lines, const std::wstring& part) {
    int n = 0;
    for (const auto& line : lines) {
        if (line.find(part) != std::wstring::npos) {
            ++n;
        }
    }
    return n;
}

}  // namespace pdftest
