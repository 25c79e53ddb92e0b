#include "foundation/FileHelpers.h"

#include <windows.h>

#include <shellapi.h>
#include <shlwapi.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <vector>

#include "foundation/CodePage.h"
#include "foundation/PathText.h"
#include "foundation/UniqueHandle.h"
#include "foundation/WideText.h"

namespace {

constexpr DWORD kPathChars = MAX_PATH;
constexpr UINT kSimplifiedChineseCodePage = 936;

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

// Both readers set the process's locale as the program's file readers always have, then open the
// file in binary mode; null for an empty path or a file that does not open.
std::unique_ptr<FILE, FileCloser> openForReading(const std::string& path) {
    std::setlocale(LC_ALL, "Chinese-simplified");
    if (path.empty()) {
        return nullptr;
    }
    return std::unique_ptr<FILE, FileCloser>(std::fopen(path.c_str(), "rb"));
}

// A folder from a call that fills a 260-character buffer and returns the length; "\" appended.
template <class Call>
bool folderWithSlash(Call call, std::wstring& out) {
    wchar_t buffer[kPathChars] = {};
    const DWORD length = call(buffer, kPathChars);
    if (length == 0 || length >= kPathChars) {
        return false;
    }
    std::wstring text(buffer, length);
    if (text.back() != L'\\') {
        text += L'\\';
    }
    out = text;
    return true;
}

std::wstring doubleZeroList(const std::wstring& path) {
    std::wstring list = path;
    list.push_back(L'\0');
    list.push_back(L'\0');
    return list;
}

}  // namespace

bool getFullPath(const wchar_t* path, std::wstring& out) {
    if (path == nullptr) {
        return false;
    }
    wchar_t buffer[kPathChars] = {};
    const DWORD length = GetFullPathNameW(path, kPathChars, buffer, nullptr);
    out = length == 0 || length >= kPathChars ? std::wstring() : std::wstring(buffer, length);
    return true;
}

bool splitPath(const wchar_t* path,
               std::wstring& drive,
               std::wstring& folder,
               std::wstring& name,
               std::wstring& extension,
               std::wstring& lastFolder,
               std::wstring& driveAndFolder) {
    drive.clear();
    folder.clear();
    name.clear();
    extension.clear();
    lastFolder.clear();
    driveAndFolder.clear();

    std::wstring full;
    if (getFullPath(path, full)) {
        toForwardSlashes(full);
    }
    if (PathIsDirectoryW(full.c_str())) {
        normalizeFolderPath(full);
    }
    wchar_t driveBuffer[3] = {};
    wchar_t folderBuffer[256] = {};
    wchar_t nameBuffer[256] = {};
    wchar_t extensionBuffer[256] = {};
    if (_wsplitpath_s(full.c_str(), driveBuffer, std::size(driveBuffer), folderBuffer, std::size(folderBuffer),
                      nameBuffer, std::size(nameBuffer), extensionBuffer, std::size(extensionBuffer)) != 0) {
        return false;
    }
    drive = driveBuffer;
    normalizeFolderPath(drive);
    folder = folderBuffer;
    normalizeFolderPath(folder);
    name = nameBuffer;
    extension = extensionBuffer;
    if (!folder.empty()) {
        if (folder[0] == L'/') {
            folder.erase(0, 1);
        }
        std::vector<std::wstring> pieces;
        splitAndTrim(pieces, folder, L"/");
        for (const std::wstring& piece : pieces) {
            if (!piece.empty()) {
                lastFolder = piece;
            }
        }
    }
    driveAndFolder = drive + folder;
    return true;
}

bool writeBufferToFile(const void* data, uint32_t size, std::wstring path) {
    if (path.empty() || data == nullptr || size == 0) {
        return false;
    }
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return false;
    }
    const auto* bytes = static_cast<const unsigned char*>(data);
    uint32_t written = 0;
    while (written < size) {
        DWORD count = 0;
        // A write that moves nothing would repeat for ever: it fails like any other.
        if (!WriteFile(file.get(), bytes + written, size - written, &count, nullptr) || count == 0) {
            file.reset();
            DeleteFileW(path.c_str());
            return false;
        }
        written += count;
    }
    return true;
}

bool fileExists(std::wstring path) {
    return PathFileExistsW(path.c_str()) != FALSE;
}

bool isDirectory(const wchar_t* path) {
    return path != nullptr && PathIsDirectoryW(path) != FALSE;
}

bool getCurrentDir(std::wstring& out) {
    return folderWithSlash([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); }, out);
}

bool getSystemDir(std::wstring& out) {
    return folderWithSlash(
        [](wchar_t* buffer, DWORD size) { return static_cast<DWORD>(GetSystemDirectoryW(buffer, size)); }, out);
}

bool getModuleFilePath(std::wstring& out) {
    wchar_t buffer[kPathChars] = {};
    GetModuleFileNameW(GetModuleHandleW(nullptr), buffer, kPathChars);
    buffer[kPathChars - 1] = L'\0';
    out = buffer;
    return true;
}

int32_t getFileSize(const wchar_t* path) {
    if (path == nullptr) {
        return -1;
    }
    std::wstring full;
    getFullPath(path, full);
    if (!PathFileExistsW(full.c_str())) {
        return -1;
    }
    UniqueHandle file(
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return -1;
    }
    return static_cast<int32_t>(GetFileSize(file.get(), nullptr));
}

bool copyFileSilently(std::wstring source, std::wstring target) {
    const std::wstring from = doubleZeroList(source);
    const std::wstring to = doubleZeroList(target);
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = nullptr;
    operation.wFunc = FO_COPY;
    operation.pFrom = from.c_str();
    operation.pTo = to.c_str();
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI;
    return SHFileOperationW(&operation) == 0;
}

bool readFileToBuffer(std::string path, unsigned char* buffer, uint32_t count) {
    std::unique_ptr<FILE, FileCloser> file = openForReading(path);
    if (!file) {
        return false;
    }
    if (buffer != nullptr && count != 0) {
        std::fread(buffer, 1, count, file.get());
    }
    return true;
}

bool readFileToWide(std::string path, std::wstring& out) {
    std::unique_ptr<FILE, FileCloser> file = openForReading(path);
    if (!file) {
        return false;
    }
    std::string bytes;
    char chunk[4096];
    size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof(chunk), file.get())) > 0) {
        bytes.append(chunk, n);
    }
    // Bytes the code page cannot take give an empty text.
    std::wstring text;
    bytesToWide(kSimplifiedChineseCodePage, bytes, text);
    out = text;
    return true;
}
