#include "UiStartup.h"

#include "res/NamedWidgetIds.h"

namespace {

SOUI::IResProvider* createModuleProvider(HMODULE module) {
    SOUI::IObjRef* object = nullptr;
    SOUI::CreateResProvider(SOUI::RES_PE, &object);
    auto* provider = static_cast<SOUI::IResProvider*>(object);
    if (provider) {
        provider->Init(reinterpret_cast<WPARAM>(module), 0);
    }
    return provider;
}

template <class T>
void releaseOnce(T*& object) {
    if (object) {
        object->Release();
        object = nullptr;
    }
}

}  // namespace

ModuleFailure loadUiModules(CUiModuleLoader& loader, UiObjects& objects) {
    ModuleFailure failure;
    objects.renderFactory = loader.createRenderFactory(failure);
    if (failure) {
        return failure;
    }
    objects.decoderFactory = loader.createImgDecoderFactory(failure);
    if (failure) {
        return failure;
    }
    objects.renderFactory->SetImgDecoderFactory(objects.decoderFactory);
    return failure;
}

void loadSystemResources(SOUI::SApplication& app) {
    HMODULE system = LoadLibraryW(L"soui-sys-resource.dll");
    if (!system) {
        return;  // skipped silently
    }
    SOUI::IResProvider* provider = createModuleProvider(system);
    if (provider) {
        app.LoadSystemNamedResource(provider);
    }
    FreeLibrary(system);
    releaseOnce(provider);
}

void addOwnResources(SOUI::SApplication& app, HINSTANCE instance, UiObjects& objects) {
    objects.ownResources = createModuleProvider(instance);
    app.InitXmlNamedID(NamedWidgetIds, kNamedWidgetCount, TRUE);
    if (objects.ownResources) {
        app.AddResProvider(objects.ownResources, L"uidef:xml_init");
    }
}

void releaseUiObjects(UiObjects& objects) {
    releaseOnce(objects.ownResources);
    releaseOnce(objects.renderFactory);
    releaseOnce(objects.decoderFactory);
}
