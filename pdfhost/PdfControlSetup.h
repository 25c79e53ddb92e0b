#pragma once

#include "PdfEditControl.h"

namespace PXV {

// The way from the instance object to the ribbon's tabs: its frame (slot 17), the frame's ribbon
// (slot 15) and the ribbon's tab collection (slot 34), whose items 0 to 9 are the tabs of the
// start-up switches. The set-up walks it, and so do the events that refresh the tabs.
struct RibbonChain {
    IPdfFramePtr frame;
    IPdfRibbonPtr ribbon;
    IPdfTabsPtr tabs;
};
RibbonChain ribbonChain(IPdfInstance* instance);

// Configures the control once it is in the main window: subscribes its events, hides the ribbon
// tabs whose flag is 0 (in the order of the start-up switches), makes the fixed adjustments of its
// user interface, sets its settings and colour entries and hooks its "UIX" extension. A COM error
// raised on the way leaves the later steps undone and travels up.
void configurePdfControl(PdfEditControl& control, const int (&ribbonTabVisible)[10]);

}  // namespace PXV
