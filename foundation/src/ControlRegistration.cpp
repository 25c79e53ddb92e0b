#include <windows.h>

#include <soui/SUiDef.h>

#include "foundation/RegistryHelpers.h"

SOUI::SStringA controlRegistrationCommand() {
    SOUI::IUiDefInfo* definition = SOUI::SUiDef::GetUiDef();
    const SOUI::SNamedString* strings = definition != nullptr ? definition->GetNamedString() : nullptr;
    if (strings == nullptr) {
        return {};
    }
    wchar_t exePath[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exePath, MAX_PATH);
    exePath[MAX_PATH - 1] = L'\0';
    return regsvr32Command(controlModulePath(exePath, strings->Get(L"@string/controlFile")));
}

UINT registerControlDll() {
    const SOUI::SStringA command = controlRegistrationCommand();
    // Without the UI strings there is no module name to register.
    if (command.IsEmpty()) {
        return ERROR_FILE_NOT_FOUND;
    }
    return WinExec(command.c_str(), SW_SHOW);
}
