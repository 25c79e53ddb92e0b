// The in-process server: module entry, class objects, registration.
#include "Module.h"

#include <olectl.h>

#include <string>

#include "Control.h"
#include "ControlInterfaces.h"
#include "Engine.h"
#include "Journal.h"
#include "Model.h"

namespace pdfc {
namespace {

HINSTANCE g_module = nullptr;
LONG g_locks = 0;

enum class Kind { control, engine };

class ClassFactory final : public IClassFactory {
  public:
    explicit ClassFactory(Kind kind) : kind_(kind) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) {
            return E_POINTER;
        }
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // Class objects are static; they keep the module loaded only through LockServer.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out) {
            return E_POINTER;
        }
        *out = nullptr;
        if (outer) {
            return CLASS_E_NOAGGREGATION;
        }
        try {
            IUnknown* made = kind_ == Kind::control ? static_cast<IUnknown*>(static_cast<IDispatch*>(new Control()))
                                                    : static_cast<IUnknown*>(makeInstance());
            HRESULT hr = made->QueryInterface(iid, out);
            made->Release();
            journal(std::wstring(kind_ == Kind::control ? L"created control" : L"created engine") +
                    (SUCCEEDED(hr) ? L"" : L" (interface refused)"));
            return hr;
        } catch (...) {
            return E_OUTOFMEMORY;
        }
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock) {
            lockModule();
        } else {
            unlockModule();
        }
        return S_OK;
    }

  private:
    Kind kind_;
};

ClassFactory g_controlFactory(Kind::control);
ClassFactory g_engineFactory(Kind::engine);

std::wstring guidText(REFGUID guid) {
    wchar_t text[40] = L"";
    StringFromGUID2(guid, text, 40);
    return text;
}

bool setValue(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    LONG rc = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    return rc == ERROR_SUCCESS;
}

bool registerClass(REFCLSID clsid, const wchar_t* description, const std::wstring& modulePath, bool control) {
    std::wstring key = L"CLSID\\" + guidText(clsid);
    bool ok = setValue(HKEY_CLASSES_ROOT, key, nullptr, description) &&
              setValue(HKEY_CLASSES_ROOT, key + L"\\InprocServer32", nullptr, modulePath) &&
              setValue(HKEY_CLASSES_ROOT, key + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    if (ok && control) {
        ok = setValue(HKEY_CLASSES_ROOT, key + L"\\Control", nullptr, L"");
    }
    return ok;
}

bool unregisterClass(REFCLSID clsid) {
    std::wstring key = L"CLSID\\" + guidText(clsid);
    LONG rc = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

}  // namespace

HINSTANCE moduleHandle() {
    return g_module;
}

void lockModule() {
    InterlockedIncrement(&g_locks);
}

void unlockModule() {
    InterlockedDecrement(&g_locks);
}

bool moduleInUse() {
    return g_locks != 0;
}

}  // namespace pdfc

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        pdfc::g_module = instance;
        DisableThreadLibraryCalls(instance);
        pdfc::Control::registerWindowClass();
    } else if (reason == DLL_PROCESS_DETACH) {
        pdfc::Control::unregisterWindowClass();
    }
    return TRUE;
}

__declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) {
        return E_POINTER;
    }
    *out = nullptr;
    if (clsid == pdfc::kControlClsid) {
        return pdfc::g_controlFactory.QueryInterface(iid, out);
    }
    if (clsid == pdfc::kEngineClsid) {
        return pdfc::g_engineFactory.QueryInterface(iid, out);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

// The engine's documents and event IDs live in the module, so it stays while they matter.
__declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return pdfc::moduleInUse() || pdfc::Engine::get().running() ? S_FALSE : S_OK;
}

// The engine last: its key is what the program's fallback waits for.
__declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(pdfc::g_module, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) {
        return SELFREG_E_CLASS;
    }
    bool ok = pdfc::registerClass(pdfc::kControlClsid, L"PDF editing control", path, true) &&
              pdfc::registerClass(pdfc::kEngineClsid, L"PDF editing engine", path, false);
    return ok ? S_OK : SELFREG_E_CLASS;
}

__declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer() {
    bool ok = pdfc::unregisterClass(pdfc::kEngineClsid);
    ok = pdfc::unregisterClass(pdfc::kControlClsid) && ok;
    return ok ? S_OK : SELFREG_E_CLASS;
}

}  // extern "C"
