#pragma once

namespace PXV {

// The events the control is subscribed to, in this order.
extern const wchar_t* const PdfEventNames[15];

}  // namespace PXV
