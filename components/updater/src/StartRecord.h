#pragma once

#include <string>

// How a stand-in program was started: one block of UTF-8 "key=value" lines, appended to
// "<base name>.starts.txt" in the folder that BRAVIK_STARTS_DIR names, else beside the program:
//
//   [start]
//   program=<full path of the program>
//   commandLine=<the whole command line>
//   argument1=<first parameter as the program splits it> ... argumentN=
//   show=<the show command of its start-up info, decimal (SW_SHOW 5), or "none">
//   workingFolder=<current folder at start>
//   utc=<YYYY-MM-DDThh:mm:ss.mmmZ>
//   processId=<decimal>
//   <blank line>

// The block of the running process.
std::wstring describeStart();
// Where the running process's record goes.
std::wstring startRecordPath();
// Appends the block in one write; false when the file cannot be written.
bool recordStart();
