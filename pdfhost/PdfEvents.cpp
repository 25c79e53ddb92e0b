// The wrapper's reactions to the control's events: the program's definitions of the event-sink
// map's handler and of the operations it runs.
#include "ConfirmLoginBeforeSave.h"
#include "HandlerBoundary.h"
#include "PdfControlSetup.h"
#include "PdfEditControl.h"
#include "PdfHostShell.h"
#include "foundation/AppState.h"

namespace PXV {
namespace {

// The ribbon-tab collection's items from index 12 on, counted once before the first call.
void refreshItemsFrom12(PdfEditControl& control) {
    IPdfInstancePtr instance = control.takeInstance();
    const RibbonChain ui = ribbonChain(instance);
    ULONG count = 0;
    ui.tabs->GetCount(&count);
    for (ULONG i = 12; i < count; ++i) {
        ui.tabs->RefreshItem(static_cast<LONG>(i));
    }
}

}  // namespace

// The control calls in through its event sink: an error of a handler ends here, the event's
// remaining steps are left undone, and the control goes on.
void PdfEditControl::onPdfEvent(LONG eventId, IDispatch* eventObject, IUnknown* source) {
    runAtBoundary(L"PDF control event", [&] {
        // Every name is looked up afresh, and all five are compared for every event.
        if (eventId == getEventId(pdfc::kEventDocumentViewActivated)) {
            onDocumentViewActivated(eventId, eventObject, source);
        }
        if (eventId == getEventId(pdfc::kEventOperExecuted)) {
            onOperExecuted(eventId, eventObject, source);
        }
        if (eventId == getEventId(pdfc::kEventTextEditorStarted)) {
            onTextEditorStarted(eventId, eventObject, source);
        }
        if (eventId == getEventId(pdfc::kEventDocumentPerformSave)) {
            onPerformSave(eventId, eventObject, source);
        }
        if (eventId == getEventId(pdfc::kEventDocumentClosed)) {
            onDocumentClosed(eventId, eventObject, source);
        }
    });
}

void PdfEditControl::onDocumentViewActivated(LONG, IDispatch*, IUnknown*) {
    IPdfInstancePtr instance = takeInstance();
    showView(L"bookmarksView", TRUE, FALSE);
    showView(L"pageThumbnailsView", TRUE, FALSE);
    runCommand(instance, pdfc::kCommandEditContentAll);
}

void PdfEditControl::onOperExecuted(LONG, IDispatch*, IUnknown*) {
    refreshItemsFrom12(*this);
}

void PdfEditControl::onTextEditorStarted(LONG, IDispatch*, IUnknown*) {
    refreshItemsFrom12(*this);
}

void PdfEditControl::onPerformSave(LONG, IDispatch* eventObject, IUnknown*) {
    IPdfSaveEventPtr save(eventObject);
    if (g_appState.doLogin != 0 && g_appState.user.loggedIn == 0) {
        confirmLoginBeforeSave(eventObject, 1, 1);
    }
}

void PdfEditControl::onDocumentClosed(LONG, IDispatch*, IUnknown*) {
    IPdfInstancePtr instance = takeInstance();
    ULONG open = 0;
    instance->GetDocumentCount(&open);
    PdfHostShell& shell = pdfHostShell();
    if (!shell.exitRequested()) {
        return;
    }
    if (open < 1) {
        // The close sequence comes back, finds no document and destroys the window.
        shell.closeMainWindow();
        return;
    }
    shell.closeDocumentForExit();
}

}  // namespace PXV
