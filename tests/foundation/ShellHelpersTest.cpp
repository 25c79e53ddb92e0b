#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "ScratchDir.h"
#include "foundation/ShellHelpers.h"

namespace fs = std::filesystem;
using Microsoft::WRL::ComPtr;

namespace {

class ComApartment {
  public:
    ComApartment() : result_(CoInitialize(nullptr)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    HRESULT result_;
};

TEST(CreateShortcut, SavesALinkThatLoadsBack) {
    ComApartment com;
    ScratchDir scratch;
    const std::wstring target = L"C:\\windows\\notepad.exe";
    ASSERT_TRUE(createShortcut(scratch.wide().c_str(), L"Editor.lnk", target.c_str(), MAKEWORD('E', HOTKEYF_CONTROL),
                               L"the editor"));
    const fs::path link = scratch.path() / "Editor.lnk";
    ASSERT_TRUE(fs::exists(link));

    ComPtr<IShellLinkW> loaded;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&loaded)));
    ComPtr<IPersistFile> file;
    ASSERT_HRESULT_SUCCEEDED(loaded.As(&file));
    ASSERT_HRESULT_SUCCEEDED(file->Load(link.wstring().c_str(), STGM_READ));
    wchar_t text[MAX_PATH] = {};
    EXPECT_HRESULT_SUCCEEDED(loaded->GetPath(text, MAX_PATH, nullptr, 0));
    EXPECT_TRUE(_wcsicmp(text, target.c_str()) == 0) << testing::PrintToString(std::wstring(text));
    EXPECT_HRESULT_SUCCEEDED(loaded->GetDescription(text, MAX_PATH));
    EXPECT_STREQ(text, L"the editor");
    WORD hotKey = 0;
    EXPECT_HRESULT_SUCCEEDED(loaded->GetHotkey(&hotKey));
    EXPECT_EQ(hotKey, MAKEWORD('E', HOTKEYF_CONTROL));
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    EXPECT_HRESULT_SUCCEEDED(loaded->GetWorkingDirectory(text, MAX_PATH));
    EXPECT_EQ(fs::path(text), fs::path(exe).parent_path());
}

TEST(CreateShortcut, RefusesMissingArguments) {
    ComApartment com;
    ScratchDir scratch;
    EXPECT_FALSE(createShortcut(nullptr, L"a.lnk", L"C:\\x.exe", 0, nullptr));
    EXPECT_FALSE(createShortcut(scratch.wide().c_str(), L"a.lnk", nullptr, 0, nullptr));
    EXPECT_FALSE(fs::exists(scratch.path() / "a.lnk"));
}

// A group list in a buffer of its own, with room for `room` entries.
std::vector<unsigned char> groupList(const std::vector<PSID>& sids, DWORD claimedCount, size_t room) {
    std::vector<unsigned char> buffer(offsetof(TOKEN_GROUPS, Groups) + room * sizeof(SID_AND_ATTRIBUTES), 0);
    auto* groups = reinterpret_cast<TOKEN_GROUPS*>(buffer.data());
    groups->GroupCount = claimedCount;
    for (size_t i = 0; i < sids.size() && i < room; ++i) {
        groups->Groups[i].Sid = sids[i];
        groups->Groups[i].Attributes = 0;  // attributes do not count
    }
    return buffer;
}

TEST(IsUserAdmin, LooksForTheAdministratorsGroupWithinTheBuffer) {
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID admins = nullptr;
    PSID users = nullptr;
    ASSERT_TRUE(AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                         &admins));
    ASSERT_TRUE(AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS, 0, 0, 0, 0, 0, 0,
                                         &users));
    auto withAdmins = groupList({users, admins}, 2, 2);
    EXPECT_TRUE(groupsContainAdministrators(reinterpret_cast<TOKEN_GROUPS*>(withAdmins.data()),
                                            static_cast<DWORD>(withAdmins.size())));
    auto withoutAdmins = groupList({users}, 1, 1);
    EXPECT_FALSE(groupsContainAdministrators(reinterpret_cast<TOKEN_GROUPS*>(withoutAdmins.data()),
                                             static_cast<DWORD>(withoutAdmins.size())));
    // A count larger than the buffer holds: only the entries inside are read.
    auto overstated = groupList({users}, 100000, 1);
    EXPECT_FALSE(groupsContainAdministrators(reinterpret_cast<TOKEN_GROUPS*>(overstated.data()),
                                             static_cast<DWORD>(overstated.size())));
    EXPECT_FALSE(groupsContainAdministrators(nullptr, 100));
    FreeSid(admins);
    FreeSid(users);
}

TEST(IsUserAdmin, AgreesWithTheShellUnderThisPrefix) {
    EXPECT_EQ(isUserAdmin(), IsUserAnAdmin() != FALSE);
}

class RecordingElevation : public Elevation {
  public:
    bool isUserAnAdmin() const override { return admin; }
    void runElevated(const wchar_t* program) const override { started.push_back(program); }

    bool admin = false;
    mutable std::vector<std::wstring> started;
};

TEST(RelaunchAsAdmin, RestartsOnlyWithoutRights) {
    RecordingElevation elevation;
    elevation.admin = true;
    EXPECT_FALSE(relaunchAsAdmin(elevation));
    EXPECT_TRUE(elevation.started.empty());
    elevation.admin = false;
    EXPECT_TRUE(relaunchAsAdmin(elevation));
    ASSERT_EQ(elevation.started.size(), 1u);
    EXPECT_EQ(fs::path(elevation.started[0]).filename(), L"foundation_tests.exe");
}

TEST(LegacyAssociationOs, VersionTable) {
    const struct {
        DWORD major, minor;
        bool legacy;
    } cases[] = {{5, 1, true},  {6, 0, false}, {6, 1, true},   {6, 2, false},
                 {6, 3, false}, {6, 4, true},  {10, 0, false}, {10, 1, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(isLegacyAssociationVersion(c.major, c.minor), c.legacy) << c.major << "." << c.minor;
    }
    OSVERSIONINFOEXW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    ASSERT_TRUE(GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version)));
    EXPECT_EQ(isLegacyAssociationOs(), isLegacyAssociationVersion(version.dwMajorVersion, version.dwMinorVersion));
}

}  // namespace
