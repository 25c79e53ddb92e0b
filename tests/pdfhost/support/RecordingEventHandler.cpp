// The wrapper's event handler for tests of the host alone: records what the event sink delivers.
#include "PdfEditControl.h"
#include "support/RecordedEvents.h"

std::vector<RecordedEvent>& recordedEvents() {
    static std::vector<RecordedEvent> events;
    return events;
}

void PXV::PdfEditControl::onPdfEvent(LONG eventId, IDispatch* eventObject, IUnknown*) {
    ULONG count = 0;
    takeInstance()->GetDocumentCount(&count);
    recordedEvents().push_back(RecordedEvent{eventId, count, eventObject != nullptr});
}
