#pragma once

// Shared internals of soui.dll (not part of the public headers).
#include <windows.h>

#include <soui/IRender.h>
#include <soui/IResProvider.h>
#include <soui/ISkinObj.h>
#include <soui/SString.h>
#include <soui/SouiDefs.h>

#include <string>
#include <vector>

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

// The first element named `name` below `from` (depth -1: any depth), without the checks of
// FindChildByName: for the inspection, which asks for whatever a test names.
SWindow* FindElementByName(const SWindow* from, LPCWSTR name, int depth);
// Names of elements: what code gave an element is remembered; a name is known when it was given or
// when a layout of the providers has an element of that name.
void RememberElementName(const std::wstring& name);
BOOL IsKnownElementName(const std::wstring& name);

// A plain text, or the text of "@string/key"; FALSE (with why, `text` as it was) when the string
// table has no key.
BOOL ResolveTextValue(const SStringW& value, SStringW& text, std::wstring& wrong);
// A colour literal, or the colour of "@color/key"; FALSE (with why, `color` as it was) otherwise.
BOOL ResolveColorValue(const std::wstring& value, COLORREF& color, std::wstring& wrong);

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
// The resources of the type that a provider made by CreateResProvider holds, as "TYPE:NAME" in
// upper case; empty for another provider.
std::vector<std::wstring> ProviderResources(IResProvider* provider, LPCWSTR type);
// Raw data of "TYPE:NAME" from one provider.
BOOL ReadResource(IResProvider* provider, const std::wstring& typeAndName, std::string& data);

// The inspection window of the process (created with the application object).
void StartInspector(HINSTANCE instance);
void StopInspector();

}  // namespace SOUI
