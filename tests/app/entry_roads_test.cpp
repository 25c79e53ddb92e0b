// The entry point's road without a main window. Run by tests/pdfhost/registration_roads.sh in its
// prefix while the PDF control is not registered: the engine cannot be created and the process,
// as one without administrator rights, starts itself again elevated (recorded here, never run)
// and ends at once. Wine answers every process as an administrator, so the program itself never
// takes this road there.
#include <windows.h>

#include <gtest/gtest.h>
#include <soui/SApplication.h>

#include <string>
#include <vector>

#include "EntryPoint.h"
#include "MainDlg.h"
#include "PdfHostEnvironment.h"
#include "ShellEnvironment.h"

namespace {

struct ShellStart {
    std::wstring verb, file, parameters;
    int show = -1;
};
std::vector<ShellStart> g_hostStarts;
int g_shellStarts = 0;

BOOL CALLBACK countShownWindows(HWND window, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window)) {
        ++*reinterpret_cast<int*>(count);
    }
    return TRUE;
}

TEST(EntryPoint, WithoutTheControlAndWithoutAdministratorRightsEndsWithoutAMainWindow) {
    PXV::PdfHostEnvironment& host = PXV::pdfHostEnvironment();
    host.isUserAdmin = [] { return false; };
    host.shellStart = [](const wchar_t* verb, const wchar_t* file, const wchar_t* parameters, const wchar_t*,
                         int show) {
        g_hostStarts.push_back(ShellStart{verb, file, parameters, show});
    };
    host.runAndWait = [](const std::string&, int, DWORD) { ADD_FAILURE() << "registered without the rights"; };
    // No account service here: no update is offered and every switch stays off.
    ShellEnvironment& shell = shellEnvironment();
    shell.doLoadInfo = [] { return 0; };
    shell.getUserData = [] { return 0; };
    shell.shellExecute = [](HWND, const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*, int) {
        ++g_shellStarts;
        return HINSTANCE{};
    };

    wchar_t commandLine[] = L"";
    // The normal road would run the message loop of a main window here and never return.
    EXPECT_EQ(runEntryPoint(GetModuleHandleW(nullptr), commandLine), 0);

    EXPECT_EQ(g_mainDlg, nullptr);
    int shown = 0;
    EnumWindows(&countShownWindows, reinterpret_cast<LPARAM>(&shown));
    EXPECT_EQ(shown, 0) << "no window, not even a message box";
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    ASSERT_EQ(g_hostStarts.size(), 1u);
    EXPECT_EQ(g_hostStarts[0].verb, L"runas");
    EXPECT_EQ(g_hostStarts[0].file, self);
    EXPECT_EQ(g_hostStarts[0].parameters, L"");
    EXPECT_EQ(g_hostStarts[0].show, SW_SHOWNORMAL);
    EXPECT_EQ(g_shellStarts, 0);
    // The short clean-up leaves the application object to the end of the process; the normal
    // shut-down deletes it.
    EXPECT_NE(SOUI::SApplication::getSingletonPtr(), nullptr);
}

}  // namespace
