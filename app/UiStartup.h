#pragma once

#include <windows.h>

#include <soui/SApplication.h>

#include "UiModuleLoader.h"

// The UI library's objects the start-up makes; each reference is released once at shut-down.
struct UiObjects {
    SOUI::IRenderFactory* renderFactory = nullptr;
    SOUI::IImgDecoderFactory* decoderFactory = nullptr;
    SOUI::IResProvider* ownResources = nullptr;
};

// The render module and the image decoder, the decoder given to the render factory. The first
// module that fails ends the step and is named in the result; what was made until then stays in
// `objects` and `loader` for the clean-up.
ModuleFailure loadUiModules(CUiModuleLoader& loader, UiObjects& objects);
// The library's system resources, when their module is present; the module is unloaded again.
void loadSystemResources(SOUI::SApplication& app);
// The named control IDs, then the executable's resources as provider with the UI definition
// "UIDEF:XML_INIT"; the provider is kept in `objects`.
void addOwnResources(SOUI::SApplication& app, HINSTANCE instance, UiObjects& objects);
// Releases the own resources, the render factory and the image decoder, each when present.
void releaseUiObjects(UiObjects& objects);
