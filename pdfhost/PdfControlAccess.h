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

// Creates the engine object, gives it its two history files and releases it; false when no object
// could be created.
bool createPdfEngine();
