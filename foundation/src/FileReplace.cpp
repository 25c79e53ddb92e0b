#include "foundation/FileReplace.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string_view>

#include "foundation/CodePage.h"
#include "foundation/UniqueHandle.h"

namespace {

struct FindCloser {
    void operator()(HANDLE search) const { FindClose(search); }
};
using UniqueFind = std::unique_ptr<void, FindCloser>;

// Letter case ignored, as the file system compares names.
bool sameName(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// name is base + "." + a process id + ".tmp", as temporaryPathBeside makes it.
bool isTemporaryName(std::wstring_view name, std::wstring_view base) {
    constexpr std::wstring_view suffix = L".tmp";
    if (name.size() <= base.size() + 1 + suffix.size() || !sameName(name.substr(0, base.size()), base) ||
        name[base.size()] != L'.' || !sameName(name.substr(name.size() - suffix.size()), suffix)) {
        return false;
    }
    const std::wstring_view id = name.substr(base.size() + 1, name.size() - base.size() - 1 - suffix.size());
    return std::all_of(id.begin(), id.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

}  // namespace

bool replaceFileAtomically(const std::string& source, const std::string& target) {
    std::wstring from;
    std::wstring to;
    if (!acpToWide(source, from) || !acpToWide(target, to)) {
        return false;
    }
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool createFileAtomically(const std::string& target, const std::string& bytes) {
    std::wstring to;
    std::wstring from;
    if (!acpToWide(target, to) || !acpToWide(temporaryPathBeside(target), from)) {
        return false;
    }
    bool written = false;
    {
        const UniqueHandle file(
            CreateFileW(from.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) {
            return false;
        }
        DWORD count = 0;
        written = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &count, nullptr) &&
                  count == bytes.size() && FlushFileBuffers(file.get());
    }
    if (written && MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileW(from.c_str());
    return false;
}

std::string temporaryPathBeside(const std::string& path) {
    return path + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
}

void removeTemporariesBeside(const std::string& path) {
    std::wstring wide;
    if (!acpToWide(path, wide)) {
        return;
    }
    const size_t slash = wide.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : wide.substr(0, slash + 1);
    const std::wstring base = wide.substr(folder.size());
    WIN32_FIND_DATAW found;
    HANDLE first = FindFirstFileW((wide + L".*.tmp").c_str(), &found);
    if (first == INVALID_HANDLE_VALUE) {
        return;
    }
    const UniqueFind search(first);
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && isTemporaryName(found.cFileName, base)) {
            DeleteFileW((folder + found.cFileName).c_str());
        }
    } while (FindNextFileW(search.get(), &found));
}
