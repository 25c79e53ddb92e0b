#include "DumpCatchMgr.h"

#include <string>

#include "CrashText.h"

namespace {

struct ObserverCall {
    std::vector<CDumpCatchObserverBase*> observers;
    EXCEPTION_POINTERS* exceptionInfo;
    const char* crashText;
};

DWORD WINAPI callObservers(void* parameter) noexcept {
    const auto* call = static_cast<const ObserverCall*>(parameter);
    for (CDumpCatchObserverBase* observer : call->observers) {
        try {
            observer->onDumpCatch(call->exceptionInfo, call->crashText);
        } catch (...) {
            // One observer's failure must not keep the others from their report.
        }
    }
    return 0;
}

// Only the first fault is reported: a fault of an observer, or of another thread while the
// observers run, ends the process at once instead of waiting for them.
LONG g_faultSeen = 0;

LONG WINAPI catchUnhandledFault(EXCEPTION_POINTERS* info) noexcept {
    if (InterlockedExchange(&g_faultSeen, 1) == 0) {
        try {
            const std::string text = crashText(*info->ExceptionRecord, GetCurrentThreadId());
            dumpCatchMgr().runObservers(info, text.c_str());
        } catch (...) {
            // Out of memory for the text: the process ends all the same.
        }
    }
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int CDumpCatchMgr::addObserver(CDumpCatchObserverBase* observer) {
    AcquireSRWLockExclusive(&m_lock);
    if (observer != nullptr) {
        m_observers.push_back(observer);
        if (!m_filterInstalled) {
            // The filter lives in this module: from now on it stays loaded whatever FreeLibrary says.
            HMODULE self = nullptr;
            GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                               reinterpret_cast<LPCWSTR>(&catchUnhandledFault), &self);
            SetUnhandledExceptionFilter(catchUnhandledFault);
            m_filterInstalled = true;
        }
    }
    const int count = static_cast<int>(m_observers.size());
    ReleaseSRWLockExclusive(&m_lock);
    return count;
}

std::vector<CDumpCatchObserverBase*> CDumpCatchMgr::snapshot() {
    AcquireSRWLockShared(&m_lock);
    std::vector<CDumpCatchObserverBase*> observers = m_observers;
    ReleaseSRWLockShared(&m_lock);
    return observers;
}

int CDumpCatchMgr::runObservers(EXCEPTION_POINTERS* exceptionInfo, const char* crashText) {
    ObserverCall call{snapshot(), exceptionInfo, crashText};
    HANDLE thread = CreateThread(nullptr, 0, callObservers, &call, 0, nullptr);
    if (thread == nullptr) {
        return -1;
    }
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    return static_cast<int>(call.observers.size());
}

CDumpCatchMgr& dumpCatchMgr() {
    static CDumpCatchMgr manager;
    return manager;
}
