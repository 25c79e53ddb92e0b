// The journal of refusals: a process-wide count, the lines kept for tests in the process, the
// debugger output and, when BRAVIK_SOUI_JOURNAL names one, a file shared by processes, in which
// each process also leaves a start line.
#include "Refusals.h"

#include <windows.h>

#include <soui/SHostWnd.h>
#include <soui/SStrCpCvt.h>
#include <soui/SWindow.h>
#include <soui/TestHooks.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "Internal.h"

namespace SOUI {
namespace {

struct Journal {
    SRWLOCK lock = SRWLOCK_INIT;
    int count = 0;
    std::wstring lines;
};

Journal& journal() {
    static Journal j;
    return j;
}

std::wstring& currentLayout() {
    static std::wstring layout;
    return layout;
}

// The journal file named by the environment, at any length; empty when none is named.
std::wstring journalPath() {
    const DWORD size = GetEnvironmentVariableW(L"BRAVIK_SOUI_JOURNAL", nullptr, 0);
    std::wstring path(size, L'\0');
    const DWORD n = size ? GetEnvironmentVariableW(L"BRAVIK_SOUI_JOURNAL", path.data(), size) : 0;
    path.resize(n < size ? n : 0);
    return path;
}

SStringA utf8(const std::wstring& text) {
    return SStrCpCvt::CvtW2A(SStringW(text.c_str()), CP_UTF8);
}

// One line at a time, opened in append mode: a program that ends abruptly keeps what came before,
// and the program's processes (a second instance too) share one file. A file that cannot be opened
// is said on standard error and the debugger output, never passed over.
void appendToFile(const std::wstring& line) {
    const std::wstring path = journalPath();
    if (path.empty()) {
        return;
    }
    FILE* f = _wfopen(path.c_str(), L"ab");
    if (!f) {
        const std::wstring message = L"soui: the journal \"" + path + L"\" cannot be opened for: " + line + L"\n";
        fputs(utf8(message).c_str(), stderr);
        fflush(stderr);
        OutputDebugStringW(message.c_str());
        return;
    }
    const SStringA bytes = utf8(line + L"\n");
    fwrite(bytes.c_str(), 1, static_cast<size_t>(bytes.GetLength()), f);
    fclose(f);
}

std::wstring executablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// Each process that journals to a file starts with a line of its own, once the library is loaded:
// a watcher of the file tells a process that refused nothing from one whose lines never came.
[[maybe_unused]] const bool g_startJournalled = [] {
    appendToFile(L"started " + executablePath() + L" (process " + std::to_wstring(GetCurrentProcessId()) + L")");
    return true;
}();

}  // namespace

void Refuse(const std::wstring& what, const std::wstring& reason) {
    const std::wstring line = L"refused " + what + L": " + reason;
    Journal& j = journal();
    AcquireSRWLockExclusive(&j.lock);
    ++j.count;
    j.lines += line + L"\n";
    ReleaseSRWLockExclusive(&j.lock);
    SLog(L"%s", line.c_str());
    appendToFile(line);
}

std::wstring DescribeElement(const SWindow* element) {
    if (!element) {
        return L"(no element)";
    }
    ISwndContainer* container = element->GetContainer();
    SHostWnd* host = container ? SHostWnd::FromHwnd(container->GetHostHwnd()) : nullptr;
    std::wstring text = host && static_cast<const SWindow*>(host) == element ? L"<host>" : element->GetObjectClass();
    if (!element->GetName().IsEmpty()) {
        text += L" \"" + std::wstring(element->GetName().c_str()) + L"\"";
    }
    const std::wstring layout = host ? std::wstring(host->GetLayoutName().c_str()) : CurrentLayout();
    if (!layout.empty()) {
        text += L" of " + layout;
    }
    return text;
}

std::wstring QuoteAttribute(const std::wstring& name, const std::wstring& value) {
    return name + L"=\"" + value + L"\"";
}

LayoutScope::LayoutScope(const std::wstring& layout) : outer_(currentLayout()) {
    currentLayout() = layout;
}

LayoutScope::~LayoutScope() {
    currentLayout() = outer_;
}

const std::wstring& CurrentLayout() {
    return currentLayout();
}

}  // namespace SOUI

extern "C" int SouiRefusalCount() {
    SOUI::Journal& j = SOUI::journal();
    AcquireSRWLockShared(&j.lock);
    const int count = j.count;
    ReleaseSRWLockShared(&j.lock);
    return count;
}

extern "C" int SouiRefusalLines(wchar_t* buffer, int capacity) {
    SOUI::Journal& j = SOUI::journal();
    AcquireSRWLockShared(&j.lock);
    const int length = static_cast<int>(j.lines.size());
    if (buffer && capacity > length) {
        wmemcpy(buffer, j.lines.c_str(), static_cast<size_t>(length) + 1);
    }
    ReleaseSRWLockShared(&j.lock);
    return length;
}
