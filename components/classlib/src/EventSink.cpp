#include "EventSink.h"

#include <comdef.h>

#include "ControlSite.h"
#include "classlib/Wnd.h"

namespace classlib_detail {
namespace {

const EventSinkEntry* findEntry(const EventSinkMap* map, UINT controlId, DISPID dispid) {
    for (; map; map = map->base) {
        for (size_t i = 0; i < map->count; ++i) {
            const EventSinkEntry& entry = map->entries[i];
            if (entry.controlId == controlId && entry.dispid == dispid) {
                return &entry;
            }
        }
    }
    return nullptr;
}

}  // namespace

HRESULT STDMETHODCALLTYPE EventSink::QueryInterface(REFIID iid, void** out) {
    if (!out) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == source_) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE EventSink::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

ULONG STDMETHODCALLTYPE EventSink::Release() {
    LONG left = InterlockedDecrement(&refs_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE EventSink::GetTypeInfoCount(UINT* count) {
    if (!count) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE EventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE EventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE
EventSink::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*, UINT*) {
    if (!site_) {
        return S_OK;
    }
    CWnd* owner = site_->owner();
    const EventSinkEntry* entry = findEntry(owner->GetEventSinkMap(), site_->controlId(), dispid);
    if (!entry) {
        return S_OK;  // an event nobody handles
    }
    AddRef();  // the handler may tear the site and this sink down
    HRESULT hr;
    try {
        hr = entry->invoke(owner, *entry, params, result);
    } catch (const _com_error& e) {
        hr = e.Error();
    } catch (...) {
        hr = E_UNEXPECTED;
    }
    Release();
    return hr;
}

}  // namespace classlib_detail
