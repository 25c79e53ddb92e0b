#include "online/crash/CrashLibraryLoad.h"

#include "online/crash/CrashPlatform.h"

namespace {

void showLoadFailure(const wchar_t* text) {
    g_crashPlatform.messageBoxW(nullptr, text, L"提示", MB_OK);
}

}  // namespace

CrashLibrary loadCrashLibrary() {
    CrashLibrary library;
    library.module = LoadLibraryW(L"crashkeep.dll");
    if (library.module == nullptr) {
        showLoadFailure(L"无法加载DLL,crashkeep.dll");
        return library;
    }
    library.getInterface = reinterpret_cast<GetDumpCatchMgrExportInterface>(
        reinterpret_cast<void*>(GetProcAddress(library.module, "getBLLDumpCatchMgrExportInterface")));
    if (library.getInterface == nullptr) {
        showLoadFailure(L"无法获取导出函数,getBLLDumpCatchMgrExportInterface");
        return library;
    }
    library.exportInterface = library.getInterface();
    if (library.exportInterface == nullptr) {
        showLoadFailure(L"函数返回空,getBLLDumpCatchMgrExportInterface");
    }
    return library;
}

bool registerCrashObserver(CDumpCatchObserverBase* observer) {
    const CrashLibrary library = loadCrashLibrary();
    if (library.exportInterface == nullptr) {
        return false;
    }
    library.exportInterface->getDumpCatchMgr()->addObserver(observer);
    return true;
}
