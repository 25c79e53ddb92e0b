#pragma once

#include <windows.h>

// The life of the process, from the crash observer to the shut-down: the start-up in its fixed
// order, the message loop of the main window, and the shut-down of the road the process took.
// commandLine is the program's modifiable command line (without the program's own path).
int runEntryPoint(HINSTANCE instance, wchar_t* commandLine);
