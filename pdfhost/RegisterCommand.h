#pragma once

#include <string>

// The registration command of the control's module. Pure text work, no Windows calls.
namespace PXV {

// The executable's path cut just after its last backslash (which stays; a path without one stays
// whole), followed by the module's file name.
std::wstring controlModulePath(const std::wstring& executablePath, const std::wstring& controlFile);

// `regsvr32  "<path>" `: the word, two blanks, the path in double quotes, one trailing blank.
std::string registerCommandText(const std::string& ansiModulePath);

}  // namespace PXV
