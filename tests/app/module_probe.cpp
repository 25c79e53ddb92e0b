// A module with some of the exports the start-up looks up: its SCreateInstance yields no object,
// and of the web engine's functions it has wkeInitializeEx, wkeCreateWebView and wkeShutdown only.
// It counts the engine's starts and shut-downs, for a test to read.
#include <windows.h>

namespace {

int initializeCalls = 0;
int shutdownCalls = 0;

}  // namespace

extern "C" __declspec(dllexport) BOOL SCreateInstance(void** object) {
    *object = nullptr;
    return FALSE;
}

extern "C" __declspec(dllexport) void wkeInitializeEx(const void*) {
    ++initializeCalls;
}

extern "C" __declspec(dllexport) void* wkeCreateWebView() {
    return nullptr;
}

extern "C" __declspec(dllexport) void wkeShutdown() {
    ++shutdownCalls;
}

extern "C" __declspec(dllexport) int probeStarts() {
    return initializeCalls;
}

extern "C" __declspec(dllexport) int probeShutdowns() {
    return shutdownCalls;
}
