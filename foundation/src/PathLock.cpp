#include "foundation/PathLock.h"

#include <windows.h>

#include "foundation/CodePage.h"
#include "foundation/FileHelpers.h"
#include "foundation/Md5Digest.h"

namespace {

// A mutex name may not hold "\" and is limited in length, so the name carries a digest of the
// path instead of the path itself.
std::wstring mutexName(const std::string& ansiPath) {
    std::wstring path;
    acpToWide(ansiPath, path);
    std::wstring full;
    if (getFullPath(path.c_str(), full)) {
        path = full;
    }
    if (!path.empty()) {
        CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
    }
    CMd5Digest digest;
    digest.compute(path.data(), static_cast<uint32_t>(path.size() * sizeof(wchar_t)));
    const std::string hex = digest.toHexString();
    return L"BravikPdfEditor.file." + std::wstring(hex.begin(), hex.end());
}

}  // namespace

PathLock::PathLock(const std::string& ansiPath, DWORD timeoutMs)
    : mutex_(CreateMutexW(nullptr, FALSE, mutexName(ansiPath).c_str())) {
    if (!mutex_.valid()) {
        return;
    }
    const DWORD wait = WaitForSingleObject(mutex_.get(), timeoutMs);
    acquired_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
}

PathLock::~PathLock() {
    if (acquired_) {
        ReleaseMutex(mutex_.get());
    }
}
