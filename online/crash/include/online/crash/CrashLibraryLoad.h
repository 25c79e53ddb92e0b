#pragma once

#include <windows.h>

#include <crashkeep/CrashKeep.h>

// What the load sequence reached; later fields are null after an earlier failure.
struct CrashLibrary {
    HMODULE module = nullptr;
    GetExportInterfaceFunction getInterface = nullptr;
    CBLLDumpCatchMgrExport* exportInterface = nullptr;
};

// The crash library's load sequence: "crashkeep.dll" by file name through the system's library
// search, its export "getBLLDumpCatchMgrExportInterface", then the export's interface object.
// The first step that fails shows its message (no owner, caption "提示", MB_OK; it blocks until
// closed) and ends the sequence. Nothing is unloaded.
CrashLibrary loadCrashLibrary();

// The start-up registration: the load sequence, then the interface's manager is given the
// observer, which must live until the process ends. False after a failure of the sequence, whose
// message has been shown; the library is never unloaded.
bool registerCrashObserver(CDumpCatchObserverBase* observer);

// The entry point's crash step: registerCrashObserver with the process's one CBLLDumpCatchUpload,
// made on the heap at the first call and never destroyed. The crash library calls it until the
// process ends, also for a fault after the entry point has returned (exit handlers, static
// destructors), so no frame may own it. The upload's transfer library is set up here too. A second
// call registers nothing more and returns false.
bool registerProcessCrashObserver();
