#pragma once

#include "PdfEditControl.h"

namespace PXV {

// Configures the control once it is in the main window: subscribes its events, hides the ribbon
// tabs whose flag is 0 (in the order of the start-up switches), makes the fixed adjustments of its
// user interface, sets its settings and colour entries and hooks its "UIX" extension. A COM error
// raised on the way leaves the later steps undone and travels up.
void configurePdfControl(PdfEditControl& control, const int (&ribbonTabVisible)[10]);

}  // namespace PXV
