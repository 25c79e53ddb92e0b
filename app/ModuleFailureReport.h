#pragma once

#include <string>

#include "foundation/ModuleFailure.h"

// The one system message box that tells a module the program cannot run without is unusable, in
// the words of moduleFailureText: no owner, caption "提示", MB_OK; it returns when the user has
// closed it.
void reportModuleFailure(const ModuleFailure& failure);
