#pragma once

#include <windows.h>

#include <oaidl.h>

namespace PXV {

// While the control's save waits: asks whether to sign in and runs the sign-in dialog. Stops the
// save (true) when the user declines or closes the prompt, or closes the sign-in dialog; lets it
// go on (false) after a completed sign-in, or when there is no main window. The two integers are
// not used.
bool confirmLoginBeforeSave(IDispatch* eventObject, int unused1, int unused2);

}  // namespace PXV
