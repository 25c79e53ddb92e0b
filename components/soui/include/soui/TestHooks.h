#pragma once

#include <soui/SouiDefs.h>

// What the library offers tests besides its classes.
//
// The library refuses what the program gets wrong: an attribute it does not know or a value in the
// wrong form for its attribute, an element kind, layout, skin, style class, named string or colour
// that does not exist, a menu or resource that is not there, a find by a name that no layout of the
// providers has. Each refusal is counted and journalled as "refused <what>: <reason>": to the
// debugger output, and appended to the file named by the environment variable BRAVIK_SOUI_JOURNAL
// when it is set (UTF-8 lines, opened for each line in append mode, so processes may share it).
// Each process that loads the library with the variable set begins its lines in that file with
// "started <its executable's path> (process <id>)"; a file that cannot be opened is said on
// standard error.
//
// In the same process, through the exports of soui.dll (undecorated, cdecl):
//   int SouiRefusalCount()  how many refusals since the module was loaded
//   int SouiRefusalLines(wchar_t* buffer, int capacity)  their journal lines, each "\n"-ended;
//       returns their length in characters and copies them (terminated) when they fit
extern "C" {
SOUI_EXP int SouiRefusalCount();
SOUI_EXP int SouiRefusalLines(wchar_t* buffer, int capacity);
}
