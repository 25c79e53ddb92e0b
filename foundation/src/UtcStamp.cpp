#include "foundation/UtcStamp.h"

uint64_t utcStampNumber() {
    SYSTEMTIME utc;
    GetSystemTime(&utc);
    return utcStampNumberOf(utc);
}

uint64_t utcStampNumberOf(const SYSTEMTIME& utc) {
    return static_cast<uint64_t>(utc.wYear % 100) * 10000000000ull + static_cast<uint64_t>(utc.wMonth) * 100000000ull +
           static_cast<uint64_t>(utc.wDay) * 1000000ull + static_cast<uint64_t>(utc.wHour) * 10000ull +
           static_cast<uint64_t>(utc.wMinute) * 100ull + utc.wSecond;
}
