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

#include <windows.h>

namespace SOUI {

// Handle of an element of a host window's tree; 0 is no element. A handle stays invalid once its
// element is destroyed, so code that may outlive an element (capture, focus, hover) keeps handles.
typedef DWORD SWND;

// Colours are 0xAABBGGRR: the Win32 COLORREF with an alpha byte; alpha 0 paints nothing.
#define RGBA(r, g, b, a) \
    ((COLORREF)(((BYTE)(r)) | ((WORD)((BYTE)(g)) << 8) | (((DWORD)(BYTE)(b)) << 16) | (((DWORD)(BYTE)(a)) << 24)))
#define GetAValue(c) ((BYTE)(((DWORD)(c)) >> 24))
constexpr COLORREF CR_INVALID = 0;

// Result of the dialog's caption close button ("IDCLOSE" in layouts).
#ifndef IDCLOSE
#define IDCLOSE 8
#endif

}  // namespace SOUI
