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
