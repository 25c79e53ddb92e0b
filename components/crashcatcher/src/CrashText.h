#pragma once

#include <windows.h>

#include <string>

// The crash text of a fault: its code and name, the faulting address with the module and offset
// it lies in, the address an access violation touched, and the faulting thread. Module paths
// carry any character; the ANSI form turns those the code page lacks into "?".
std::wstring crashTextWide(const EXCEPTION_RECORD& record, DWORD threadId);
std::string crashText(const EXCEPTION_RECORD& record, DWORD threadId);
