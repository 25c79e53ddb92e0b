#pragma once

// The UI library as the program sets it up: render module and image decoder loaded by name, the
// application object, the test executable's resources with its UI definition.
#include <windows.h>

#include <gtest/gtest.h>
#include <soui/soui.h>

namespace soui_test {

// A module loaded by name that gives its factory through SCreateInstance.
struct LoadedFactory {
    HMODULE module = nullptr;
    SOUI::IObjRef* object = nullptr;
};

inline LoadedFactory LoadFactory(const wchar_t* dll) {
    LoadedFactory f;
    f.module = LoadLibraryW(dll);
    if (!f.module) {
        return f;
    }
    auto create = reinterpret_cast<SOUI::FunSCreateInstance>(
        reinterpret_cast<void*>(GetProcAddress(f.module, "SCreateInstance")));
    if (create) {
        create(&f.object);
    }
    return f;
}

class TestApp {
  public:
    static TestApp& Get() {
        static TestApp app;
        return app;
    }
    SOUI::SApplication& app() { return *app_; }
    SOUI::IRenderFactory* render() { return render_; }
    SOUI::IImgDecoderFactory* decoder() { return decoder_; }

  private:
    TestApp() {
        LoadedFactory r = LoadFactory(L"render-gdi.dll");
        LoadedFactory d = LoadFactory(std::wstring(L"imgdecoder-gdip").append(L".dll").c_str());
        render_ = static_cast<SOUI::IRenderFactory*>(r.object);
        decoder_ = static_cast<SOUI::IImgDecoderFactory*>(d.object);
        if (render_) {
            render_->SetImgDecoderFactory(decoder_);
        }
        app_ = new SOUI::SApplication(render_, GetModuleHandleW(nullptr), L"SOUIHOST", reg_);
        SOUI::IObjRef* obj = nullptr;
        SOUI::CreateResProvider(SOUI::RES_PE, &obj);
        provider_ = static_cast<SOUI::IResProvider*>(obj);
        provider_->Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0);
        app_->AddResProvider(provider_, L"uidef:xml_init");
    }

    SOUI::SObjectDefaultRegister reg_;
    SOUI::IRenderFactory* render_ = nullptr;
    SOUI::IImgDecoderFactory* decoder_ = nullptr;
    SOUI::SApplication* app_ = nullptr;
    SOUI::IResProvider* provider_ = nullptr;
};

// Pumps messages until the predicate holds or the time runs out; true when it held.
template <class F>
bool PumpUntil(F done, DWORD timeoutMs = 5000) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

}  // namespace soui_test
