#include "ConfirmLoginBeforeSave.h"

#include "PdfControlPtrs.h"
#include "PdfHostShell.h"

namespace PXV {

bool confirmLoginBeforeSave(IDispatch* eventObject, int, int) {
    IPdfSaveEventPtr save(eventObject);
    PdfHostShell& shell = pdfHostShell();
    bool stopped = true;
    if (shell.acceptsLoginBeforeSave()) {
        stopped = shell.runLoginDialog() == 2;  // 2: the user closed the sign-in dialog
    }
    if (stopped) {
        save->SetProceed(0);
    }
    return stopped;
}

}  // namespace PXV
