#pragma once

// Shared internals of soui.dll (not part of the public headers).
#include <windows.h>

#include <soui/IRender.h>
#include <soui/IResProvider.h>
#include <soui/ISkinObj.h>
#include <soui/SouiDefs.h>

#include <string>

namespace SOUI {

class SWindow;
class SHostWnd;

// A line to the debugger output, prefixed "soui: ".
void SLog(const wchar_t* format, ...);

// Element handles (UI thread only).
SWND RegisterSwnd(SWindow* wnd);
void UnregisterSwnd(SWND swnd);
SWindow* SwndFromHandle(SWND swnd);

// Deletion of elements waits until no window procedure of the library is running.
void DeferDelete(SWindow* wnd);
void EnterDispatch();
void LeaveDispatch();

// Hosts of this process, for FromHwnd and the inspection.
void RegisterHost(SHostWnd* host);
void UnregisterHost(SHostWnd* host);
SHostWnd* FindHost(HWND hwnd);
void EnumHosts(void (*fn)(SHostWnd*, void*), void* context);

// A skin by name: the current UI definition's, else the system skins.
ISkinObj* FindSkin(const std::wstring& name);
// The system skin table filled by LoadSystemNamedResource.
void AddSystemSkin(ISkinObj* skin);
void ClearSystemSkins();

// A skin object over an image resource of the providers ("IMG:NAME"), decoded on first use; when
// `eager` (the providers may go away afterwards) its encoded image is copied at once.
ISkinObj* CreateImageSkin(const std::wstring& name,
                          const std::wstring& src,
                          int states,
                          BOOL vertical,
                          const RECT& margin,
                          IResProvider* provider,
                          BOOL eager);

// A font for a spec over the current UI definition's default font; cached, no reference added.
IFont* GetFontFromSpec(const std::wstring& spec);
void ClearFontCache();

// The render factory of the application, or null.
IRenderFactory* GetRenderFactory();

// Splits "TYPE:NAME" and upper-cases both parts.
BOOL SplitResName(const std::wstring& typeAndName, std::wstring& type, std::wstring& name);
// Raw data of "TYPE:NAME" from one provider.
BOOL ReadResource(IResProvider* provider, const std::wstring& typeAndName, std::string& data);

// The inspection window of the process (created with the application object).
void StartInspector(HINSTANCE instance);
void StopInspector();

}  // namespace SOUI
