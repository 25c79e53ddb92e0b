#pragma once

#include <windows.h>

#include <vector>

// What the test's event handler saw: each event's ID and the number of open documents then.
struct RecordedEvent {
    LONG id;
    ULONG openDocuments;
    bool hadObject;
};

std::vector<RecordedEvent>& recordedEvents();
