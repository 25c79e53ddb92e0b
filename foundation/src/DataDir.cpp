#include "foundation/DataDir.h"

#include <windows.h>

#include <shlobj.h>
#include <shlwapi.h>

#include <soui/SStrCpCvt.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>

#include "foundation/FileReplace.h"
#include "foundation/IniFile.h"
#include "foundation/PathLock.h"
#include "foundation/UiTextConvert.h"

using SOUI::SStringA;
using SOUI::SStringW;

const wchar_t* const kDefaultSettingsLines[8] = {
    L"[App]",     L"fsi = 2",    L"sid = 001",      L"pid = 220",
    L"userid = ", L"userdic = ", L"openDocPath = ", L"frameState = normal",
};

namespace {

constexpr wchar_t kAppFolderName[] = L"BravikPdfEditor";

// A shell special folder through its item list; false when the shell cannot give it.
bool specialFolderPath(int csidl, wchar_t (&path)[MAX_PATH]) {
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || items == nullptr) {
        return false;
    }
    const bool ok = SHGetPathFromIDListW(items, path) != FALSE;
    CoTaskMemFree(items);
    return ok;
}

void createFolderIfMissing(const SStringW& folder) {
    if (!PathFileExistsW(folder.c_str())) {
        CreateDirectoryW(folder.c_str(), nullptr);
    }
}

// As long as the settings writers wait for each other (IniFile).
constexpr DWORD kSettingsLockWaitMs = 5000;

// Under the lock every writer and reader of the settings takes, and whole or not at all, so that
// another process starting at the same moment reads no file or all of it. A holder stuck past the
// wait does not stop a first start: the file still appears in one step and never replaces one
// that exists.
void writeDefaultSettings(const SStringW& path, const SStringA& narrowPath) {
    const PathLock lock(narrowPath.c_str(), kSettingsLockWaitMs);
    if (PathFileExistsW(path.c_str())) {
        return;  // another first start wrote it while this one waited
    }
    std::string bytes;
    for (size_t i = 0; i + 1 < std::size(kDefaultSettingsLines); ++i) {
        bytes += wideToUtf8Text(kDefaultSettingsLines[i]).c_str();
        bytes += "\r\n";
    }
    bytes += wideToUtf8Text(L"frameState = ").c_str();
    bytes += wideToUtf8Text(L"normal").c_str();
    bytes += "\r\n";
    createFileAtomically(narrowPath.c_str(), bytes);
}

}  // namespace

SStringW getLocalAppDataDir() {
    wchar_t path[MAX_PATH] = {};
    if (!specialFolderPath(CSIDL_LOCAL_APPDATA, path)) {
        return {};
    }
    return SStringW(path);
}

SStringW appFolderName() {
    return SStringW(kAppFolderName);
}

SStringW getDataDir(const SStringW& localAppData) {
    return localAppData + L"\\" + kAppFolderName + L"\\";
}

SStringW getLogDir() {
    return getLogDir(getLocalAppDataDir());
}

SStringW getLogDir(const SStringW& localAppData) {
    return getDataDir(localAppData) + L"log\\";
}

SStringW getCookieDir() {
    return getCookieDir(getLocalAppDataDir());
}

SStringW getCookieDir(const SStringW& localAppData) {
    return getDataDir(localAppData) + L"cookie\\";
}

SStringW getCacheDir() {
    return getCacheDir(getLocalAppDataDir());
}

SStringW getCacheDir(const SStringW& localAppData) {
    return getDataDir(localAppData) + L"cache\\";
}

SStringW getConfigFilePath() {
    return getConfigFilePath(getLocalAppDataDir());
}

SStringW getConfigFilePath(const SStringW& localAppData) {
    return getDataDir(localAppData) + L"wconfig.ini";
}

SStringW getCookieFilePath() {
    return getCookieFilePath(getLocalAppDataDir());
}

SStringW getCookieFilePath(const SStringW& localAppData) {
    return getCookieDir(localAppData) + L"cookie.dat";
}

void prepareDataDir() {
    prepareDataDir(getLocalAppDataDir());
}

void prepareDataDir(const SStringW& localAppData) {
    const SStringW dataDir = getDataDir(localAppData);
    createFolderIfMissing(dataDir);
    createFolderIfMissing(getLogDir(localAppData));
    createFolderIfMissing(getCookieDir(localAppData));
    createFolderIfMissing(getCacheDir(localAppData));

    const SStringW settingsPath = dataDir + L"wconfig.ini";
    const SStringA narrowPath = SOUI::SStrCpCvt::CvtW2A(settingsPath, CP_THREAD_ACP);
    if (!PathFileExistsW(settingsPath.c_str())) {
        writeDefaultSettings(settingsPath, narrowPath);
    }
    removeStaleIniTemporaries(narrowPath.c_str());
}

void getExeDir(wchar_t (&folder)[MAX_PATH]) {
    folder[0] = L'\0';
    GetModuleFileNameW(nullptr, folder, MAX_PATH);
    folder[MAX_PATH - 1] = L'\0';
    if (wchar_t* last = wcsrchr(folder, L'\\')) {
        *last = L'\0';
    }
}

SStringW getExeDirConfigFilePath() {
    wchar_t folder[MAX_PATH];
    getExeDir(folder);
    return SStringW(folder) + L"\\wconfig.ini";
}

bool setCurrentDirToExeDir() {
    wchar_t folder[MAX_PATH];
    getExeDir(folder);
    return SetCurrentDirectoryW((SStringW(folder) + L"\\").c_str()) != FALSE;
}

bool setCurrentDirToDataDir() {
    return setCurrentDirToDataDir(getLocalAppDataDir());
}

bool setCurrentDirToDataDir(const SStringW& localAppData) {
    return SetCurrentDirectoryW(getDataDir(localAppData).c_str()) != FALSE;
}

bool getDesktopDir(wchar_t (&folder)[MAX_PATH]) {
    wchar_t path[MAX_PATH] = {};
    if (!specialFolderPath(CSIDL_DESKTOP, path)) {
        return false;
    }
    std::memcpy(folder, path, sizeof(path));
    return true;
}

SStringW makeLogFilePath() {
    SYSTEMTIME utc;
    GetSystemTime(&utc);
    return makeLogFilePath(getLocalAppDataDir(), utc);
}

SStringW makeLogFilePath(const SStringW& localAppData, const SYSTEMTIME& utc) {
    SStringW name;
    name.Format(L"%02d%02d%02d%02d%02d%02d.log", utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, utc.wSecond);
    return getLogDir(localAppData) + name;
}

bool writeLogFile(const SStringA& text) {
    SYSTEMTIME utc;
    GetSystemTime(&utc);
    return writeLogFile(getLocalAppDataDir(), utc, text);
}

bool writeLogFile(const SStringW& localAppData, const SYSTEMTIME& utc, const SStringA& text) {
    FILE* file = _wfopen(makeLogFilePath(localAppData, utc).c_str(), L"wb");
    if (file == nullptr) {
        return false;
    }
    const auto length = static_cast<size_t>(text.GetLength());
    const bool written = std::fwrite(text.c_str(), 1, length, file) == length;
    return std::fclose(file) == 0 && written;
}
