#include "CrashRegistration.h"

#include <windows.h>

#include "online/crash/BLLDumpCatchUpload.h"

namespace {

using GetExportInterface = CBLLDumpCatchMgrExport* (*)();

}  // namespace

void registerCrashObserver(CDumpCatchObserverBase* observer) {
    HMODULE library = LoadLibraryW(L"crashkeep.dll");
    if (!library) {
        MessageBoxW(nullptr, L"无法加载DLL,crashkeep.dll", L"提示", MB_OK);
        return;
    }
    auto getInterface = reinterpret_cast<GetExportInterface>(
        reinterpret_cast<void*>(GetProcAddress(library, "getBLLDumpCatchMgrExportInterface")));
    if (!getInterface) {
        MessageBoxW(nullptr, L"无法获取导出函数,getBLLDumpCatchMgrExportInterface", L"提示", MB_OK);
        return;
    }
    CBLLDumpCatchMgrExport* exported = getInterface();
    if (!exported) {
        MessageBoxW(nullptr, L"函数返回空,getBLLDumpCatchMgrExportInterface", L"提示", MB_OK);
        return;
    }
    exported->getDumpCatchMgr()->addObserver(observer);
}
