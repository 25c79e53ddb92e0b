#include "ModuleFailureReport.h"

#include <windows.h>

#include "ShellEnvironment.h"

std::wstring moduleFailureText(const ModuleFailure& failure) {
    switch (failure.step) {
        case ModuleFailure::Step::loadModule:
            return L"无法加载DLL," + failure.name;
        case ModuleFailure::Step::findExport:
            return L"无法获取导出函数," + failure.name;
        case ModuleFailure::Step::exportGaveNull:
            return L"函数返回空," + failure.name;
        case ModuleFailure::Step::none:
            break;
    }
    return std::wstring();
}

void reportModuleFailure(const ModuleFailure& failure) {
    shellEnvironment().messageBox(nullptr, moduleFailureText(failure).c_str(), L"提示", MB_OK);
}
