#pragma once

// Export macros of the UI library's modules: soui.dll (the core) and utilities.dll (strings and
// other helpers). The program and the library's own modules import what they do not build.
#ifdef SOUI_BUILDING_CORE
#define SOUI_EXP __declspec(dllexport)
#else
#define SOUI_EXP __declspec(dllimport)
#endif

#ifdef SOUI_BUILDING_UTILITIES
#define UTILITIES_API __declspec(dllexport)
#else
#define UTILITIES_API __declspec(dllimport)
#endif
