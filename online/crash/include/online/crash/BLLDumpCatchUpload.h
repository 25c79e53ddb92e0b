#pragma once

#include <crashkeep/CrashKeep.h>

// The program's crash-report observer. On every call it posts the crash text, the machine code,
// the signed-in user and the version information to the crash-report service, saves the reply
// as "<UTC time>.log" in the per-user log folder and shows it; when the post fails it shows the
// transfer's error instead. Everything runs on the caller's thread; the post gives up after 8
// seconds without a connection or 20 seconds in all.
class CBLLDumpCatchUpload : public CDumpCatchObserverBase {
  public:
    CBLLDumpCatchUpload() = default;
    CBLLDumpCatchUpload(const CBLLDumpCatchUpload&) = delete;
    CBLLDumpCatchUpload& operator=(const CBLLDumpCatchUpload&) = delete;

    // Always 1: the crash library learns nothing of a failure.
    int onDumpCatch(void* unused, const char* crashText) noexcept override;

    virtual ~CBLLDumpCatchUpload() = default;
};
