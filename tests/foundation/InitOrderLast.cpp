#include "InitOrder.h"

// Linked the way the program links g_appState.
InitRecorder g_last("last");
