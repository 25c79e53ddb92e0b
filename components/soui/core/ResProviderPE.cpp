// Resources of a loaded module: "TYPE:NAME" upper-cased, language 2052 first.
#include <windows.h>

#include <soui/IResProvider.h>

#include <set>
#include <string>
#include <vector>

#include "Internal.h"

namespace SOUI {
namespace {

const WORD kLangChinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

std::wstring Upper(LPCWSTR text) {
    std::wstring s = text ? text : L"";
    if (!s.empty()) {
        CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
    }
    return s;
}

class ResProviderPE;

// The providers of this module, so the library can list what they hold.
std::set<IResProvider*>& livePeProviders() {
    static std::set<IResProvider*> live;
    return live;
}

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
    if (!IS_INTRESOURCE(name)) {
        reinterpret_cast<std::vector<std::wstring>*>(names)->push_back(name);
    }
    return TRUE;
}

class ResProviderPE : public TObjRefImpl<IResProvider> {
  public:
    ResProviderPE() { livePeProviders().insert(this); }
    ~ResProviderPE() override { livePeProviders().erase(this); }
    std::vector<std::wstring> Names(LPCWSTR type) const {
        std::vector<std::wstring> names;
        if (module_ && type) {
            EnumResourceNamesW(module_, Upper(type).c_str(), &CollectName, reinterpret_cast<LONG_PTR>(&names));
        }
        return names;
    }
    BOOL Init(WPARAM wParam, LPARAM /*lParam*/) override {
        module_ = reinterpret_cast<HMODULE>(wParam);
        return module_ != nullptr;
    }
    BOOL HasResource(LPCWSTR type, LPCWSTR name) override { return Find(type, name) != nullptr; }
    size_t GetRawBufferSize(LPCWSTR type, LPCWSTR name) override {
        HRSRC res = Find(type, name);
        return res ? SizeofResource(module_, res) : 0;
    }
    BOOL GetRawBuffer(LPCWSTR type, LPCWSTR name, LPVOID buffer, size_t size) override {
        HRSRC res = Find(type, name);
        if (!res || !buffer) {
            return FALSE;
        }
        const DWORD n = SizeofResource(module_, res);
        HGLOBAL h = LoadResource(module_, res);
        const void* data = h ? LockResource(h) : nullptr;
        if (!data || size < n) {
            return FALSE;
        }
        memcpy(buffer, data, n);
        return TRUE;
    }
    HICON LoadIcon(LPCWSTR name, int size) override {
        if (!module_) {
            return nullptr;
        }
        const std::wstring n = Upper(name);
        return static_cast<HICON>(LoadImageW(module_, n.c_str(), IMAGE_ICON, size, size, size ? 0 : LR_DEFAULTSIZE));
    }
    HCURSOR LoadCursor(LPCWSTR name) override {
        if (!module_) {
            return nullptr;
        }
        const std::wstring n = Upper(name);
        return static_cast<HCURSOR>(LoadImageW(module_, n.c_str(), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
    }

  private:
    HRSRC Find(LPCWSTR type, LPCWSTR name) {
        if (!module_ || !type || !name) {
            return nullptr;
        }
        const std::wstring t = Upper(type);
        const std::wstring n = Upper(name);
        HRSRC res = FindResourceExW(module_, t.c_str(), n.c_str(), kLangChinese);
        if (!res) {
            res = FindResourceW(module_, n.c_str(), t.c_str());
        }
        return res;
    }

    HMODULE module_ = nullptr;
};

}  // namespace

BOOL CreateResProvider(BUILTIN_RESTYPE type, IObjRef** provider) {
    if (!provider || type != RES_PE) {
        return FALSE;
    }
    *provider = new ResProviderPE;
    return TRUE;
}

std::vector<std::wstring> ProviderResources(IResProvider* provider, LPCWSTR type) {
    std::vector<std::wstring> all;
    if (!provider || !livePeProviders().count(provider)) {
        return all;
    }
    for (const std::wstring& name : static_cast<ResProviderPE*>(provider)->Names(type)) {
        all.push_back(Upper(type) + L":" + name);
    }
    return all;
}

BOOL SplitResName(const std::wstring& typeAndName, std::wstring& type, std::wstring& name) {
    const size_t colon = typeAndName.find(L':');
    if (colon == std::wstring::npos || colon == 0 || colon + 1 >= typeAndName.size()) {
        return FALSE;
    }
    type = Upper(typeAndName.substr(0, colon).c_str());
    name = Upper(typeAndName.substr(colon + 1).c_str());
    return TRUE;
}

BOOL ReadResource(IResProvider* provider, const std::wstring& typeAndName, std::string& data) {
    std::wstring type, name;
    if (!provider || !SplitResName(typeAndName, type, name)) {
        return FALSE;
    }
    const size_t size = provider->GetRawBufferSize(type.c_str(), name.c_str());
    if (size == 0) {
        return FALSE;
    }
    data.resize(size);
    return provider->GetRawBuffer(type.c_str(), name.c_str(), data.data(), size);
}

}  // namespace SOUI
