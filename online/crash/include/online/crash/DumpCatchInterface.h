#pragma once

// The crash library's side, as the program sees it. The export interface and the manager live in
// crashkeep.dll; the program never creates, copies or frees them, and calls only the first
// virtual operation of each.

// What the crash library calls back; it keeps every observer for the rest of the run and never
// deletes one, so the interface has no virtual destructor.
class CDumpCatchObserverBase {
  public:
    // Called by the crash library, on a thread of its choosing, with a value the observer does
    // not use and the crash text (zero-terminated, ANSI code page).
    virtual int onDumpCatch(void* unused, const char* crashText) noexcept = 0;

  protected:
    ~CDumpCatchObserverBase() = default;
};

class CBLLDumpCatchMgr {
  public:
    // Registers the observer; the result is not used.
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

// The library's export: no arguments, the export interface object or null.
using GetDumpCatchMgrExportInterface = CBLLDumpCatchMgrExport* (*)();
