// The program's one application state. This object is linked ahead of every other object of the
// program (bravik_link_app_state), and the toolchain runs the static constructors of the first
// objects last: so the state is built after every other static object and before the entry point,
// and destroyed at exit after the entry point has returned.
#include "foundation/AppState.h"

CAppState g_appState;
