#pragma once

#include <windows.h>

#include <soui/IRender.h>

#include "foundation/ModuleFailure.h"

// Loads the UI library's render module and image decoder by name and asks each for its factory
// through its export SCreateInstance. The modules stay loaded until unloadModules.
class CUiModuleLoader {
  public:
    // The program's modules "render-gdi.dll" and "imgdecoder-gdip" (a base name, completed with
    // ".dll" when it is loaded); tests name others.
    explicit CUiModuleLoader(const wchar_t* renderFile = L"render-gdi.dll",
                             const wchar_t* decoderBaseName = L"imgdecoder-gdip");
    CUiModuleLoader(const CUiModuleLoader&) = delete;
    CUiModuleLoader& operator=(const CUiModuleLoader&) = delete;
    // Frees what is still loaded.
    ~CUiModuleLoader();

    // The render factory (one reference for the caller), or null with `failure` saying why.
    SOUI::IRenderFactory* createRenderFactory(ModuleFailure& failure);
    // The image-decoder factory (one reference for the caller), or null with `failure` saying why.
    SOUI::IImgDecoderFactory* createImgDecoderFactory(ModuleFailure& failure);
    // Frees the render module, then the image-decoder module, each when loaded.
    void unloadModules();
    // Leaves both modules loaded to the end of the process.
    void keepLoaded();

  private:
    HMODULE renderModule_;
    HMODULE decoderModule_;
    const wchar_t* renderFile_;
    const wchar_t* decoderBaseName_;
};
