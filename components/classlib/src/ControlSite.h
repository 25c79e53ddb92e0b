#pragma once

#include <windows.h>

#include <ocidl.h>

#include <oleidl.h>

class CWnd;

namespace classlib_detail {

class EventSink;

// The container side of one ActiveX control: its client and in-place site, the control's
// interfaces, and the event sink advised on its default source interface. Owned (one reference) by
// the CWnd it serves; torn down when the control's window goes or the CWnd is destroyed.
class ControlSite final : public IOleClientSite, public IOleInPlaceSite {
  public:
    ControlSite(CWnd* owner, UINT controlId, HWND parent, const RECT& rect);
    ControlSite(const ControlSite&) = delete;
    ControlSite& operator=(const ControlSite&) = delete;

    // Creates, activates and connects the control; false (and everything undone) on failure.
    bool create(REFCLSID clsid, DWORD style, LPCWSTR windowName);
    // Disconnects and closes the control; the owner no longer has one.
    void detach();

    CWnd* owner() const { return owner_; }
    UINT controlId() const { return controlId_; }
    HWND controlWindow() const { return controlHwnd_; }
    IDispatch* dispatch() const { return dispatch_; }
    IUnknown* controlUnknown() const { return oleObject_; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override;
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame,
                                               IOleInPlaceUIWindow** doc,
                                               LPRECT pos,
                                               LPRECT clip,
                                               LPOLEINPLACEFRAMEINFO info) override;
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT rect) override;

  private:
    ~ControlSite();
    void adviseEvents();

    LONG refs_ = 1;
    CWnd* owner_;
    UINT controlId_;
    HWND parent_;
    RECT rect_;
    IOleObject* oleObject_ = nullptr;
    IDispatch* dispatch_ = nullptr;
    HWND controlHwnd_ = nullptr;
    IConnectionPoint* eventPoint_ = nullptr;
    EventSink* sink_ = nullptr;
    DWORD cookie_ = 0;
};

}  // namespace classlib_detail
