#include "classlib/EventSinkMap.h"

namespace classlib_detail {

// Arguments arrive last first; each is coerced to the type its entry lists.
HRESULT coerceArguments(const EventSinkEntry& entry, const DISPPARAMS* params, VARIANT* coerced, size_t count) {
    size_t listed = entry.paramTypes ? std::strlen(entry.paramTypes) : 0;
    if (!params || listed != count || params->cArgs != count) {
        return DISP_E_BADPARAMCOUNT;
    }
    for (size_t i = 0; i < count; ++i) {
        VariantInit(&coerced[i]);
    }
    for (size_t i = 0; i < count; ++i) {
        VARIANT* in = &params->rgvarg[count - 1 - i];
        VARTYPE type = static_cast<VARTYPE>(static_cast<unsigned char>(entry.paramTypes[i]));
        HRESULT hr = VariantChangeType(&coerced[i], in, 0, type);
        if (FAILED(hr)) {
            clearArguments(coerced, count);
            return DISP_E_TYPEMISMATCH;
        }
    }
    return S_OK;
}

void clearArguments(VARIANT* coerced, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        VariantClear(&coerced[i]);
    }
}

void setResult(VARIANT* result, VARTYPE type, bool value) {
    if (!result) {
        return;
    }
    VariantInit(result);
    if (type == VT_BOOL) {
        result->vt = VT_BOOL;
        result->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    }
}

}  // namespace classlib_detail
