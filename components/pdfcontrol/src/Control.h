#pragma once

#include <windows.h>

#include <ocidl.h>

#include <oleidl.h>

#include <string>
#include <vector>

namespace pdfc {

// The windowed control: automation (the dispatch identifiers of its published interface), in-place
// activation inside the container's window, and the source interface whose DISPID 1 it calls for
// every enabled event. Its window (class "PXVControl") lists the open documents.
class Control final : public IDispatch,
                      public IOleObject,
                      public IOleInPlaceObject,
                      public IConnectionPointContainer,
                      public IProvideClassInfo2 {
  public:
    Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    static void registerWindowClass();
    static void unregisterWindowClass();

    // Fires an event to every advised sink now; false when the event is not enabled.
    bool fire(const std::wstring& name, IDispatch* eventObject);
    // Fires from the window's message loop, after the call that caused it has returned.
    void queueEvent(const std::wstring& name);
    // A save as the user starts it: 1 saved, 0 stopped by the handler, -1 no document.
    int performSave();
    void repaint();
    HWND window() const { return hwnd_; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id,
                                     REFIID,
                                     LCID,
                                     WORD flags,
                                     DISPPARAMS* params,
                                     VARIANT* result,
                                     EXCEPINFO*,
                                     UINT* argError) override;

    // IOleObject
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override;
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT rect) override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Update() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE IsUpToDate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD, DWORD* status) override;
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceObject
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT pos, LPCRECT clip) override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override { return E_NOTIMPL; }

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

    // IProvideClassInfo2
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override;

  private:
    // The one connection point, for the source interface; counted with the control.
    class EventPoint final : public IConnectionPoint {
      public:
        explicit EventPoint(Control* owner) : owner_(owner) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return owner_->AddRef(); }
        ULONG STDMETHODCALLTYPE Release() override { return owner_->Release(); }
        HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
        HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override;
        HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
        HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
        HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

      private:
        Control* owner_;
    };

    struct Sink {
        DWORD cookie;
        IDispatch* dispatch;
    };

    ~Control();

    HRESULT invokeDispatch(DISPID id, DISPPARAMS* params, VARIANT* result);
    HRESULT openDocument(const std::wstring& path);
    bool createWindow(HWND parent, LPCRECT rect);
    void destroyWindow();
    void firePending();
    void paint(HDC dc);
    void selectAt(int y);

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
    LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp);

    LONG refs_ = 1;
    EventPoint eventPoint_{this};
    std::vector<Sink> sinks_;
    DWORD nextCookie_ = 1;
    IOleClientSite* site_ = nullptr;
    HWND hwnd_ = nullptr;
    std::vector<std::wstring> pending_;
    ULONG initFlag_ = 0;
};

}  // namespace pdfc
