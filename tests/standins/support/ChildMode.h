#pragma once

#include <string>
#include <vector>

// A test program started as "<program> --child=<name> <arguments...>" runs that child mode
// instead of its tests and exits with the mode's result. Modes register themselves from the test
// sources with a file-scope ChildMode; ChildMain.cpp, linked into the program, dispatches.
struct ChildMode {
    using Run = int (*)(const std::vector<std::wstring>& arguments);
    ChildMode(const wchar_t* name, Run run);
};

// Runs the mode that the command line names; false when it names none.
bool runChildModeIfAsked(int& exitCode);
