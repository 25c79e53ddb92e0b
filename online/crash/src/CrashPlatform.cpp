#include "online/crash/CrashPlatform.h"

#include <foundation/DataDir.h>

CrashPlatform g_crashPlatform = {::MessageBoxW, ::MessageBoxA, ::GetSystemTime, ::getLocalAppDataDir};
