#include "classlib/ControlContainer.h"

namespace {
bool g_containerEnabled = false;
}

void AfxEnableControlContainer() {
    g_containerEnabled = true;
}

bool AfxControlContainerEnabled() {
    return g_containerEnabled;
}
