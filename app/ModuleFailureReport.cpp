#include "ModuleFailureReport.h"

#include <windows.h>

#include "ShellEnvironment.h"

void reportModuleFailure(const ModuleFailure& failure) {
    shellEnvironment().messageBox(nullptr, moduleFailureText(failure).c_str(), L"提示", MB_OK);
}
