#pragma once

#include <windows.h>

#include <oaidl.h>

#include <string>
#include <utility>

#include "Journal.h"
#include "Module.h"

namespace pdfc {

// Base of the engine's model objects: one interface (derived from IDispatch) under its own IID,
// reference counted, named in the journal while it lives. IDispatch itself is not served: the
// program calls these objects through their function tables only.
template <class Itf>
class ModelObject : public Itf {
  public:
    explicit ModelObject(std::wstring name) : name_(std::move(name)) {
        lockModule();
        registerObjectName(identity(), name_);
    }
    ModelObject(const ModelObject&) = delete;
    ModelObject& operator=(const ModelObject&) = delete;

    const std::wstring& name() const { return name_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) {
            return E_POINTER;
        }
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(Itf)) {
            *out = static_cast<Itf*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&refs_);
        if (left == 0) {
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // The program calls these objects through their function tables only: the dispatch functions
    // are refused unless an object gives one a meaning of its own.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) {
            *count = 0;
        }
        return refused(E_NOTIMPL, L"no dispatch interface", 3);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) {
            *info = nullptr;
        }
        return refused(E_NOTIMPL, L"no dispatch interface", 4);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return refused(E_NOTIMPL, L"no dispatch interface", 5);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return refused(DISP_E_MEMBERNOTFOUND, L"no dispatch interface", 6);
    }

  protected:
    virtual ~ModelObject() {
        forgetObjectName(identity());
        unlockModule();
    }

    const IUnknown* identity() const { return static_cast<const Itf*>(this); }

    // Records "name.slot(args)" with the object's journal name.
    template <class... Args>
    void record(int slot, Args... args) const {
        journal(callText(name_, slot, args...));
    }
    template <class... Args>
    void recordGives(IUnknown* given, int slot, Args... args) const {
        journal(callText(name_, slot, args...) + L" -> " + argText(given));
    }

    // Journals "refused name.slot(args): reason" and gives `hr` back.
    template <class... Args>
    HRESULT refused(HRESULT hr, const std::wstring& reason, int slot, Args... args) const {
        refuse(callText(name_, slot, args...), reason);
        return hr;
    }

    // Hands a new object (count 1) to `out` and records "name.slot(args) -> given".
    template <class Out, class Obj, class... Args>
    HRESULT handOut(Obj* made, Out** out, int slot, Args... args) const {
        if (!out) {
            made->Release();
            record(slot, args...);
            return E_POINTER;
        }
        *out = made;
        recordGives(*out, slot, args...);
        return S_OK;
    }

  private:
    std::wstring name_;
    LONG refs_ = 1;
};

}  // namespace pdfc
