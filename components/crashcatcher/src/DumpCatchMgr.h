#pragma once

#include <windows.h>

#include <crashkeep/CrashKeep.h>

#include <vector>

// The library's one manager: the observers in registration order and the fault filter.
class CDumpCatchMgr final : public CBLLDumpCatchMgr {
  public:
    int addObserver(CDumpCatchObserverBase* observer) override;

    // Calls every observer with the two arguments on a thread of its own and waits for it.
    // Returns the number of observers called, -1 when the thread cannot be started.
    int runObservers(EXCEPTION_POINTERS* exceptionInfo, const char* crashText);

  private:
    std::vector<CDumpCatchObserverBase*> snapshot();

    SRWLOCK m_lock = SRWLOCK_INIT;
    std::vector<CDumpCatchObserverBase*> m_observers;
    bool m_filterInstalled = false;
};

CDumpCatchMgr& dumpCatchMgr();
