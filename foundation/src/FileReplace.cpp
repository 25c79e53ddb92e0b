#include "foundation/FileReplace.h"

#include <windows.h>

#include "foundation/CodePage.h"

bool replaceFileAtomically(const std::string& source, const std::string& target) {
    std::wstring from;
    std::wstring to;
    if (!acpToWide(source, from) || !acpToWide(target, to)) {
        return false;
    }
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

std::string temporaryPathBeside(const std::string& path) {
    return path + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
}
