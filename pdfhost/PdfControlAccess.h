#pragma once

#include "PdfEditControl.h"

namespace PXV {

// How long the administrator's fallback waits for the registration to end before it tries again.
inline constexpr unsigned long kRegisterWaitMs = 30000;

}  // namespace PXV

// The process-wide wrapper: null until the first getPdfControl, never cleared.
extern PXV::PdfEditControl* g_pdfControl;

// The wrapper, made on first use together with the engine. When the engine cannot be created, a
// process without administrator rights starts itself again elevated and gets null; an administrator
// registers the control, waits for that, tries once more and gets the wrapper whatever the result.
PXV::PdfEditControl* getPdfControl();

// What the first getPdfControl reached with the engine object.
enum class PdfEngineState {
    notTried,
    created,            // at the first attempt, or at the second after the registration
    restartedElevated,  // the elevated copy takes over; this process makes no main window
    unavailable,        // still none after the registration: the control cannot be used
};
PdfEngineState pdfEngineState();

// Creates the engine object, gives it its two history files and releases it; false when no object
// could be created.
bool createPdfEngine();
