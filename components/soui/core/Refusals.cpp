// The journal of refusals: a process-wide count, the lines kept for tests in the process, the
// debugger output and, when BRAVIK_SOUI_JOURNAL names one, a file shared by processes.
#include "Refusals.h"

#include <windows.h>

#include <soui/SHostWnd.h>
#include <soui/SStrCpCvt.h>
#include <soui/SWindow.h>
#include <soui/TestHooks.h>
#include <stdio.h>

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

// One line at a time, opened in append mode: a program that ends abruptly keeps what came before,
// and the program's processes (a second instance too) share one file.
void appendToFile(const std::wstring& line) {
    wchar_t path[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"BRAVIK_SOUI_JOURNAL", path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) {
        return;
    }
    FILE* f = _wfopen(path, L"ab");
    if (!f) {
        return;
    }
    const SStringA bytes = SStrCpCvt::CvtW2A(SStringW((line + L"\n").c_str()), CP_UTF8);
    fwrite(bytes.c_str(), 1, static_cast<size_t>(bytes.GetLength()), f);
    fclose(f);
}

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
