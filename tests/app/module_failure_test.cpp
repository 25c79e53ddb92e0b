// What the user is told when a module the start-up cannot run without is unusable: each failing
// step of the UI library's modules and of the web engine, in one message box of the shell.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ModuleFailureReport.h"
#include "ShellEnvironment.h"
#include "UiStartup.h"
#include "webview/WkeEngine.h"

namespace {

struct ShownBox {
    HWND owner;
    std::wstring text, caption;
    UINT type;
};
std::vector<ShownBox> g_boxes;

int recordBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
    g_boxes.push_back(ShownBox{owner, text, caption, type});
    return IDOK;
}

// The probe module's full path (it lies in a folder of its own beside this program).
std::wstring probePath(const wchar_t* suffix = L".dll") {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    path.resize(path.rfind(L'\\') + 1);
    return path + L"probes\\module_probe" + suffix;
}

class ModuleFailures : public testing::Test {
  protected:
    void SetUp() override {
        shellEnvironment().messageBox = &recordBox;
        g_boxes.clear();
        savedApi_ = g_wkeApi;
        g_wkeApi = WkeApi();
    }
    void TearDown() override {
        shellEnvironment() = defaultShellEnvironment();
        g_wkeApi = savedApi_;
    }

    // The failure told as the start-up tells it: the text of its one box.
    static std::wstring told(const ModuleFailure& failure) {
        g_boxes.clear();
        reportModuleFailure(failure);
        if (g_boxes.size() != 1) {
            ADD_FAILURE() << g_boxes.size() << " boxes";
            return std::wstring();
        }
        EXPECT_EQ(g_boxes[0].owner, nullptr);
        EXPECT_EQ(g_boxes[0].caption, L"提示");
        EXPECT_EQ(g_boxes[0].type, static_cast<UINT>(MB_OK));
        return g_boxes[0].text;
    }

    WkeApi savedApi_;
};

TEST_F(ModuleFailures, TheFirstUiModuleThatFailsIsNamedWithItsStep) {
    const std::wstring probe = probePath();
    const std::wstring probeBase = probePath(L"");
    const struct {
        std::wstring renderFile, decoderBase, text;
        bool renderMade;
    } cases[] = {
        {L"absent-render.dll", L"imgdecoder-gdip", L"无法加载DLL,absent-render.dll", false},
        {L"kernel32.dll", L"imgdecoder-gdip", L"无法获取导出函数,SCreateInstance", false},
        {probe, L"imgdecoder-gdip", L"函数返回空,SCreateInstance", false},
        {L"render-gdi.dll", L"absent-decoder", L"无法加载DLL,absent-decoder.dll", true},
        {L"render-gdi.dll", L"kernel32", L"无法获取导出函数,SCreateInstance", true},
        {L"render-gdi.dll", probeBase, L"函数返回空,SCreateInstance", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CUiModuleLoader loader(c.renderFile.c_str(), c.decoderBase.c_str());
        UiObjects objects;
        const ModuleFailure failure = loadUiModules(loader, objects);
        EXPECT_EQ(told(failure), c.text);
        EXPECT_EQ(objects.renderFactory != nullptr, c.renderMade);
        EXPECT_EQ(objects.decoderFactory, nullptr);
        releaseUiObjects(objects);
    }
}

TEST_F(ModuleFailures, AWebEngineWithoutAnEntryPointIsNamedAndStoppedAgain) {
    // Held here as well, so its counts can be read after the binding let it go.
    HMODULE probe = LoadLibraryW(probePath().c_str());
    ASSERT_NE(probe, nullptr);
    const auto count = [probe](const char* name) {
        const auto read = reinterpret_cast<int (*)()>(reinterpret_cast<void*>(GetProcAddress(probe, name)));
        return read ? read() : -1;
    };

    const struct {
        std::wstring file, text;
    } cases[] = {
        {L"absent-engine.dll", L"无法加载DLL,absent-engine.dll"},
        {L"kernel32.dll", L"无法获取导出函数,wkeInitializeEx"},
        // The first entry point of the table that the probe lacks.
        {probePath(), L"无法获取导出函数,wkeDestroyWebView"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ModuleFailure failure;
        EXPECT_FALSE(loadWebEngine(failure, c.file.c_str()));
        EXPECT_EQ(told(failure), c.text);
        EXPECT_EQ(g_wkeApi.wkeCreateWebView, nullptr) << "an incomplete table is kept";
    }
    EXPECT_EQ(count("probeStarts"), 1);
    EXPECT_EQ(count("probeShutdowns"), 1) << "the started engine was left running";
    FreeLibrary(probe);
    EXPECT_EQ(GetModuleHandleW(probePath().c_str()), nullptr) << "the binding kept the module loaded";
}

}  // namespace
