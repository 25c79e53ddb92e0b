#include "online/crash/CrashLibraryLoad.h"

#include <online/http/CurlHttpGlobal.h>

#include "foundation/ModuleFailure.h"
#include "online/crash/BLLDumpCatchUpload.h"
#include "online/crash/CrashPlatform.h"

namespace {

void showLoadFailure(ModuleFailure::Step step, const wchar_t* name) {
    g_crashPlatform.messageBoxW(nullptr, moduleFailureText({step, name}).c_str(), L"提示", MB_OK);
}

}  // namespace

CrashLibrary loadCrashLibrary() {
    CrashLibrary library;
    library.module = LoadLibraryW(L"crashkeep.dll");
    if (library.module == nullptr) {
        showLoadFailure(ModuleFailure::Step::loadModule, L"crashkeep.dll");
        return library;
    }
    library.getInterface = reinterpret_cast<GetExportInterfaceFunction>(
        reinterpret_cast<void*>(GetProcAddress(library.module, kGetExportInterfaceName)));
    if (library.getInterface == nullptr) {
        showLoadFailure(ModuleFailure::Step::findExport, L"getBLLDumpCatchMgrExportInterface");
        return library;
    }
    library.exportInterface = library.getInterface();
    if (library.exportInterface == nullptr) {
        showLoadFailure(ModuleFailure::Step::exportGaveNull, L"getBLLDumpCatchMgrExportInterface");
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

bool registerProcessCrashObserver() {
    static CBLLDumpCatchUpload* observer = nullptr;
    if (observer != nullptr) {
        return false;
    }
    observer = new CBLLDumpCatchUpload();
    // The upload's transfer library is set up now, on this thread. Set up for the first time by a
    // report of a fault in an exit handler, it would register an exit handler of its own and wait
    // for the C runtime's exit lock, which the exiting thread holds while it waits for the report.
    CCurlHttpGlobal::init();
    return registerCrashObserver(observer);
}
