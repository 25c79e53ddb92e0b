#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The path of a WM_COPYDATA message: the data's 16-bit units up to the first zero unit. The sender
// decides the byte count and need not end the path with a zero, so nothing past the count is read
// and an odd last byte, which belongs to no unit, is left out. No data is an empty path. No Windows
// calls: the units are read byte by byte, as a little-endian machine stores them.
std::u16string copyDataPath(const void* data, std::size_t byteCount);

// The paths a second instance sends one by one by WM_COPYDATA when the settings cannot carry its
// command line: the command line cut as the running instance cuts it (cutFileList), in the order it
// would open them, without the empty parts, which it would answer with the missing-file prompt.
std::vector<std::wstring> copyDataPathsOf(const wchar_t* commandLine);
