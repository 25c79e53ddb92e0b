#pragma once

#include <string>

namespace PXV {

// The two inputs the host takes from the rest of the program: the per-user cache folder (with its
// trailing backslash) and the value of the named string "@string/controlFile".
std::wstring hostCacheDir();
std::wstring hostControlFile();

}  // namespace PXV
