#pragma once

#include <windows.h>

// The module's own bookkeeping: its handle and the count of live objects and server locks that
// keeps it loaded.
namespace pdfc {

HINSTANCE moduleHandle();
void lockModule();
void unlockModule();
bool moduleInUse();

}  // namespace pdfc
