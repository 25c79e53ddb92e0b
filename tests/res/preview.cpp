// Shows one window of the program built from its layout, at the top-left corner of the screen, so
// it can be looked at or captured. Not a test: the screenshots script drives it.
//
//   res_preview.exe LAYOUT [--seconds N] [--text NAME TEXT]... [--attr NAME ATTRIBUTE VALUE]...
//
// --text and --attr fill the window the way its code does (sample texts, a guide page).

#include <windows.h>

#include <soui/soui.h>

#include <cstdio>
#include <cwchar>
#include <string>

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
        } else if (option == L"--text" && i + 2 < argc) {
            SOUI::SWindow* element = host.FindChildByName(argv[i + 1]);
            if (!element)
                return fail(std::wstring(L"no element ") + argv[i + 1]);
            element->SetWindowText(argv[i + 2]);
            i += 2;
        } else if (option == L"--attr" && i + 3 < argc) {
            SOUI::SWindow* element = host.FindChildByName(argv[i + 1]);
            if (!element)
                return fail(std::wstring(L"no element ") + argv[i + 1]);
            element->SetAttribute(argv[i + 2], argv[i + 3], FALSE);
            i += 3;
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
