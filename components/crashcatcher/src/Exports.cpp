// The library's exports, looked up by name.
#include <crashkeep/CrashKeep.h>

#include "DumpCatchMgr.h"

namespace {

class CDumpCatchMgrExport final : public CBLLDumpCatchMgrExport {
  public:
    CBLLDumpCatchMgr* getDumpCatchMgr() override { return &dumpCatchMgr(); }
};

CDumpCatchMgrExport g_exportInterface;

}  // namespace

extern "C" __declspec(dllexport) CBLLDumpCatchMgrExport* getBLLDumpCatchMgrExportInterface() {
    return &g_exportInterface;
}

extern "C" __declspec(dllexport) int crashkeepSimulateCrash(const char* crashText) {
    return dumpCatchMgr().runObservers(nullptr, crashText != nullptr ? crashText : "");
}
