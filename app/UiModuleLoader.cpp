#include "UiModuleLoader.h"

#include <string>

namespace {

// Loads the module and asks its SCreateInstance for its object; a module without the export is
// unloaded again.
SOUI::IObjRef* createFromModule(const wchar_t* file, HMODULE& module) {
    module = LoadLibraryW(file);
    if (!module) {
        return nullptr;
    }
    auto create =
        reinterpret_cast<SOUI::FunSCreateInstance>(reinterpret_cast<void*>(GetProcAddress(module, "SCreateInstance")));
    if (!create) {
        FreeLibrary(module);
        module = nullptr;
        return nullptr;
    }
    SOUI::IObjRef* object = nullptr;
    create(&object);
    return object;
}

}  // namespace

CUiModuleLoader::CUiModuleLoader()
    : renderModule_(nullptr), decoderModule_(nullptr), decoderBaseName_(L"imgdecoder-gdip") {}

CUiModuleLoader::~CUiModuleLoader() {
    unloadModules();
}

SOUI::IRenderFactory* CUiModuleLoader::createRenderFactory() {
    return static_cast<SOUI::IRenderFactory*>(createFromModule(L"render-gdi.dll", renderModule_));
}

SOUI::IImgDecoderFactory* CUiModuleLoader::createImgDecoderFactory() {
    const std::wstring file = std::wstring(decoderBaseName_) + L".dll";
    return static_cast<SOUI::IImgDecoderFactory*>(createFromModule(file.c_str(), decoderModule_));
}

void CUiModuleLoader::unloadModules() {
    if (renderModule_) {
        FreeLibrary(renderModule_);
        renderModule_ = nullptr;
    }
    if (decoderModule_) {
        FreeLibrary(decoderModule_);
        decoderModule_ = nullptr;
    }
}

void CUiModuleLoader::keepLoaded() {
    renderModule_ = nullptr;
    decoderModule_ = nullptr;
}
