#include "foundation/ShellHelpers.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <soui/SStrCpCvt.h>
#include <wrl/client.h>

#include <cstddef>
#include <vector>

#include "foundation/DataDir.h"
#include "foundation/FileHelpers.h"
#include "foundation/UniqueHandle.h"

using Microsoft::WRL::ComPtr;

namespace {

class SystemElevation final : public Elevation {
  public:
    bool isUserAnAdmin() const override { return IsUserAnAdmin() != FALSE; }
    void runElevated(const wchar_t* program) const override {
        ShellExecuteW(nullptr, L"runas", program, L"", L"", SW_SHOWNORMAL);
    }
};

}  // namespace

bool createShortcut(const wchar_t* folder,
                    const wchar_t* linkName,
                    const wchar_t* target,
                    WORD hotKey,
                    const wchar_t* description) {
    if (folder == nullptr || target == nullptr) {
        return false;
    }
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)))) {
        return false;
    }
    ComPtr<IPersistFile> file;
    if (FAILED(link.As(&file))) {
        return false;
    }
    wchar_t exeFolder[MAX_PATH];
    getExeDir(exeFolder);
    link->SetPath(target);
    link->SetWorkingDirectory(exeFolder);
    if (hotKey != 0) {
        link->SetHotkey(hotKey);
    }
    if (description != nullptr) {
        link->SetDescription(description);
    }
    link->SetShowCmd(SW_SHOWNORMAL);

    // The link's path passes through the ANSI code page, and at most 259 characters are kept.
    const SOUI::SStringW wide = SOUI::SStringW(folder) + L"\\" + (linkName != nullptr ? linkName : L"");
    SOUI::SStringW path = SOUI::SStrCpCvt::CvtA2W(SOUI::SStrCpCvt::CvtW2A(wide, CP_THREAD_ACP), CP_THREAD_ACP);
    path = path.Left(MAX_PATH - 1);
    return SUCCEEDED(file->Save(path.c_str(), FALSE));
}

bool groupsContainAdministrators(const TOKEN_GROUPS* groups, DWORD bytes) {
    if (groups == nullptr || bytes < offsetof(TOKEN_GROUPS, Groups)) {
        return false;
    }
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0,
                                  0, &administrators)) {
        return false;
    }
    // Only the entries that lie inside the buffer are looked at, whatever the count says.
    const DWORD room = (bytes - offsetof(TOKEN_GROUPS, Groups)) / sizeof(SID_AND_ATTRIBUTES);
    const DWORD count = groups->GroupCount < room ? groups->GroupCount : room;
    bool found = false;
    for (DWORD i = 0; i < count && !found; ++i) {
        found = groups->Groups[i].Sid != nullptr && EqualSid(groups->Groups[i].Sid, administrators);
    }
    FreeSid(administrators);
    return found;
}

bool isUserAdmin() {
    UniqueHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.receive())) {
        return false;
    }
    // Sized by the token itself, so a long group list is read whole instead of failing.
    DWORD needed = 0;
    GetTokenInformation(token.get(), TokenGroups, nullptr, 0, &needed);
    if (needed == 0) {
        return false;
    }
    std::vector<unsigned char> buffer(needed);
    if (!GetTokenInformation(token.get(), TokenGroups, buffer.data(), needed, &needed)) {
        return false;
    }
    return groupsContainAdministrators(reinterpret_cast<const TOKEN_GROUPS*>(buffer.data()), needed);
}

const Elevation& systemElevation() {
    static const SystemElevation elevation;
    return elevation;
}

bool relaunchAsAdmin() {
    return relaunchAsAdmin(systemElevation());
}

bool relaunchAsAdmin(const Elevation& elevation) {
    if (elevation.isUserAnAdmin()) {
        return false;
    }
    std::wstring program;
    getModuleFilePath(program);
    elevation.runElevated(program.c_str());
    return true;
}

bool isLegacyAssociationVersion(DWORD major, DWORD minor) {
    const bool modern = (major == 6 && (minor == 0 || minor == 2 || minor == 3)) || (major == 10 && minor == 0);
    return !modern;
}

bool isLegacyAssociationOs() {
    OSVERSIONINFOEXW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version))) {
        return true;
    }
    return isLegacyAssociationVersion(version.dwMajorVersion, version.dwMinorVersion);
}
