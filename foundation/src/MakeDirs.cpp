#include "foundation/MakeDirs.h"

#include <windows.h>

#include <shlwapi.h>

#include <direct.h>
#include <io.h>

#include <string>

#include "foundation/CodePage.h"

int makeDirs(const char* path) {
    if (path == nullptr) {
        return 0;
    }
    std::string copy = path;
    while (!copy.empty() && (copy.back() == '\\' || copy.back() == '/')) {
        copy.pop_back();
    }
    for (size_t i = 0; i < copy.size(); ++i) {
        if (copy[i] != '\\' && copy[i] != '/') {
            continue;
        }
        const std::string prefix = copy.substr(0, i);
        if (_access(prefix.c_str(), 0) != 0 && _mkdir(prefix.c_str()) != 0) {
            return -1;
        }
        copy[i] = '/';
    }
    if (_mkdir(copy.c_str()) != 0) {
        return PathIsDirectoryA(copy.c_str()) ? 0 : -1;
    }
    return 0;
}

int makeDirs(const wchar_t* path) {
    if (path == nullptr) {
        return -1;
    }
    const std::string oem = wideToOem(std::wstring(path));
    return makeDirs(oem.c_str());
}
