#include <windows.h>

#include <shlwapi.h>

#include <gtest/gtest.h>
#include <soui/SStrCpCvt.h>

#include <cstdint>
#include <string>

#include "FakeUiDef.h"
#include "foundation/RegistryHelpers.h"
#include "foundation/UniqueRegKey.h"

namespace {

// A key of its own below HKEY_CURRENT_USER, standing in for the classes root and the user's key.
class RegistryHelpers : public testing::Test {
  protected:
    RegistryHelpers()
        : name_(L"Software\\BravikPdfEditorTests\\" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(reinterpret_cast<uintptr_t>(this))) {
        SHDeleteKeyW(HKEY_CURRENT_USER, name_.c_str());
        RegCreateKeyExW(HKEY_CURRENT_USER, name_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, root_.receive(),
                        nullptr);
    }
    ~RegistryHelpers() override {
        root_.close();
        SHDeleteKeyW(HKEY_CURRENT_USER, name_.c_str());
    }

    std::wstring readText(const wchar_t* subKey, const wchar_t* value) const {
        wchar_t text[256] = {};
        DWORD bytes = sizeof(text) - sizeof(wchar_t);
        if (RegGetValueW(root_.get(), subKey, value, RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS) {
            return L"<none>";
        }
        return text;
    }
    std::string readNarrow(const wchar_t* subKey, const char* value) const {
        UniqueRegKey key;
        if (RegOpenKeyExW(root_.get(), subKey, 0, KEY_READ, key.receive()) != ERROR_SUCCESS) {
            return "<no key>";
        }
        char text[64] = {};
        DWORD bytes = sizeof(text);
        DWORD type = 0;
        if (RegQueryValueExA(key.get(), value, nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes) !=
            ERROR_SUCCESS) {
            return "<none>";
        }
        return std::string(text, bytes);
    }
    void setDefault(const wchar_t* subKey, const std::wstring& text) const {
        RegSetKeyValueW(root_.get(), subKey, nullptr, REG_SZ, text.c_str(),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

    std::wstring name_;
    UniqueRegKey root_;
};

constexpr wchar_t kUserChoice[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.pdf\\UserChoice";

TEST_F(RegistryHelpers, AssociationOnALegacySystem) {
    EXPECT_TRUE(associatePdfFiles(root_.get(), root_.get(), true));
    EXPECT_EQ(readText(L".pdf", nullptr), L"BravikPdfEditor.App");
    EXPECT_EQ(readNarrow(kUserChoice, "Progid"), std::string("BravikPdfEditor.App\0", 20));
}

TEST_F(RegistryHelpers, AssociationOnAModernSystemLeavesTheUserChoice) {
    setDefault(kUserChoice, L"keep");
    setDefault(L".pdf", L"Other.Reader");
    EXPECT_FALSE(associatePdfFiles(root_.get(), root_.get(), false));
    EXPECT_EQ(readText(L".pdf", nullptr), L"BravikPdfEditor.App");
    EXPECT_EQ(readText(kUserChoice, nullptr), L"keep");
}

TEST_F(RegistryHelpers, AssociationKeepsAMatchingValueAndReplacesALongOne) {
    setDefault(L".pdf", L"bravikpdfeditor.app");
    associatePdfFiles(root_.get(), root_.get(), false);
    EXPECT_EQ(readText(L".pdf", nullptr), L"bravikpdfeditor.app") << "compared without regard to case";
    setDefault(L".pdf", std::wstring(40, L'x'));
    associatePdfFiles(root_.get(), root_.get(), false);
    EXPECT_EQ(readText(L".pdf", nullptr), L"BravikPdfEditor.App");
}

TEST_F(RegistryHelpers, ControlRegistration) {
    EXPECT_FALSE(isControlRegistered(root_.get()));
    setDefault(L"CLSID\\{A1149909-4EDC-4421-B9E5-E93C25A000A1}", L"control");
    EXPECT_TRUE(isControlRegistered(root_.get()));
}

TEST_F(RegistryHelpers, DocPathNeedsTheExistingKey) {
    wchar_t buffer[MAX_PATH] = L"untouched";
    EXPECT_EQ(saveDocPathToRegistry(L"C:\\a.pdf", root_.get()), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(loadDocPathFromRegistry(buffer, root_.get()), ERROR_FILE_NOT_FOUND);
    EXPECT_STREQ(buffer, L"untouched");
    EXPECT_EQ(readText(L"BravikPdfEditor.App", L"docPath"), L"<none>") << "the key is not created";

    setDefault(L"BravikPdfEditor.App", L"");
    EXPECT_EQ(loadDocPathFromRegistry(buffer, root_.get()), ERROR_SUCCESS);
    EXPECT_STREQ(buffer, L"") << "no value yet";
    EXPECT_EQ(saveDocPathToRegistry(L"C:\\文档\\a b.pdf", root_.get()), ERROR_SUCCESS);
    EXPECT_EQ(loadDocPathFromRegistry(buffer, root_.get()), ERROR_SUCCESS);
    EXPECT_STREQ(buffer, L"C:\\文档\\a b.pdf");
    EXPECT_EQ(saveDocPathToRegistry(nullptr, root_.get()), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryHelpers, OversizedDocPathReadsAsEmpty) {
    setDefault(L"BravikPdfEditor.App", L"");
    const std::wstring longPath(400, L'p');
    ASSERT_EQ(saveDocPathToRegistry(longPath.c_str(), root_.get()), ERROR_SUCCESS);
    wchar_t buffer[MAX_PATH] = L"untouched";
    EXPECT_EQ(loadDocPathFromRegistry(buffer, root_.get()), ERROR_SUCCESS);
    EXPECT_STREQ(buffer, L"");
}

TEST(ControlRegistrationCommand, ModuleLiesInTheExecutablesFolder) {
    struct Case {
        const wchar_t* exe;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"C:\\Program Files\\Bravik\\editor.exe", L"C:\\Program Files\\Bravik\\wke.dll"},
        {L"C:\\a\\b\\", L"C:\\a\\b\\wke.dll"},
        {L"C:\\x.exe", L"C:\\wke.dll"},
        {L"editor.exe", L"editor.exewke.dll"},  // no backslash: the path stays whole
        {L"", L"wke.dll"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(controlModulePath(c.exe, L"wke.dll"), c.expected) << testing::PrintToString(c.exe);
    }
}

TEST(ControlRegistrationCommand, TextHasTwoBlanksQuotesTheAnsiPathAndATrailingBlank) {
    EXPECT_EQ(regsvr32Command(L"C:\\Program Files\\Bravik\\wke.dll").str(),
              "regsvr32  \"C:\\Program Files\\Bravik\\wke.dll\" ");
    EXPECT_EQ(regsvr32Command(L"C:\\程序\\wke.dll").str(), "regsvr32  \"C:\\\xB3\xCC\xD0\xF2\\wke.dll\" ");
}

TEST(ControlRegistrationCommand, NamesTheModuleOfTheUiString) {
    EXPECT_TRUE(controlRegistrationCommand().IsEmpty()) << "no UI definition loaded";
    CurrentUiDef definition;
    definition.strings().Set(L"controlFile", L"wke.dll");
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring folder = exe;
    folder.erase(folder.rfind(L'\\') + 1);
    const SOUI::SStringW expected = SOUI::SStringW(L"regsvr32  \"") + folder.c_str() + L"wke.dll\" ";
    EXPECT_EQ(SOUI::SStrCpCvt::CvtA2W(controlRegistrationCommand(), CP_ACP), expected);
}

}  // namespace
