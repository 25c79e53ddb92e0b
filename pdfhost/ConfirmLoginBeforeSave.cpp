#include "ConfirmLoginBeforeSave.h"

#include "MainDlg.h"
#include "PdfControlPtrs.h"
#include "ShellDialogs.h"

namespace PXV {

bool confirmLoginBeforeSave(IDispatch* eventObject, int, int) {
    IPdfSaveEventPtr save(eventObject);
    bool stopped = true;
    if (runPrompt(kLoginBeforeSave, nullptr) == kPromptAccepted) {
        CMainDlg* main = getMainDlg();
        stopped = main && main->showLoginDialog() == 2;  // 2: the user closed the sign-in dialog
    }
    if (stopped) {
        save->SetProceed(0);
    }
    return stopped;
}

}  // namespace PXV
