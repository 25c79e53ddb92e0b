// Kept apart from the rest of the list so that only code that uses the program's own state
// (the start page) needs g_appState at link time.
#include "foundation/AppState.h"
#include "foundation/RecentDocList.h"

CRecentDocList::CRecentDocList() : CRecentDocList(g_appState) {}
