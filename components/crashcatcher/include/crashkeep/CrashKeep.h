#pragma once

// crashkeep.dll, the crash-catching library, as its callers see it. Everything is reached through
// GetProcAddress by the export names below.
//
// Once the first observer is registered, the library catches the process's unhandled faults
// (SetUnhandledExceptionFilter). For the first fault it writes a crash text in the ANSI code page
// and calls every observer's onDumpCatch, in the order they were registered, on a thread of its
// own; the faulting thread waits for that thread, then the process ends with the fault's code. A
// fault while the observers run (theirs or another thread's) ends the process at once. From the
// first registration on, the library stays loaded until the process ends.

// What the library calls back. It keeps every observer for the rest of the run and never deletes
// one, so the interface has no virtual destructor. Nothing may escape a call: the library's thread
// has no handler for it.
class CDumpCatchObserverBase {
  public:
    // exceptionInfo: the fault's EXCEPTION_POINTERS, null for a simulated crash. crashText:
    // zero-terminated, ANSI code page. The result is not used.
    virtual int onDumpCatch(void* exceptionInfo, const char* crashText) noexcept = 0;

  protected:
    ~CDumpCatchObserverBase() = default;
};

class CBLLDumpCatchMgr {
  public:
    // Registers an observer (null is ignored) and returns how many are registered; the first
    // registration installs the fault filter.
    virtual int addObserver(CDumpCatchObserverBase* observer) = 0;

  protected:
    ~CBLLDumpCatchMgr() = default;
};

class CBLLDumpCatchMgrExport {
  public:
    virtual CBLLDumpCatchMgr* getDumpCatchMgr() = 0;

  protected:
    ~CBLLDumpCatchMgrExport() = default;
};

// The library's interface object; it lives as long as the library is loaded.
inline constexpr char kGetExportInterfaceName[] = "getBLLDumpCatchMgrExportInterface";
using GetExportInterfaceFunction = CBLLDumpCatchMgrExport* (*)();

// For tests: runs the observers with the given crash text as a fault would (on the library's
// thread, waiting for it; first argument null) without any fault, filter or end of the process.
// Returns the number of observers called, or -1 when the thread could not be started.
inline constexpr char kSimulateCrashName[] = "crashkeepSimulateCrash";
using SimulateCrashFunction = int (*)(const char* crashText);
