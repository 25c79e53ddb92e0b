#include "ui_library.h"

#include "res/NamedWidgetIds.h"

namespace resfixture {

BOOL TestWebView::IsClass(LPCWSTR className) const {
    return wcscmp(className, GetClassName()) == 0 || SOUI::SWindow::IsClass(className);
}

HRESULT TestWebView::SetAttribute(const SOUI::SStringW& name, const SOUI::SStringW& value, BOOL loading) {
    if (name == L"url") {
        urlGiven = true;
        url = value;
        return S_OK;
    }
    return SOUI::SWindow::SetAttribute(name, value, loading);
}

// Records each real window asked for and makes none, so the library's own placement stays idle.
class RecordingRealWndHandler : public SOUI::TObjRefImpl<SOUI::IRealWndHandler> {
  public:
    HWND createRealWnd(SOUI::SRealWnd* wnd) override {
        const auto& param = wnd->GetRealWndParam();
        requests.push_back({wnd->GetName().c_str(), param.className.c_str(), param.windowName.c_str(), wnd->GetID()});
        return nullptr;
    }
    void destroyRealWnd(SOUI::SRealWnd*) override {}
    BOOL initRealWnd(SOUI::SRealWnd*) override { return TRUE; }
    BOOL sizeRealWnd(SOUI::SRealWnd*) override { return TRUE; }
    BOOL showRealWnd(SOUI::SRealWnd*, BOOL) override { return TRUE; }

    std::vector<RealWndRequest> requests;
};

namespace {

template <class T>
T* createFrom(HMODULE module, std::wstring& error, const wchar_t* what) {
    auto create = module ? reinterpret_cast<SOUI::FunSCreateInstance>(
                               reinterpret_cast<void*>(GetProcAddress(module, "SCreateInstance")))
                         : nullptr;
    SOUI::IObjRef* object = nullptr;
    if (!create || !create(&object) || !object) {
        error = std::wstring(what) + L": no SCreateInstance or no object";
        return nullptr;
    }
    return static_cast<T*>(object);
}

}  // namespace

const std::vector<RealWndRequest>& UiLibrary::realWndRequests() const {
    static const std::vector<RealWndRequest> none;
    return handler_ ? handler_->requests : none;
}

std::wstring UiLibrary::start() {
    std::wstring error;
    render_ = LoadLibraryW(L"render-gdi.dll");
    decoder_ = LoadLibraryW(L"imgdecoder-gdip.dll");
    renderFactory_ = createFrom<SOUI::IRenderFactory>(render_, error, L"render-gdi.dll");
    if (!renderFactory_)
        return error;
    decoderFactory_ = createFrom<SOUI::IImgDecoderFactory>(decoder_, error, L"imgdecoder-gdip.dll");
    if (!decoderFactory_)
        return error;
    renderFactory_->SetImgDecoderFactory(decoderFactory_);

    HINSTANCE self = GetModuleHandleW(nullptr);
    app_ = new SOUI::SApplication(renderFactory_, self, L"SOUIHOST", SOUI::SObjectDefaultRegister());

    if (HMODULE system = LoadLibraryW(L"soui-sys-resource.dll")) {
        SOUI::IObjRef* object = nullptr;
        if (SOUI::CreateResProvider(SOUI::RES_PE, &object) && object) {
            auto* provider = static_cast<SOUI::IResProvider*>(object);
            if (provider->Init(reinterpret_cast<WPARAM>(system), 0))
                systemSkins_ = app_->LoadSystemNamedResource(provider);
            provider->Release();
        }
        FreeLibrary(system);
    }

    namedIds_ = app_->InitXmlNamedID(NamedWidgetIds, kNamedWidgetCount, TRUE);

    SOUI::IObjRef* object = nullptr;
    if (!SOUI::CreateResProvider(SOUI::RES_PE, &object) || !object)
        return L"CreateResProvider failed";
    provider_ = static_cast<SOUI::IResProvider*>(object);
    if (!provider_->Init(reinterpret_cast<WPARAM>(self), 0))
        return L"the provider does not take the executable";
    if (!app_->AddResProvider(provider_, L"uidef:xml_init"))
        return L"the UI definition uidef:xml_init did not load";

    app_->RegisterFactory(SOUI::TplSObjectFactory<TestWebView>());
    handler_ = new RecordingRealWndHandler;
    app_->SetRealWndHandler(handler_);
    return {};
}

UiLibrary::~UiLibrary() {
    delete app_;
    if (handler_)
        handler_->Release();
    if (provider_)
        provider_->Release();
    if (decoderFactory_)
        decoderFactory_->Release();
    if (renderFactory_)
        renderFactory_->Release();
    if (render_)
        FreeLibrary(render_);
    if (decoder_)
        FreeLibrary(decoder_);
}

}  // namespace resfixture
