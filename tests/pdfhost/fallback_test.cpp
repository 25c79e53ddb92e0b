// The roads of a prefix where the control is not registered. registration_roads.sh runs each test
// in a process of its own, in a Wine prefix of its own, in order.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "PdfControlAccess.h"
#include "PdfHostEnvironment.h"
#include "soui/SStrCpCvt.h"
#include "support/ControlTestSupport.h"

namespace {

struct ShellStart {
    std::wstring verb, file, parameters, directory;
    int show = -1;
};
std::vector<ShellStart> g_shellStarts;
std::vector<std::string> g_commands;

void recordShellStart(const wchar_t* verb,
                      const wchar_t* file,
                      const wchar_t* parameters,
                      const wchar_t* directory,
                      int show) {
    g_shellStarts.push_back(ShellStart{verb, file, parameters, directory, show});
}

void recordOnly(const std::string& command, int, DWORD) {
    g_commands.push_back(command);
}

void recordAndRun(const std::string& command, int show, DWORD waitMs) {
    g_commands.push_back(command);
    PXV::defaultPdfHostEnvironment().runAndWait(command, show, waitMs);
}

bool engineCreatable() {
    IUnknown* engine = nullptr;
    HRESULT hr = CoCreateInstance(pdfc::kEngineClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                  reinterpret_cast<void**>(&engine));
    if (engine) {
        engine->Release();
    }
    return SUCCEEDED(hr);
}

std::wstring ownPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

TEST(Registration, EngineIsNotCreatable) {
    EXPECT_FALSE(engineCreatable());
}

TEST(Registration, EngineIsCreatable) {
    EXPECT_TRUE(engineCreatable());
}

TEST(Fallback, WithoutAdministratorRightsStartsItselfElevated) {
    ASSERT_FALSE(engineCreatable());
    PXV::PdfHostEnvironment& environment = PXV::pdfHostEnvironment();
    environment.isUserAdmin = [] { return false; };
    environment.shellStart = &recordShellStart;
    environment.runAndWait = &recordOnly;

    EXPECT_EQ(getPdfControl(), nullptr);
    EXPECT_NE(g_pdfControl, nullptr) << "the wrapper stays";
    ASSERT_EQ(g_shellStarts.size(), 1u);
    EXPECT_EQ(g_shellStarts[0].verb, L"runas");
    EXPECT_EQ(g_shellStarts[0].file, ownPath());
    EXPECT_EQ(g_shellStarts[0].parameters, L"");
    EXPECT_EQ(g_shellStarts[0].directory, L"");
    EXPECT_EQ(g_shellStarts[0].show, SW_SHOWNORMAL);
    EXPECT_TRUE(g_commands.empty()) << "registered without administrator rights";
    EXPECT_FALSE(engineCreatable());
}

TEST(Fallback, AsAdministratorRegistersTheControlAndReturnsTheWrapper) {
    ASSERT_FALSE(engineCreatable());
    PXV::PdfHostEnvironment& environment = PXV::pdfHostEnvironment();
    environment.isUserAdmin = [] { return true; };
    environment.controlFile = [] { return std::wstring(L"wke.dll"); };
    environment.shellStart = &recordShellStart;
    environment.runAndWait = &recordAndRun;

    PXV::PdfEditControl* control = getPdfControl();
    EXPECT_NE(control, nullptr);
    EXPECT_EQ(control, g_pdfControl);
    EXPECT_TRUE(g_shellStarts.empty());

    std::wstring exe = ownPath();
    std::wstring folder = exe.substr(0, exe.rfind(L'\\') + 1);
    SOUI::SStringA ansi = SOUI::SStrCpCvt::CvtW2A(SOUI::SStringW((folder + L"wke.dll").c_str()), CP_ACP);
    ASSERT_EQ(g_commands.size(), 1u);
    EXPECT_EQ(g_commands[0], "regsvr32  \"" + std::string(ansi.c_str()) + "\" ");

    // The second attempt came after the registration had ended, so it made the engine.
    EXPECT_TRUE(engineCreatable());
    pdftest::ControlModule module(false);
    const std::wstring cache = PXV::pdfHostEnvironment().cacheDir();
    EXPECT_TRUE(
        pdftest::inOrder(module.journalLines(), {L"created engine", L"X.8(\"" + cache + L"DocHistory.dat\")",
                                                 L"X.8(\"" + cache + L"ThumbsHistory.dat\")", L"X.9(0, 0, 0, "}))
        << module.journal();
}

}  // namespace
