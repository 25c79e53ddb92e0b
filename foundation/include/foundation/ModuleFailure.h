#pragma once

#include <string>

// Why a module the program cannot run without is unusable: the first step of its loading that
// failed, and the name that step concerns (the module's file name, or the export's name). The
// loaders fill it; the start-up tells the user.
struct ModuleFailure {
    enum class Step {
        none,
        loadModule,      // LoadLibraryW found no module of that file name
        findExport,      // the module has no export of that name
        exportGaveNull,  // the export yielded no object
    };

    Step step = Step::none;
    std::wstring name;

    explicit operator bool() const { return step != Step::none; }
};

// What the user is told of it: "无法加载DLL," with the module's file name, "无法获取导出函数," or
// "函数返回空," with the export's name; empty when nothing failed. The crash library's load and the
// start-up's modules word their failures alike.
inline std::wstring moduleFailureText(const ModuleFailure& failure) {
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
