#include <soui/SResProviderMgr.h>
#include <soui/SUiDef.h>

#include <algorithm>

#include "AttrParse.h"
#include "Internal.h"
#include "Refusals.h"

namespace SOUI {

SResProviderMgr::SResProviderMgr() = default;

SResProviderMgr::~SResProviderMgr() {
    for (IResProvider* p : providers_) {
        p->Release();
    }
}

BOOL SResProviderMgr::AddResProvider(IResProvider* provider, LPCWSTR uidef) {
    if (!provider) {
        return FALSE;
    }
    provider->AddRef();
    providers_.push_back(provider);
    if (!uidef || !*uidef) {
        return TRUE;
    }
    // A missing or broken definition is refused where it is read.
    IUiDefInfo* def = SUiDef::CreateUiDefInfo(provider, uidef);
    if (!def) {
        return FALSE;
    }
    SUiDef::SetUiDef(def);
    def->Release();
    return TRUE;
}

void SResProviderMgr::RemoveResProvider(IResProvider* provider) {
    for (auto it = providers_.begin(); it != providers_.end(); ++it) {
        if (*it == provider) {
            providers_.erase(it);
            provider->Release();
            return;
        }
    }
}

BOOL SResProviderMgr::HasResource(LPCWSTR typeAndName) const {
    std::wstring type, name;
    if (!typeAndName || !SplitResName(typeAndName, type, name)) {
        return FALSE;
    }
    for (auto it = providers_.rbegin(); it != providers_.rend(); ++it) {
        if ((*it)->HasResource(type.c_str(), name.c_str())) {
            return TRUE;
        }
    }
    return FALSE;
}

BOOL SResProviderMgr::GetRawBuffer(LPCWSTR typeAndName, std::string& data) const {
    if (!typeAndName) {
        return FALSE;
    }
    for (auto it = providers_.rbegin(); it != providers_.rend(); ++it) {
        if (ReadResource(*it, typeAndName, data)) {
            return TRUE;
        }
    }
    return FALSE;
}

HCURSOR SResProviderMgr::LoadCursorW(LPCWSTR resName, BOOL fromFile) {
    if (!resName) {
        Refuse(L"LoadCursorW(null)", L"no cursor named");
        return nullptr;
    }
    if (IS_INTRESOURCE(resName)) {
        HCURSOR cursor = ::LoadCursorW(nullptr, resName);
        if (!cursor) {
            Refuse(L"LoadCursorW(" + std::to_wstring(reinterpret_cast<UINT_PTR>(resName)) + L")",
                   L"no system cursor of that id");
        }
        return cursor;
    }
    if (fromFile) {
        HCURSOR cursor =
            static_cast<HCURSOR>(LoadImageW(nullptr, resName, IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
        if (!cursor) {
            Refuse(L"LoadCursorW(\"" + std::wstring(resName) + L"\", from a file)", L"no cursor file");
        }
        return cursor;
    }
    for (auto it = providers_.rbegin(); it != providers_.rend(); ++it) {
        if (HCURSOR c = (*it)->LoadCursor(resName)) {
            return c;
        }
    }
    Refuse(L"LoadCursorW(\"" + std::wstring(resName) + L"\")", L"no provider has such a cursor");
    return nullptr;
}

HICON SResProviderMgr::LoadIconW(LPCWSTR nameAndSize) {
    if (!nameAndSize) {
        return nullptr;
    }
    const std::wstring spec = nameAndSize;
    const size_t colon = spec.rfind(L':');
    const std::wstring name = colon == std::wstring::npos ? spec : spec.substr(0, colon);
    const int size = colon == std::wstring::npos ? 0 : ParseInt(spec.substr(colon + 1), 0);
    for (auto it = providers_.rbegin(); it != providers_.rend(); ++it) {
        if (HICON icon = (*it)->LoadIcon(name.c_str(), size)) {
            return icon;
        }
    }
    return nullptr;
}

std::vector<std::wstring> SResProviderMgr::ListResources(LPCWSTR type) const {
    std::vector<std::wstring> all;
    for (IResProvider* p : providers_) {
        for (const std::wstring& name : ProviderResources(p, type)) {
            if (std::find(all.begin(), all.end(), name) == all.end()) {
                all.push_back(name);
            }
        }
    }
    return all;
}

}  // namespace SOUI
