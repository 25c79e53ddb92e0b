#include "support/ShellFixture.h"

#include <ole2.h>

#include <gtest/gtest.h>

#include "CRealWndCreater.h"
#include "PdfHostEnvironment.h"
#include "ShellEnvironment.h"
#include "UiStartup.h"
#include "classlib/ControlContainer.h"

namespace shelltest {
namespace {

std::wstring scratchCacheDir() {
    static const std::wstring dir = pdftest::makeScratchDir(L"shell-cache");
    return dir;
}

HINSTANCE recordShell(HWND,
                      const wchar_t* verb,
                      const wchar_t* file,
                      const wchar_t* parameters,
                      const wchar_t*,
                      int show) {
    answers().shellCalls++;
    answers().lastShellVerb = verb ? verb : L"";
    answers().lastShellFile = file ? file : L"";
    answers().lastShellParameters = parameters ? parameters : L"";
    answers().lastShellShow = show;
    answers().journalAtLastShell = controlModule().journalLines();
    return reinterpret_cast<HINSTANCE>(answers().shellResult);
}

int recordMessageBox(HWND, const wchar_t* text, const wchar_t*, UINT) {
    answers().lastMessageBox = text ? text : L"";
    return IDOK;
}

int answerUserData() {
    answers().userDataCalls++;
    return answers().userDataResult;
}

int answerLoadInfo() {
    answers().loadInfoCalls++;
    return 0;
}

class ShellProcess : public testing::Environment {
  public:
    void SetUp() override {
        ASSERT_HRESULT_SUCCEEDED(OleInitialize(nullptr));
        CoInitialize(nullptr);
        ASSERT_TRUE(controlModule().registered());
        PXV::pdfHostEnvironment().cacheDir = &scratchCacheDir;
        ShellEnvironment& shell = shellEnvironment();
        shell.shellExecute = &recordShell;
        shell.messageBox = &recordMessageBox;
        shell.getUserData = &answerUserData;
        shell.doLoadInfo = &answerLoadInfo;

        ASSERT_EQ(loadUiModules(loader_, objects_).step, ModuleFailure::Step::none);
        app_ = new SOUI::SApplication(objects_.renderFactory, GetModuleHandleW(nullptr), L"SOUIHOST",
                                      SOUI::SObjectDefaultRegister());
        loadSystemResources(*app_);
        addOwnResources(*app_, GetModuleHandleW(nullptr), objects_);
        AfxEnableControlContainer();
        auto* handler = new CRealWndCreater();
        app_->SetRealWndHandler(handler);
        handler->Release();
    }

    void TearDown() override {
        delete app_;
        releaseUiObjects(objects_);
        loader_.unloadModules();
        OleUninitialize();
    }

  private:
    CUiModuleLoader loader_;
    UiObjects objects_;
    SOUI::SApplication* app_ = nullptr;
};

[[maybe_unused]] testing::Environment* const g_shell = testing::AddGlobalTestEnvironment(new ShellProcess);

}  // namespace

pdftest::ControlModule& controlModule() {
    static pdftest::ControlModule module;
    return module;
}

ShellAnswers& answers() {
    static ShellAnswers a;
    return a;
}

std::wstring scratchFolder(const std::wstring& tag) {
    return pdftest::makeScratchDir(tag);
}

}  // namespace shelltest
