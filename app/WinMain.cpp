#include <windows.h>

#include "EntryPoint.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int) {
    return runEntryPoint(instance, commandLine);
}
