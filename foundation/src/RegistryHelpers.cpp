#include "foundation/RegistryHelpers.h"

#include <windows.h>

#include <shlwapi.h>

#include <soui/SStrCpCvt.h>

#include <cstring>
#include <cwchar>

#include "foundation/ShellHelpers.h"
#include "foundation/UniqueRegKey.h"

const wchar_t kProgId[] = L"BravikPdfEditor.App";

namespace {

constexpr wchar_t kControlClassKey[] = L"CLSID\\{A1149909-4EDC-4421-B9E5-E93C25A000A1}";
constexpr wchar_t kUserChoiceKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.pdf\\UserChoice";

DWORD wideBytes(const wchar_t* text) {
    return static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(wchar_t));
}

// The default value of a key as a text of at most `chars` - 1 characters; false when it cannot be
// read or is longer.
bool readDefaultText(HKEY key, wchar_t* text, DWORD chars) {
    DWORD type = 0;
    DWORD bytes = chars * sizeof(wchar_t);
    std::memset(text, 0, bytes);
    if (RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return false;
    }
    // A stored text need not carry its terminator; one more character would not fit.
    if (bytes / sizeof(wchar_t) >= chars && text[chars - 1] != L'\0') {
        return false;
    }
    text[chars - 1] = L'\0';
    return true;
}

}  // namespace

bool associatePdfFiles() {
    return associatePdfFiles(HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, isLegacyAssociationOs());
}

bool associatePdfFiles(HKEY classesRoot, HKEY currentUser, bool legacyOs) {
    {
        UniqueRegKey extension;
        if (RegOpenKeyExW(classesRoot, L".pdf", 0, KEY_READ | KEY_WRITE, extension.receive()) != ERROR_SUCCESS) {
            if (RegCreateKeyExW(classesRoot, L".pdf", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, extension.receive(),
                                nullptr) == ERROR_SUCCESS) {
                RegSetValueExW(extension.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kProgId),
                               wideBytes(kProgId));
            }
        } else {
            wchar_t current[25];
            if (!readDefaultText(extension.get(), current, 25) || _wcsicmp(current, kProgId) != 0) {
                RegSetValueExW(extension.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kProgId),
                               wideBytes(kProgId));
            }
        }
    }
    if (!legacyOs) {
        return false;
    }
    RegDeleteKeyW(currentUser, kUserChoiceKey);
    UniqueRegKey choice;
    if (RegCreateKeyExW(currentUser, kUserChoiceKey, 0, nullptr, 0, KEY_WRITE, nullptr, choice.receive(), nullptr) ==
        ERROR_SUCCESS) {
        // Written narrow, its terminator included.
        const SOUI::SStringA progId = SOUI::SStrCpCvt::CvtW2A(kProgId, CP_ACP);
        RegSetValueExA(choice.get(), "Progid", 0, REG_SZ, reinterpret_cast<const BYTE*>(progId.c_str()),
                       static_cast<DWORD>(progId.GetLength() + 1));
    }
    return true;
}

bool isControlRegistered() {
    return isControlRegistered(HKEY_CLASSES_ROOT);
}

bool isControlRegistered(HKEY classesRoot) {
    UniqueRegKey key;
    return RegOpenKeyExW(classesRoot, kControlClassKey, 0, KEY_READ, key.receive()) == ERROR_SUCCESS;
}

LONG saveDocPathToRegistry(const wchar_t* path) {
    return saveDocPathToRegistry(path, HKEY_CLASSES_ROOT);
}

LONG saveDocPathToRegistry(const wchar_t* path, HKEY classesRoot) {
    if (path == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    UniqueRegKey key;
    const LONG opened = RegOpenKeyExW(classesRoot, kProgId, 0, KEY_SET_VALUE, key.receive());
    if (opened != ERROR_SUCCESS) {
        return opened;
    }
    RegSetValueExW(key.get(), L"docPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(path), wideBytes(path));
    return key.close();
}

LONG loadDocPathFromRegistry(wchar_t (&buffer)[MAX_PATH]) {
    return loadDocPathFromRegistry(buffer, HKEY_CLASSES_ROOT);
}

LONG loadDocPathFromRegistry(wchar_t (&buffer)[MAX_PATH], HKEY classesRoot) {
    UniqueRegKey key;
    const LONG opened = RegOpenKeyExW(classesRoot, kProgId, 0, KEY_QUERY_VALUE, key.receive());
    if (opened != ERROR_SUCCESS) {
        return opened;
    }
    wchar_t value[MAX_PATH] = {};
    DWORD type = 0;
    DWORD bytes = sizeof(value);
    if (RegQueryValueExW(key.get(), L"docPath", nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes) !=
            ERROR_SUCCESS ||
        type != REG_SZ || (bytes / sizeof(wchar_t) >= MAX_PATH && value[MAX_PATH - 1] != L'\0')) {
        value[0] = L'\0';
    }
    value[MAX_PATH - 1] = L'\0';
    std::memcpy(buffer, value, sizeof(value));
    return key.close();
}

SOUI::SStringW controlModulePath(const SOUI::SStringW& exePath, const SOUI::SStringW& controlFile) {
    const int last = exePath.ReverseFind(L'\\');
    return (last < 0 ? exePath : exePath.Left(last + 1)) + controlFile;
}

SOUI::SStringA regsvr32Command(const SOUI::SStringW& modulePath) {
    return SOUI::SStringA("regsvr32  \"") + SOUI::SStrCpCvt::CvtW2A(modulePath, CP_ACP) + "\" ";
}
