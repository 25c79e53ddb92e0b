#pragma once

#include <windows.h>

#include <soui/IRender.h>

// Loads the UI library's render module and image decoder by name and asks each for its factory
// through its export SCreateInstance. The modules stay loaded until unloadModules.
class CUiModuleLoader {
  public:
    CUiModuleLoader();
    CUiModuleLoader(const CUiModuleLoader&) = delete;
    CUiModuleLoader& operator=(const CUiModuleLoader&) = delete;
    // Frees what is still loaded.
    ~CUiModuleLoader();

    // "render-gdi.dll": the render factory (one reference for the caller), or null.
    SOUI::IRenderFactory* createRenderFactory();
    // The kept base name with ".dll": the image-decoder factory, or null.
    SOUI::IImgDecoderFactory* createImgDecoderFactory();
    // Frees the render module, then the image-decoder module, each when loaded.
    void unloadModules();
    // Leaves both modules loaded to the end of the process.
    void keepLoaded();

  private:
    HMODULE renderModule_;
    HMODULE decoderModule_;
    const wchar_t* decoderBaseName_;
};
