#include "UiModuleLoader.h"

#include <string>

namespace {

// Loads the module and asks its SCreateInstance for its object. A module without the export is
// unloaded again; one whose export gave nothing stays loaded for the clean-up to free.
SOUI::IObjRef* createFromModule(const std::wstring& file, HMODULE& module, ModuleFailure& failure) {
    module = LoadLibraryW(file.c_str());
    if (!module) {
        failure = {ModuleFailure::Step::loadModule, file};
        return nullptr;
    }
    auto create =
        reinterpret_cast<SOUI::FunSCreateInstance>(reinterpret_cast<void*>(GetProcAddress(module, "SCreateInstance")));
    if (!create) {
        FreeLibrary(module);
        module = nullptr;
        failure = {ModuleFailure::Step::findExport, L"SCreateInstance"};
        return nullptr;
    }
    SOUI::IObjRef* object = nullptr;
    create(&object);
    if (!object) {
        failure = {ModuleFailure::Step::exportGaveNull, L"SCreateInstance"};
    }
    return object;
}

}  // namespace

CUiModuleLoader::CUiModuleLoader(const wchar_t* renderFile, const wchar_t* decoderBaseName)
    : renderModule_(nullptr), decoderModule_(nullptr), renderFile_(renderFile), decoderBaseName_(decoderBaseName) {}

CUiModuleLoader::~CUiModuleLoader() {
    unloadModules();
}

SOUI::IRenderFactory* CUiModuleLoader::createRenderFactory(ModuleFailure& failure) {
    return static_cast<SOUI::IRenderFactory*>(createFromModule(renderFile_, renderModule_, failure));
}

SOUI::IImgDecoderFactory* CUiModuleLoader::createImgDecoderFactory(ModuleFailure& failure) {
    const std::wstring file = std::wstring(decoderBaseName_) + L".dll";
    return static_cast<SOUI::IImgDecoderFactory*>(createFromModule(file, decoderModule_, failure));
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
