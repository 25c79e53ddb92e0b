#pragma once

#include <cstddef>
#include <string>

// The path of a WM_COPYDATA message: the data's 16-bit units up to the first zero unit. The sender
// decides the byte count and need not end the path with a zero, so nothing past the count is read
// and an odd last byte, which belongs to no unit, is left out. No data is an empty path. No Windows
// calls: the units are read byte by byte, as a little-endian machine stores them.
std::u16string copyDataPath(const void* data, std::size_t byteCount);
