#include <soui/SApplication.h>
#include <soui/SSimpleWnd.h>
#include <soui/SUiDef.h>

#include <algorithm>

#include "Internal.h"
#include "Refusals.h"

namespace SOUI {

UINT LoadSystemSkins(IResProvider* provider);

namespace {
SApplication* g_app = nullptr;
}

SApplication::SApplication(IRenderFactory* renderFactory,
                           HINSTANCE instance,
                           LPCWSTR name,
                           const SObjectDefaultRegister& reg)
    : renderFactory_(renderFactory), instance_(instance), name_(name && *name ? name : L"SOUIHOST") {
    if (renderFactory_) {
        renderFactory_->AddRef();
    }
    g_app = this;
    reg.RegisterWindows(this);

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &CSimpleWnd::WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name_.c_str();
    RegisterClassExW(&wc);
    StartInspector(wc.hInstance);
}

SApplication::~SApplication() {
    StopInspector();
    SetRealWndHandler(nullptr);
    SFlushDeferredDeletes();
    ClearSystemSkins();
    UnregisterClassW(name_.c_str(), GetModuleHandleW(nullptr));
    if (renderFactory_) {
        renderFactory_->Release();
    }
    if (g_app == this) {
        g_app = nullptr;
    }
}

SApplication& SApplication::getSingleton() {
    return *g_app;
}

SApplication* SApplication::getSingletonPtr() {
    return g_app;
}

int SApplication::InitXmlNamedID(const TNAMEDVALUE<int>* table, int count, BOOL sorted) {
    namedIds_.clear();
    for (int i = 0; table && i < count; ++i) {
        const wchar_t* name = table[i].strName;
        const size_t length = wcsnlen(name, 52);
        if (length == 52) {
            Refuse(L"InitXmlNamedID record " + std::to_wstring(i), L"a name without its terminating zero");
        }
        namedIds_.emplace_back(std::wstring(name, length), table[i].value);
    }
    auto byName = [](const auto& a, const auto& b) { return a.first < b.first; };
    // A table that claims to be sorted but is not makes a look-up by halves miss its names.
    if (sorted && !std::is_sorted(namedIds_.begin(), namedIds_.end(), byName)) {
        Refuse(L"InitXmlNamedID(" + std::to_wstring(count) + L" records, sorted)",
               L"the records are not in ordinal order of their names");
    }
    std::stable_sort(namedIds_.begin(), namedIds_.end(), byName);
    return static_cast<int>(namedIds_.size());
}

int SApplication::GetNamedID(LPCWSTR name) const {
    if (!name) {
        return 0;
    }
    const std::wstring key = name;
    auto it = std::lower_bound(namedIds_.begin(), namedIds_.end(), key,
                               [](const auto& entry, const std::wstring& k) { return entry.first < k; });
    return (it != namedIds_.end() && it->first == key) ? it->second : 0;
}

UINT SApplication::LoadSystemNamedResource(IResProvider* provider) {
    return provider ? LoadSystemSkins(provider) : 0;
}

void SApplication::SetRealWndHandler(IRealWndHandler* handler) {
    if (handler) {
        handler->AddRef();
    }
    if (realWndHandler_) {
        realWndHandler_->Release();
    }
    realWndHandler_ = handler;
}

int SApplication::Run(HWND mainWnd) {
    MSG msg;
    while (::IsWindow(mainWnd)) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            return static_cast<int>(msg.wParam);
        }
        if (got < 0) {
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace SOUI
