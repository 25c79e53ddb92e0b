#include "online/crash/CrashkeepDll.h"

#include "online/crash/CrashLibraryLoad.h"

CCrashkeepDll::CCrashkeepDll() {
    load();
}

CCrashkeepDll::~CCrashkeepDll() = default;

void CCrashkeepDll::load() {
    const CrashLibrary library = loadCrashLibrary();
    m_module = library.module;
    m_getInterface = library.getInterface;
    m_interface = library.exportInterface;
}

bool CCrashkeepDll::unload() {
    if (m_module != nullptr) {
        FreeLibrary(m_module);
    }
    resetMembers();
    return true;
}

bool CCrashkeepDll::reload() {
    unload();
    load();
    return m_interface != nullptr;
}

bool CCrashkeepDll::freeModule() {
    if (m_module == nullptr) {
        return true;
    }
    if (!FreeLibrary(m_module)) {
        return false;
    }
    resetMembers();
    return true;
}

void CCrashkeepDll::resetMembers() {
    m_module = nullptr;
    m_getInterface = nullptr;
    m_interface = nullptr;
}

void CCrashkeepDll::close() {
    unload();
}
