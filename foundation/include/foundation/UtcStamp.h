#pragma once

#include <windows.h>

#include <cstdint>

// The UTC time as the decimal number YYMMDDhhmmss (two-digit year).
uint64_t utcStampNumber();
uint64_t utcStampNumberOf(const SYSTEMTIME& utc);
