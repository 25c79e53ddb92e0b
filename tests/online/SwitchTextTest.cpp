#include <gtest/gtest.h>
#include <online/account/SwitchTable.h>
#include <online/account/SwitchText.h>
#include <online/account/VersionOrder.h>

#include <string>
#include <vector>

#include "support/AppStateSnapshot.h"

namespace {

std::vector<std::wstring> flatten(const std::vector<SwitchItem>& items) {
    std::vector<std::wstring> out;
    for (const SwitchItem& item : items) {
        out.push_back(item.key + L"=" + item.value);
    }
    return out;
}

TEST(SwitchText, ItemsKeysAndValues) {
    struct Case {
        const wchar_t* text;
        std::vector<std::wstring> items;
    };
    const Case cases[] = {
        {L"dologin:0;编辑:1", {L"dologin=0", L"编辑=1"}},
        {L";;dologin:1;;;qq:x;", {L"dologin=1", L"qq=x"}},
        {L"kfurl:https://kf.example.com:8080/a", {L"kfurl=https://kf.example.com:8080/a"}},
        {L"dologin", {L"dologin="}},
        {L"a:", {L"a="}},
        {L":::;b:2", {L"b=2"}},
        {L"::a:b", {L"a=b"}},
        {L"", {}},
        {L";;;", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(flatten(parseSwitchText(c.text)), c.items) << testing::PrintToString(std::wstring(c.text));
    }
}

TEST(VersionOrder, BytesInOrderAndPrefixIsSmaller) {
    EXPECT_TRUE(isNewerVersion("328", "327"));
    EXPECT_FALSE(isNewerVersion("1000", "999"));
    EXPECT_FALSE(isNewerVersion("327", "327"));
    EXPECT_TRUE(isNewerVersion("3271", "327"));
    EXPECT_FALSE(isNewerVersion("32", "327"));
    EXPECT_FALSE(isNewerVersion("", "327"));
    EXPECT_TRUE(isNewerVersion("1", ""));
    EXPECT_TRUE(isNewerVersion("\x80", "z"));  // unsigned bytes
}

class SwitchTable : public ::testing::Test {
  protected:
    void SetUp() override {
        saved = AppStateSnapshot::take();
        g_appState.doLogin = 1;
        g_appState.pdfConv = 0;
        g_appState.qq = L"";
        g_appState.customUrl = L"https://kf.example.com/start";
        const int tabs[10] = {1, 1, 1, 1, 1, 1, 0, 0, 1, 0};
        for (int i = 0; i < 10; ++i) {
            g_appState.ribbonTabVisible[i] = tabs[i];
        }
        g_appState.editButtonVisible = g_appState.readButtonVisible = g_appState.convertButtonVisible = 0;
        start = AppStateSnapshot::take();
    }
    void TearDown() override { saved.restore(); }

    AppStateSnapshot saved;
    AppStateSnapshot start;
};

TEST_F(SwitchTable, EveryKeyReachesItsField) {
    applySwitchText(
        g_appState,
        L"dologin:0;pdfconv:1;qq:AbC;开始:0;视图:0;注释:0;保护:0;表单:0;页面组织:0;菜单_转换:1;共享:1;审阅:0;"
        L"帮助:1;编辑:1;阅读:1;转换:1;kfurl:https://kf.example.com/x;unknown:1");
    AppStateSnapshot expected = start;
    expected.doLogin = 0;
    expected.pdfConv = 1;
    expected.qq = L"abc";
    const int tabs[10] = {0, 0, 0, 0, 0, 0, 1, 1, 0, 1};
    for (int i = 0; i < 10; ++i) {
        expected.ribbonTabVisible[i] = tabs[i];
    }
    expected.editButtonVisible = expected.readButtonVisible = expected.convertButtonVisible = 1;
    expected.customUrl = L"https://kf.example.com/x";
    EXPECT_EQ(AppStateSnapshot::take(), expected);
}

TEST_F(SwitchTable, OnlyTheValueOneSwitchesOn) {
    for (const wchar_t* text : {L"编辑:yes", L"编辑:true", L"编辑:2", L"编辑:", L"编辑", L"编辑:01"}) {
        g_appState.editButtonVisible = 1;
        applySwitchText(g_appState, text);
        EXPECT_EQ(g_appState.editButtonVisible, 0) << testing::PrintToString(std::wstring(text));
    }
}

TEST_F(SwitchTable, KeysAndValuesAreLowerCasedAndBlanksIgnored) {
    applySwitchText(g_appState, L" DoLogin : 0 ; 阅 读 : 1 ;QQ:X Y");
    EXPECT_EQ(g_appState.doLogin, 0);
    EXPECT_EQ(g_appState.readButtonVisible, 1);
    EXPECT_EQ(g_appState.qq, L"xy");
}

TEST_F(SwitchTable, LaterItemOfARepeatedKeyWins) {
    applySwitchText(g_appState, L"编辑:1;转换:1;编辑:0");
    EXPECT_EQ(g_appState.editButtonVisible, 0);
    EXPECT_EQ(g_appState.convertButtonVisible, 1);
}

TEST_F(SwitchTable, CustomerServiceAddressKeepsItsCaseAndTheKeyMatchesWithoutCase) {
    applySwitchText(g_appState, L"KfUrl:HTTPS://KF.Example.COM/Chat?robotShuntSwitch=1&Id=A:1;QQ:AbC");
    EXPECT_EQ(g_appState.customUrl, L"HTTPS://KF.Example.COM/Chat?robotShuntSwitch=1&Id=A:1");
    EXPECT_EQ(g_appState.qq, L"abc");
}

TEST_F(SwitchTable, CustomerServiceAddressIsReplacedOnlyByAWebAddress) {
    const std::wstring longest = L"https://kf.example.com/" + std::wstring(kMaxWebAddressLength - 23, L'a');
    ASSERT_EQ(longest.size(), static_cast<size_t>(kMaxWebAddressLength));
    applySwitchText(g_appState, (L"kfurl:" + longest).c_str());
    EXPECT_EQ(std::wstring(g_appState.customUrl.c_str()), longest);
    for (const std::wstring& text :
         {std::wstring(L"kfurl:"), std::wstring(L"kfurl"), std::wstring(L"kfurl:calc.exe"),
          std::wstring(L"kfurl:file:///c:/windows/notepad.exe"), std::wstring(L"kfurl:\\\\host\\share\\x.exe"),
          std::wstring(L"kfurl:https://"), std::wstring(L"kfurl:http://a\"b"), L"kfurl:" + longest + L"a",
          L"kfurl:https://kf.example.com/" + std::wstring(5000, L'a')}) {
        g_appState.customUrl = L"https://kf.example.com/kept";
        applySwitchText(g_appState, text.c_str());
        EXPECT_EQ(g_appState.customUrl, L"https://kf.example.com/kept") << testing::PrintToString(text.substr(0, 60));
    }
}

TEST(WebAddress, SchemesAndCharacters) {
    EXPECT_TRUE(isWebAddress(L"http://a"));
    EXPECT_TRUE(isWebAddress(L"https://kf.example.com/p?q=1#f"));
    EXPECT_TRUE(isWebAddress(L"HTTP://A"));
    EXPECT_TRUE(isWebAddress(L"Https://a"));
    EXPECT_FALSE(isWebAddress(L"http://"));
    EXPECT_FALSE(isWebAddress(L"ftp://a"));
    EXPECT_FALSE(isWebAddress(L"mailto:x@y"));
    EXPECT_FALSE(isWebAddress(L"http://a\tb"));
}

}  // namespace
