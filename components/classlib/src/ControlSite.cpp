#include "ControlSite.h"

#include <comdef.h>

#include "EventSink.h"
#include "classlib/Wnd.h"

namespace classlib_detail {

ControlSite::ControlSite(CWnd* owner, UINT controlId, HWND parent, const RECT& rect)
    : owner_(owner), controlId_(controlId), parent_(parent), rect_(rect) {}

ControlSite::~ControlSite() {
    detach();
}

bool ControlSite::create(REFCLSID clsid, DWORD style, LPCWSTR windowName) {
    HRESULT hr =
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, reinterpret_cast<void**>(&oleObject_));
    if (FAILED(hr) || !oleObject_) {
        oleObject_ = nullptr;
        return false;
    }
    oleObject_->SetClientSite(this);
    IPersistStreamInit* persist = nullptr;
    if (SUCCEEDED(oleObject_->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist))) && persist) {
        persist->InitNew();
        persist->Release();
    }
    hr = oleObject_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, parent_, &rect_);
    IOleInPlaceObject* inPlace = nullptr;
    if (SUCCEEDED(hr) &&
        SUCCEEDED(oleObject_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace))) && inPlace) {
        inPlace->GetWindow(&controlHwnd_);
        inPlace->Release();
    }
    if (!controlHwnd_ || !IsWindow(controlHwnd_)) {
        controlHwnd_ = nullptr;
        detach();
        return false;
    }
    SetWindowLongPtrW(controlHwnd_, GWLP_ID, static_cast<LONG_PTR>(controlId_));
    if (windowName) {
        SetWindowTextW(controlHwnd_, windowName);
    }
    if (style & WS_VISIBLE) {
        ::ShowWindow(controlHwnd_, SW_SHOWNA);
    }
    if (FAILED(oleObject_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch_)))) {
        dispatch_ = nullptr;
    }
    adviseEvents();
    return true;
}

// The default source interface comes from the control's class information; a control without one
// simply has no events.
void ControlSite::adviseEvents() {
    IProvideClassInfo2* info = nullptr;
    IID source = IID_NULL;
    if (SUCCEEDED(oleObject_->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&info))) && info) {
        if (FAILED(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source))) {
            source = IID_NULL;
        }
        info->Release();
    }
    if (source == IID_NULL) {
        return;
    }
    IConnectionPointContainer* points = nullptr;
    if (FAILED(oleObject_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points))) ||
        !points) {
        return;
    }
    if (SUCCEEDED(points->FindConnectionPoint(source, &eventPoint_)) && eventPoint_) {
        sink_ = new EventSink(this, source);
        if (FAILED(eventPoint_->Advise(static_cast<IDispatch*>(sink_), &cookie_))) {
            cookie_ = 0;
        }
    } else {
        eventPoint_ = nullptr;
    }
    points->Release();
}

void ControlSite::detach() {
    if (eventPoint_) {
        if (cookie_) {
            eventPoint_->Unadvise(cookie_);
            cookie_ = 0;
        }
        eventPoint_->Release();
        eventPoint_ = nullptr;
    }
    if (sink_) {
        sink_->disconnect();
        sink_->Release();
        sink_ = nullptr;
    }
    if (dispatch_) {
        dispatch_->Release();
        dispatch_ = nullptr;
    }
    if (oleObject_) {
        IOleObject* object = oleObject_;
        oleObject_ = nullptr;
        object->Close(OLECLOSE_NOSAVE);
        object->SetClientSite(nullptr);
        object->Release();
    }
    controlHwnd_ = nullptr;
}

HRESULT STDMETHODCALLTYPE ControlSite::QueryInterface(REFIID iid, void** out) {
    if (!out) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
        *out = static_cast<IOleClientSite*>(this);
    } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
        *out = static_cast<IOleInPlaceSite*>(this);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE ControlSite::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

ULONG STDMETHODCALLTYPE ControlSite::Release() {
    LONG left = InterlockedDecrement(&refs_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE ControlSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) {
        *moniker = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ControlSite::GetContainer(IOleContainer** container) {
    if (container) {
        *container = nullptr;
    }
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE ControlSite::GetWindow(HWND* hwnd) {
    if (!hwnd) {
        return E_POINTER;
    }
    *hwnd = parent_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ControlSite::GetWindowContext(IOleInPlaceFrame** frame,
                                                        IOleInPlaceUIWindow** doc,
                                                        LPRECT pos,
                                                        LPRECT clip,
                                                        LPOLEINPLACEFRAMEINFO info) {
    if (frame) {
        *frame = nullptr;
    }
    if (doc) {
        *doc = nullptr;
    }
    if (pos) {
        *pos = rect_;
    }
    if (clip) {
        *clip = rect_;
    }
    if (info) {
        info->fMDIApp = FALSE;
        info->hwndFrame = parent_;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ControlSite::OnPosRectChange(LPCRECT rect) {
    if (!rect) {
        return E_POINTER;
    }
    rect_ = *rect;
    IOleInPlaceObject* inPlace = nullptr;
    if (oleObject_ &&
        SUCCEEDED(oleObject_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace))) && inPlace) {
        inPlace->SetObjectRects(&rect_, &rect_);
        inPlace->Release();
    }
    return S_OK;
}

}  // namespace classlib_detail
