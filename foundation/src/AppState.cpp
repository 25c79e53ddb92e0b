#include "foundation/AppState.h"

#include <windows.h>

#include <soui/SStrCpCvt.h>

#include "foundation/DataDir.h"
#include "foundation/IniFile.h"
#include "machinecode/MachineCode.h"

using SOUI::SStringA;
using SOUI::SStringW;

namespace {

constexpr char kSection[] = "App";

SStringA toNarrow(const SStringW& text) {
    return SOUI::SStrCpCvt::CvtW2A(text, CP_THREAD_ACP);
}

SStringW toWide(const SStringA& text) {
    return SOUI::SStrCpCvt::CvtA2W(text, CP_THREAD_ACP);
}

// An application string as the settings file holds it: blanks as "@", in the ANSI code page.
std::string storedAppString(SStringW value) {
    value.Replace(L' ', L'@');
    return toNarrow(value).str();
}

SStringW appStringOf(const std::string& stored) {
    if (stored.empty()) {
        return {};
    }
    SStringW text = toWide(SStringA(stored));
    text.Replace(L'@', L' ');
    return text;
}

}  // namespace

UserInfo::UserInfo() : loggedIn(0), loginMethod(1), spareCode1("0"), spareCode2("0") {}

CAppState::CAppState() : CAppState(getLocalAppDataDir(), systemMachineProbe()) {}

CAppState::CAppState(const SStringW& localAppData, const MachineProbe& probe)
    : spareFlag(1),
      updateAvailable(0),
      fnumValue(0),
      pdfConv(0),
      doLogin(1),
      ribbonTabVisible{1, 1, 1, 1, 1, 1, 0, 0, 1, 0},
      editButtonVisible(0),
      readButtonVisible(0),
      convertButtonVisible(0) {
    prepareDataDir(localAppData);
    iniPath = toNarrow(getConfigFilePath(localAppData));
    sid = loadSid();
    pid = loadPid();
    fnumValue = readIniInt(kSection, "fnum", iniPath.str(), 0);
    if (fnumValue > 5) {
        fnumValue = 5;
    }
    install = loadInstallMarker();
    machineCode = makeMachineCode(probe);
    historyText = loadHistory();
    user.userId = loadUserId();
    userIdList = loadUserDic();
}

bool CAppState::writeAppString(SStringW key, SStringW value) {
    return writeIniString(kSection, toNarrow(key).str(), storedAppString(value), iniPath.str());
}

SStringW CAppState::readAppString(SStringW key) {
    return appStringOf(readIniString(kSection, toNarrow(key).str(), "", iniPath.str()));
}

CAppState::TakenAppString CAppState::takeAppString(SStringW key, const std::optional<SStringW>& onlyIf) {
    const std::optional<std::string> expected =
        onlyIf ? std::optional<std::string>(storedAppString(*onlyIf)) : std::nullopt;
    const IniExchange exchange = exchangeIniString(kSection, toNarrow(key).str(), expected, "", iniPath.str());
    return {appStringOf(exchange.previous), exchange.replaced};
}

bool CAppState::saveUserId(SStringA id) {
    return writeIniString(kSection, "userid", id.str(), iniPath.str());
}

bool CAppState::saveUserDic(SStringA list) {
    return writeIniString(kSection, "userdic", list.str(), iniPath.str());
}

bool CAppState::addKnownUserId(const SStringA& id) {
    if (userIdList.Find(id.c_str()) >= 0) {
        return false;
    }
    userIdList += id;
    userIdList += ";";
    saveUserDic(userIdList);
    return true;
}

void CAppState::storeSignedInUser(const SStringA& id) {
    user.userId = id;
    saveUserId(id);
    addKnownUserId(id);
}

bool CAppState::saveHistory(SStringW text) {
    text.Replace(L' ', L'@');
    return writeIniString(kSection, "history", toNarrow(text).str(), iniPath.str());
}

int CAppState::loadFnum() {
    return readIniInt(kSection, "fnum", iniPath.str(), 0);
}

bool CAppState::saveFnum(int value) {
    return writeIniInt(kSection, "fnum", iniPath.str(), value);
}

SStringA CAppState::loadSid() {
    const std::string value = readIniString(kSection, "sid", "", iniPath.str());
    return value.empty() ? SStringA("001") : SStringA(value);
}

SStringA CAppState::loadPid() {
    const std::string value = readIniString(kSection, "pid", "", iniPath.str());
    return value.empty() ? SStringA("220") : SStringA(value);
}

SStringA CAppState::loadInstallMarker() {
    const int marker = readIniInt(kSection, "fsi", iniPath.str(), 1);
    writeIniString(kSection, "fsi", "1", iniPath.str());
    SStringA text;
    text.Format("%d", marker);
    return text;
}

SStringA CAppState::loadUserId() {
    return SStringA(readIniString(kSection, "userid", "", iniPath.str()));
}

SStringA CAppState::loadUserDic() {
    return SStringA(readIniString(kSection, "userdic", "", iniPath.str()));
}

SStringW CAppState::loadHistory() {
    const std::string value = readIniString(kSection, "history", "", iniPath.str());
    if (value.empty()) {
        return {};
    }
    SStringW text = toWide(SStringA(value));
    text.Replace(L'@', L' ');
    return text;
}
