// Process-wide bookkeeping of soui.dll: element handles, deferred deletes, hosts, fonts, log.
#include <windows.h>

#include <soui/SApplication.h>
#include <soui/SHostWnd.h>
#include <soui/SUiDef.h>
#include <soui/SWindow.h>
#include <stdarg.h>

#include <map>
#include <vector>

#include "AttrParse.h"
#include "Internal.h"

namespace SOUI {
namespace {

struct Runtime {
    std::map<SWND, SWindow*> swnds;
    SWND nextSwnd = 1;
    std::vector<SWindow*> pendingDeletes;
    int dispatchDepth = 0;
    std::vector<SHostWnd*> hosts;
    std::map<std::wstring, IFont*> fonts;
};

Runtime& rt() {
    static Runtime r;
    return r;
}

}  // namespace

void SLog(const wchar_t* format, ...) {
    wchar_t buffer[1024];
    va_list args;
    va_start(args, format);
    _vsnwprintf(buffer, 1023, format, args);
    va_end(args);
    buffer[1023] = 0;
    std::wstring line = L"soui: ";
    line += buffer;
    line += L"\n";
    OutputDebugStringW(line.c_str());
}

SWND RegisterSwnd(SWindow* wnd) {
    const SWND id = rt().nextSwnd++;
    rt().swnds[id] = wnd;
    return id;
}

void UnregisterSwnd(SWND swnd) {
    rt().swnds.erase(swnd);
}

SWindow* SwndFromHandle(SWND swnd) {
    auto it = rt().swnds.find(swnd);
    return it == rt().swnds.end() ? nullptr : it->second;
}

void DeferDelete(SWindow* wnd) {
    if (rt().dispatchDepth == 0) {
        delete wnd;
    } else {
        rt().pendingDeletes.push_back(wnd);
    }
}

void EnterDispatch() {
    ++rt().dispatchDepth;
}

void LeaveDispatch() {
    if (--rt().dispatchDepth == 0) {
        SFlushDeferredDeletes();
    }
}

void SFlushDeferredDeletes() {
    while (!rt().pendingDeletes.empty()) {
        std::vector<SWindow*> batch;
        batch.swap(rt().pendingDeletes);
        for (SWindow* w : batch) {
            delete w;
        }
    }
}

void RegisterHost(SHostWnd* host) {
    rt().hosts.push_back(host);
}

void UnregisterHost(SHostWnd* host) {
    std::erase(rt().hosts, host);
}

SHostWnd* FindHost(HWND hwnd) {
    for (SHostWnd* h : rt().hosts) {
        if (hwnd && h->m_hWnd == hwnd) {
            return h;
        }
    }
    return nullptr;
}

void EnumHosts(void (*fn)(SHostWnd*, void*), void* context) {
    const std::vector<SHostWnd*> copy = rt().hosts;
    for (SHostWnd* h : copy) {
        fn(h, context);
    }
}

IFont* GetFontFromSpec(const std::wstring& spec) {
    auto it = rt().fonts.find(spec);
    if (it != rt().fonts.end()) {
        return it->second;
    }
    IRenderFactory* factory = GetRenderFactory();
    if (!factory) {
        return nullptr;
    }
    IUiDefInfo* def = SUiDef::GetUiDef();
    const std::wstring face = def ? def->GetDefFontFace().c_str() : L"微软雅黑";
    const int size = def ? def->GetDefFontSize() : 14;
    const LOGFONTW lf = ParseFont(spec, face, size);
    IFont* font = nullptr;
    if (!factory->CreateFont(&font, lf)) {
        return nullptr;
    }
    rt().fonts.emplace(spec, font);
    return font;
}

void ClearFontCache() {
    // Elements may still hold the old fonts' pointers; they are kept until the process ends when
    // elements exist, and released otherwise.
    if (!rt().swnds.empty()) {
        return;
    }
    for (auto& [spec, font] : rt().fonts) {
        font->Release();
    }
    rt().fonts.clear();
}

IRenderFactory* GetRenderFactory() {
    SApplication* app = SApplication::getSingletonPtr();
    return app ? app->GetRenderFactory() : nullptr;
}

}  // namespace SOUI
