#pragma once

// The control's published interface as this module implements it: every source of the module
// includes it through this header. A filler position, one the interface gives its callers no
// function for, is refused: journalled as "refused <object>.<position>()" and answered E_NOTIMPL.
#include <windows.h>

#include <unknwn.h>

#ifdef PDFC_FILLER_BODY
#error "the control's interface was included before ControlInterfaces.h: its fillers would stay pure"
#endif

namespace pdfc {
HRESULT refuseFillerCall(IUnknown* object, int position);
}  // namespace pdfc

#define PDFC_FILLER_BODY(position) \
    { return ::pdfc::refuseFillerCall(this, (position)); }

#include "pdfcontrol/PdfControlInterfaces.h"
