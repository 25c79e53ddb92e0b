#include <windows.h>

#include <soui/SUiDef.h>

#include <string>

#include "foundation/FileHelpers.h"
#include "foundation/RegistryHelpers.h"

SOUI::SStringA controlRegistrationCommand() {
    SOUI::IUiDefInfo* definition = SOUI::SUiDef::GetUiDef();
    const SOUI::SNamedString* strings = definition != nullptr ? definition->GetNamedString() : nullptr;
    if (strings == nullptr) {
        return {};
    }
    std::wstring exePath;
    getModuleFilePath(exePath);
    return regsvr32Command(controlModulePath(exePath.c_str(), strings->Get(L"@string/controlFile")));
}

UINT registerControlDll() {
    const SOUI::SStringA command = controlRegistrationCommand();
    // Without the UI strings there is no module name to register.
    if (command.IsEmpty()) {
        return ERROR_FILE_NOT_FOUND;
    }
    return WinExec(command.c_str(), SW_SHOW);
}
