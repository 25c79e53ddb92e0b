#pragma once

#include <windows.h>

#include <oaidl.h>

namespace classlib_detail {

class ControlSite;

// The object a control calls for its events. It hands each event to the event-sink map of the
// control's wrapper (entries for the control's ID and the event's DISPID). This is where the
// control's call re-enters the program, so nothing a handler raises goes back into the control:
// a COM error or any other exception ends that handler's work and is answered as the call's
// result.
class EventSink final : public IDispatch {
  public:
    EventSink(ControlSite* site, REFIID source) : site_(site), source_(source) {}
    EventSink(const EventSink&) = delete;
    EventSink& operator=(const EventSink&) = delete;

    // The site is going: later events reach nobody.
    void disconnect() { site_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE
    Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*, UINT*) override;

  private:
    ~EventSink() = default;

    LONG refs_ = 1;
    ControlSite* site_;
    IID source_;
};

}  // namespace classlib_detail
