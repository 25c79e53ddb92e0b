#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "FakeMachineProbe.h"
#include "FakeUiDef.h"
#include "ScratchDir.h"
#include "foundation/AppState.h"
#include "foundation/IniFile.h"
#include "machinecode/MachineCodeHash.h"

namespace fs = std::filesystem;
using SOUI::SStringA;
using SOUI::SStringW;

namespace {

class AppState : public testing::Test {
  protected:
    AppState() {
        probe_.leaves[1] = {0x00A20F12, 0, 0, 0x178BFBFF};
        probe_.drives[0] = descriptorWithSerial("5150523132333435");
    }

    std::unique_ptr<CAppState> start() const {
        return std::make_unique<CAppState>(SStringW(scratch_.wide().c_str()), probe_);
    }
    fs::path settings() const { return scratch_.path() / "BravikPdfEditor" / "wconfig.ini"; }
    std::string settingsText() const { return ScratchDir::readBytes(settings()); }
    void putSettings(const std::string& text) const {
        fs::create_directories(settings().parent_path());
        ScratchDir::writeBytes(settings(), text);
    }
    std::string readKey(const char* key) const { return readIniString("App", key, "<none>", settings().string()); }

    ScratchDir scratch_;
    FakeMachineProbe probe_;
};

TEST_F(AppState, FirstStartThenNextStart) {
    auto state = start();
    EXPECT_EQ(state->install, "2");
    EXPECT_EQ(readKey("fsi"), "1");
    EXPECT_EQ(state->sid, "001");
    EXPECT_EQ(state->pid, "220");
    EXPECT_TRUE(state->user.userId.IsEmpty());
    EXPECT_TRUE(state->userIdList.IsEmpty());
    EXPECT_TRUE(state->historyText.IsEmpty());
    EXPECT_EQ(state->fnumValue, 0);
    EXPECT_EQ(state->iniPath, (scratch_.narrow() + "\\BravikPdfEditor\\wconfig.ini").c_str());
    EXPECT_EQ(state->machineCode, machineCodeFrom("178BFBFF00A20F1200000000"
                                                  "00000000",
                                                  "PQ1R3254")
                                      .c_str());
    EXPECT_EQ(settingsText(),
              "[App]\r\nfsi = 1\r\nsid = 001\r\npid = 220\r\nuserid = \r\nuserdic = \r\nopenDocPath = \r\n"
              "frameState = normal\r\n");
    state.reset();
    EXPECT_EQ(start()->install, "1");
}

TEST_F(AppState, FieldsStartWithTheirDefaults) {
    auto state = start();
    const int tabs[10] = {1, 1, 1, 1, 1, 1, 0, 0, 1, 0};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(state->ribbonTabVisible[i], tabs[i]) << i;
    }
    EXPECT_EQ(state->editButtonVisible, 0);
    EXPECT_EQ(state->readButtonVisible, 0);
    EXPECT_EQ(state->convertButtonVisible, 0);
    EXPECT_EQ(state->doLogin, 1);
    EXPECT_EQ(state->pdfConv, 0);
    EXPECT_EQ(state->spareFlag, 1);
    EXPECT_EQ(state->updateAvailable, 0);
    EXPECT_TRUE(state->prover.IsEmpty());
    EXPECT_TRUE(state->versionInformation.IsEmpty());
    EXPECT_TRUE(state->title.IsEmpty());
    EXPECT_TRUE(state->customUrl.IsEmpty());
    EXPECT_TRUE(state->spareText.IsEmpty());
    EXPECT_TRUE(state->user.userName.IsEmpty());
    EXPECT_EQ(state->user.loggedIn, 0);
    EXPECT_EQ(state->user.loginMethod, 1);
    EXPECT_EQ(state->user.spareCode1, "0");
    EXPECT_EQ(state->user.spareCode2, "0");
}

TEST_F(AppState, MissingMarkerGivesOneAndIsAppendedToTheSection) {
    putSettings("[App]\r\nsid = 001\r\n[Other]\r\n");
    EXPECT_EQ(start()->install, "1");
    EXPECT_EQ(settingsText(), "[App]\r\nsid = 001\r\nfsi = 1\r\n[Other]\r\n");
}

TEST_F(AppState, SettingsReadAtStart) {
    const struct {
        const char* lines;
        int fnum;
        const char* sid;
        const char* pid;
    } cases[] = {
        {"fnum = 9", 5, "001", "220"},
        {"fnum = -3", -3, "001", "220"},
        {"fnum = 5\r\nsid = \r\npid = ", 5, "001", "220"},
        {"sid = 0 2\r\npid = 3 3 0", 0, "02", "330"},
    };
    for (const auto& c : cases) {
        putSettings(std::string("[App]\r\n") + c.lines + "\r\n");
        auto state = start();
        EXPECT_EQ(state->fnumValue, c.fnum) << c.lines;
        EXPECT_EQ(state->sid, c.sid) << c.lines;
        EXPECT_EQ(state->pid, c.pid) << c.lines;
    }
}

TEST_F(AppState, UserAndHistoryAreRead) {
    putSettings("[App]\r\nuserid = 42\r\nuserdic = 7;42;\r\nhistory = 1|C:\\a@b.pdf|0|3;\r\n");
    auto state = start();
    EXPECT_EQ(state->user.userId, "42");
    EXPECT_EQ(state->userIdList, "7;42;");
    EXPECT_EQ(state->historyText, L"1|C:\\a b.pdf|0|3;");
}

TEST_F(AppState, AppStringsCodeBlanksAsAt) {
    auto state = start();
    EXPECT_TRUE(state->writeAppString(L"openDocPath", L"\"C:\\my docs\\a.pdf\""));
    EXPECT_EQ(readKey("openDocPath"), "\"C:\\my@docs\\a.pdf\"");
    EXPECT_EQ(state->readAppString(L"openDocPath"), L"\"C:\\my docs\\a.pdf\"");
    EXPECT_TRUE(state->writeAppString(L"openDocPath", L"a@b"));
    EXPECT_EQ(state->readAppString(L"openDocPath"), L"a b");
    EXPECT_TRUE(state->writeAppString(L"frameState", L"max"));
    EXPECT_EQ(state->readAppString(L"frameState"), L"max");
    EXPECT_TRUE(state->writeAppString(L"openDocPath", L"提示\t"));
    EXPECT_EQ(readKey("openDocPath"), "\xCC\xE1\xCA\xBE\t");
    EXPECT_EQ(state->readAppString(L"openDocPath"), L"提示\t");
    EXPECT_TRUE(state->writeAppString(L"openDocPath", L""));
    EXPECT_EQ(state->readAppString(L"openDocPath"), L"");
    EXPECT_EQ(state->readAppString(L"missing"), L"");
}

TEST_F(AppState, UserIdsAreStoredWithoutCoding) {
    auto state = start();
    EXPECT_TRUE(state->saveUserId("4 2"));
    EXPECT_TRUE(state->saveUserDic("4 2;9;"));
    EXPECT_EQ(readKey("userid"), "42");
    auto next = start();
    EXPECT_EQ(next->user.userId, "42");
    EXPECT_EQ(next->userIdList, "42;9;");
    EXPECT_TRUE(next->saveUserId(""));
    EXPECT_TRUE(start()->user.userId.IsEmpty());
}

TEST_F(AppState, AnIdJoinsTheKnownIdsOnlyWhenTheListsTextDoesNotHoldIt) {
    struct Case {
        const char* list;
        const char* id;
        bool added;
        const char* after;
    };
    const Case cases[] = {
        {"", "123", true, "123;"},
        {"1234;", "123", false, "1234;"},  // a plain substring search
        {"123;", "1234", true, "123;1234;"},
        {"77;123;", "123", false, "77;123;"},
        {"5;", "", false, "5;"},  // the empty text occurs in every list
    };
    auto state = start();
    for (const Case& c : cases) {
        state->userIdList = c.list;
        ASSERT_TRUE(state->saveUserDic("before;"));
        EXPECT_EQ(state->addKnownUserId(c.id), c.added) << c.list << " + " << c.id;
        EXPECT_EQ(state->userIdList, c.after);
        EXPECT_EQ(readKey("userdic"), c.added ? c.after : "before;") << "saved only when the id joined";
    }
}

TEST_F(AppState, ASignedInUserIsStoredAndJoinsTheKnownIds) {
    auto state = start();
    ASSERT_TRUE(state->saveUserDic("before;"));
    state->storeSignedInUser("123");
    EXPECT_EQ(state->user.userId, "123");
    EXPECT_EQ(readKey("userid"), "123");
    EXPECT_EQ(state->userIdList, "123;");
    EXPECT_EQ(readKey("userdic"), "123;");

    // An id inside a known id leaves the list and its setting alone.
    state->userIdList = "1234;";
    ASSERT_TRUE(state->saveUserDic("before;"));
    state->storeSignedInUser("123");
    EXPECT_EQ(readKey("userid"), "123");
    EXPECT_EQ(state->userIdList, "1234;");
    EXPECT_EQ(readKey("userdic"), "before;");

    // The same id again writes the setting again.
    ASSERT_TRUE(state->saveUserId("other"));
    state->storeSignedInUser("123");
    EXPECT_EQ(readKey("userid"), "123");
}

TEST_F(AppState, HistoryAndFnumAccessors) {
    auto state = start();
    EXPECT_TRUE(state->saveHistory(L"5|D:\\x y.pdf|0|1;"));
    EXPECT_EQ(readKey("history"), "5|D:\\x@y.pdf|0|1;");
    EXPECT_TRUE(state->historyText.IsEmpty()) << "saving does not change the text read at start";
    EXPECT_EQ(start()->historyText, L"5|D:\\x y.pdf|0|1;");
    EXPECT_EQ(state->loadFnum(), 0);
    EXPECT_TRUE(state->saveFnum(12));
    EXPECT_EQ(state->loadFnum(), 12);
    EXPECT_EQ(start()->fnumValue, 5);
}

TEST_F(AppState, WithoutASettingsFileEverythingTakesItsDefault) {
    // The data folder cannot be made where a file stands.
    ScratchDir::writeBytes(scratch_.path() / "BravikPdfEditor", "not a folder");
    auto state = start();
    EXPECT_EQ(state->install, "1");
    EXPECT_EQ(state->sid, "001");
    EXPECT_EQ(state->pid, "220");
    EXPECT_FALSE(state->writeAppString(L"frameState", L"max"));
    EXPECT_FALSE(state->saveUserId("1"));
    EXPECT_EQ(state->readAppString(L"frameState"), L"");
    EXPECT_EQ(state->machineCode.GetLength(), 35);
}

TEST_F(AppState, AppStringsNeedAUiDefinition) {
    auto state = start();
    ASSERT_EQ(SOUI::SUiDef::GetUiDef(), nullptr);
    EXPECT_EQ(state->loadAppStrings(), 0);
    EXPECT_TRUE(state->versionInformation.IsEmpty());
    EXPECT_TRUE(state->prover.IsEmpty());

    CurrentUiDef definition;
    definition.strings().Set(L"prover", L"327");
    definition.strings().Set(L"version", L"3.2.7");
    definition.strings().Set(L"title", L"BravikPDF编辑器3.2.7");
    definition.strings().Set(L"webUrl", L"https://www.example.test/");
    definition.strings().Set(L"customUrl", L"https://service.example.test/client?k=1");
    EXPECT_EQ(state->loadAppStrings(), 1);
    EXPECT_EQ(state->prover, "327");
    EXPECT_EQ(state->versionInformation, "220327001");
    EXPECT_EQ(state->version, L"3.2.7");
    EXPECT_EQ(state->title, L"BravikPDF编辑器3.2.7");
    EXPECT_EQ(state->webUrl, L"https://www.example.test/");
    EXPECT_EQ(state->customUrl, L"https://service.example.test/client?k=1");
}

}  // namespace
