#pragma once

#include <windows.h>

#include <oaidl.h>

#include <cstddef>
#include <cstring>
#include <type_traits>
#include <utility>

class CWnd;

// The events a window class takes from the controls it wraps: entries of (control ID, DISPID,
// parameter types, handler), chained to the base class's map. The event sink of a control created
// by CWnd::CreateControl looks here, in the wrapper of that control, for the control's own ID.
struct EventSinkEntry {
    UINT controlId;
    DISPID dispid;
    const char* paramTypes;  // VTS_ list
    VARTYPE resultType;      // what the entry is declared to give back
    HRESULT (*invoke)(CWnd* target, const EventSinkEntry& entry, const DISPPARAMS* params, VARIANT* result);
};

struct EventSinkMap {
    const EventSinkMap* base;
    const EventSinkEntry* entries;
    size_t count;
};

namespace classlib_detail {

// The value of an argument already coerced to its listed type.
template <class T>
T argumentValue(const VARIANT& v) {
    if constexpr (std::is_same_v<T, IDispatch*>) {
        return v.vt == VT_DISPATCH ? v.pdispVal : nullptr;
    } else if constexpr (std::is_same_v<T, IUnknown*>) {
        return v.vt == VT_UNKNOWN ? v.punkVal : (v.vt == VT_DISPATCH ? v.pdispVal : nullptr);
    } else if constexpr (std::is_same_v<T, BSTR> || std::is_same_v<T, const wchar_t*>) {
        return v.vt == VT_BSTR ? v.bstrVal : nullptr;
    } else {
        static_assert(std::is_integral_v<T>, "event handler parameter of an unsupported type");
        switch (v.vt) {
            case VT_BOOL:
                return static_cast<T>(v.boolVal != VARIANT_FALSE);
            case VT_UI4:
                return static_cast<T>(v.ulVal);
            default:
                return static_cast<T>(v.lVal);
        }
    }
}

HRESULT coerceArguments(const EventSinkEntry& entry, const DISPPARAMS* params, VARIANT* coerced, size_t count);
void clearArguments(VARIANT* coerced, size_t count);
void setResult(VARIANT* result, VARTYPE type, bool value);

template <auto Handler>
struct EventThunk;

template <class C, class R, class... Args, R (C::*Handler)(Args...)>
struct EventThunk<Handler> {
    static HRESULT invoke(CWnd* target, const EventSinkEntry& entry, const DISPPARAMS* params, VARIANT* result) {
        constexpr size_t count = sizeof...(Args);
        VARIANT coerced[count > 0 ? count : 1];
        HRESULT hr = coerceArguments(entry, params, coerced, count);
        if (FAILED(hr)) {
            return hr;
        }
        struct Clear {
            VARIANT* v;
            ~Clear() { clearArguments(v, count); }
        } clear{coerced};
        call(static_cast<C*>(target), coerced, result, entry.resultType, std::index_sequence_for<Args...>{});
        return S_OK;
    }

    template <size_t... I>
    static void call(C* self, VARIANT* coerced, VARIANT* result, VARTYPE resultType, std::index_sequence<I...>) {
        if constexpr (std::is_void_v<R>) {
            (self->*Handler)(argumentValue<Args>(coerced[I])...);
            setResult(result, resultType, false);  // a handler that gives nothing answers FALSE
        } else {
            R value = (self->*Handler)(argumentValue<Args>(coerced[I])...);
            setResult(result, resultType, value != 0);
        }
        (void)coerced;
    }
};

}  // namespace classlib_detail

// One entry: events DISPID `dispid` of the control with ID `controlId`, arguments of the listed
// types, handled by `Handler` (a member function of the map's window class), declared to give a BOOL.
template <auto Handler>
constexpr EventSinkEntry eventSinkEntry(UINT controlId, DISPID dispid, const char* paramTypes) {
    return EventSinkEntry{controlId, dispid, paramTypes, VT_BOOL, &classlib_detail::EventThunk<Handler>::invoke};
}
