#pragma once

#include <windows.h>

#include <crashkeep/CrashKeep.h>

// Holds the crash library loaded by its load sequence (see loadCrashLibrary). Nothing in the
// program creates one; start-up runs the same sequence itself. The destructor leaves the library
// loaded: observers registered with it must keep being called.
class CCrashkeepDll {
  public:
    // All three fields null, then the load sequence; the object keeps whatever it reached.
    CCrashkeepDll();
    virtual ~CCrashkeepDll();
    CCrashkeepDll(const CCrashkeepDll&) = delete;
    CCrashkeepDll& operator=(const CCrashkeepDll&) = delete;

    // Frees a loaded library and nulls all three fields; true.
    virtual bool unload();
    // As unload, then the load sequence; true when an interface object was obtained.
    virtual bool reload();
    // True when nothing is loaded. Otherwise frees the library and, when that succeeds, nulls all
    // three fields (the export and its object went with the module) and returns true; when it
    // fails everything stays as it was and the result is false.
    virtual bool freeModule();
    // All three fields null, without freeing anything.
    virtual void resetMembers();
    // As unload.
    virtual void close();

    CBLLDumpCatchMgrExport* getExportInterface() const { return m_interface; }

  protected:
    void load();

    HMODULE m_module = nullptr;
    GetExportInterfaceFunction m_getInterface = nullptr;
    CBLLDumpCatchMgrExport* m_interface = nullptr;
};
