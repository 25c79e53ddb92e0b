#pragma once

// The UI library as the program sets it up (render module, image decoder, application object,
// the test executable's resources) with the web-view class registered, and a host window over a
// test layout.

#include <windows.h>

#include <soui/soui.h>

#include <string>

#include "TestSupport.h"
#include "webview/SWkeWebkit.h"

namespace webviewtest {

class UiApp {
  public:
    // The one application object of the test process; `registerClass` registers the web-view class.
    static UiApp& get() {
        static UiApp app;
        return app;
    }
    SOUI::SApplication& app() { return *app_; }
    SOUI::IRenderFactory* render() { return render_; }

  private:
    UiApp() {
        render_ = static_cast<SOUI::IRenderFactory*>(create(L"render-gdi.dll"));
        auto* decoder = static_cast<SOUI::IImgDecoderFactory*>(create(L"imgdecoder-gdip.dll"));
        if (render_) {
            render_->SetImgDecoderFactory(decoder);
        }
        app_ = new SOUI::SApplication(render_, GetModuleHandleW(nullptr), L"SOUIHOST", reg_);
        SOUI::IObjRef* obj = nullptr;
        SOUI::CreateResProvider(SOUI::RES_PE, &obj);
        auto* provider = static_cast<SOUI::IResProvider*>(obj);
        provider->Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0);
        app_->AddResProvider(provider, L"uidef:xml_init");
        app_->RegisterFactory(SOUI::TplSObjectFactory<SOUI::SWkeWebkit>(), FALSE);
    }

    static SOUI::IObjRef* create(const wchar_t* dll) {
        HMODULE m = LoadLibraryW(dll);
        auto fn = m ? reinterpret_cast<SOUI::FunSCreateInstance>(
                          reinterpret_cast<void*>(GetProcAddress(m, "SCreateInstance")))
                    : nullptr;
        SOUI::IObjRef* obj = nullptr;
        if (fn) {
            fn(&obj);
        }
        return obj;
    }

    SOUI::SObjectDefaultRegister reg_;
    SOUI::IRenderFactory* render_ = nullptr;
    SOUI::SApplication* app_ = nullptr;
};

class TestHost : public SOUI::SHostWnd {
  public:
    explicit TestHost(const wchar_t* layout) : SOUI::SHostWnd(layout) {}
};

using wketest::pumpUntil;

inline RECT clientOf(SOUI::SWindow* w) {
    RECT rc;
    w->GetClientRect(&rc);
    return rc;
}

inline RECT windowOf(SOUI::SWindow* w) {
    RECT rc;
    w->GetWindowRect(&rc);
    return rc;
}

}  // namespace webviewtest
