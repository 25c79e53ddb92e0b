// Shows one window of the program built from its layout, at the top-left corner of the screen, so
// it can be looked at or captured. Not a test: the screenshots script drives it.
//
//   res_preview.exe LAYOUT [--seconds N] [--fill FILE]
//
// FILE (UTF-8, so texts need not pass through the command line's code page) fills the window the
// way its code does, one change a line, fields separated by tabs:
//   text <name> <text>
//   attr <name> <attribute> <value>

#include <windows.h>

#include <soui/soui.h>

#include <cstdio>
#include <cwchar>
#include <fstream>
#include <string>
#include <vector>

#include "ui_library.h"

namespace {

constexpr UINT_PTR kQuitTimer = 1;

void CALLBACK onQuitTimer(HWND wnd, UINT, UINT_PTR, DWORD) {
    DestroyWindow(wnd);
}

int fail(const std::wstring& message) {
    fwprintf(stderr, L"res_preview: %ls\n", message.c_str());
    return 1;
}

std::wstring fromUtf8(const std::string& text) {
    std::wstring out(text.size(), L'\0');
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                      static_cast<int>(out.size()));
    out.resize(n > 0 ? n : 0);
    return out;
}

std::vector<std::wstring> splitTabs(const std::wstring& line) {
    std::vector<std::wstring> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find(L'\t', start)) != std::wstring::npos; start = tab + 1) {
        fields.push_back(line.substr(start, tab - start));
    }
    fields.push_back(line.substr(start));
    return fields;
}

// Empty on success, else what failed.
std::wstring fill(SOUI::SHostWnd& host, const wchar_t* path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::wstring(L"cannot read ") + path;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        const auto fields = splitTabs(fromUtf8(line));
        SOUI::SWindow* element = fields.size() >= 2 ? host.FindChildByName(fields[1].c_str()) : nullptr;
        if (!element)
            return L"no element in: " + fromUtf8(line);
        if (fields[0] == L"text" && fields.size() == 3) {
            element->SetWindowText(fields[2].c_str());
        } else if (fields[0] == L"attr" && fields.size() == 4) {
            element->SetAttribute(fields[2].c_str(), fields[3].c_str(), FALSE);
        } else {
            return L"bad line: " + fromUtf8(line);
        }
    }
    return {};
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return fail(L"usage: res_preview LAYOUT [--seconds N] [--text NAME TEXT] [--attr NAME ATTR VALUE]");
    resfixture::UiLibrary library;
    if (const std::wstring error = library.start(); !error.empty())
        return fail(error);

    SOUI::SHostWnd host((L"LAYOUT:" + std::wstring(argv[1])).c_str());
    if (!host.Create(nullptr))
        return fail(L"layout did not build");

    UINT seconds = 0;
    for (int i = 2; i < argc; ++i) {
        const std::wstring option = argv[i];
        if (option == L"--seconds" && i + 1 < argc) {
            seconds = static_cast<UINT>(_wtoi(argv[++i]));
        } else if (option == L"--fill" && i + 1 < argc) {
            if (const std::wstring error = fill(host, argv[++i]); !error.empty())
                return fail(error);
        } else {
            return fail(L"unknown option " + option);
        }
    }

    SetWindowPos(host.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    if (seconds)
        SetTimer(host.m_hWnd, kQuitTimer, seconds * 1000, onQuitTimer);
    library.app()->Run(host.m_hWnd);
    SOUI::SFlushDeferredDeletes();
    return 0;
}
