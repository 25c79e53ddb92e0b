#pragma once

#include <soui/SString.h>

#include <optional>

class MachineProbe;

// The record of the signed-in user. Narrow texts are in the thread's ANSI code page.
struct UserInfo {
    UserInfo();

    SOUI::SStringA userId;
    SOUI::SStringA userName;
    int loggedIn;
    int loginMethod;
    SOUI::SStringA spareCode1;
    SOUI::SStringA spareCode2;
};

// The application state: settings path, version texts, install marker, machine code, the switches
// of the account service, the window title and the user record. A plain record: the shell and the
// online services read and write its fields directly; the settings go through the accessors.
// Narrow texts are in the thread's ANSI code page.
class CAppState {
  public:
    // The state of this user: the shell's local application data folder and this computer.
    CAppState();
    // The same over another local application data folder and other machine inputs (tests).
    CAppState(const SOUI::SStringW& localAppData, const MachineProbe& probe);
    CAppState(const CAppState&) = delete;
    CAppState& operator=(const CAppState&) = delete;

    // Reads the application strings; 0 (nothing changed) while no UI definition is loaded, else 1.
    int loadAppStrings();

    // Section "App" of iniPath. Blanks of the wide values are stored as "@" and read back as blanks.
    bool writeAppString(SOUI::SStringW key, SOUI::SStringW value);
    SOUI::SStringW readAppString(SOUI::SStringW key);
    // The key's value, as readAppString reads it, and the key emptied, in one step under the
    // settings lock, so that no reader or writer of this session comes in between. With `onlyIf`
    // the key is emptied only while it still holds that value (as writeAppString would write it).
    struct TakenAppString {
        SOUI::SStringW value;
        bool emptied;  // the empty value was written
    };
    TakenAppString takeAppString(SOUI::SStringW key, const std::optional<SOUI::SStringW>& onlyIf = std::nullopt);
    bool saveUserId(SOUI::SStringA id);
    bool saveUserDic(SOUI::SStringA list);
    bool saveHistory(SOUI::SStringW text);
    int loadFnum();
    bool saveFnum(int value);

    // The readers of the constructor.
    SOUI::SStringA loadSid();
    SOUI::SStringA loadPid();
    // The first-start marker; writes "1" back at every call.
    SOUI::SStringA loadInstallMarker();
    SOUI::SStringA loadUserId();
    SOUI::SStringA loadUserDic();
    SOUI::SStringW loadHistory();

    // The list of user ids that signed in on this computer: the id and ";" join userIdList, which
    // is saved as "userdic", only when the list's text does not hold the id anywhere yet (a plain
    // substring search: "123" counts as known beside "1234"); true when it joined.
    bool addKnownUserId(const SOUI::SStringA& id);
    // A user id the sign-in page reported becomes the user record's and the settings key "userid",
    // and joins the known ids.
    void storeSignedInUser(const SOUI::SStringA& id);

    SOUI::SStringA iniPath;
    SOUI::SStringA spareText;
    SOUI::SStringA pid;
    SOUI::SStringA prover;
    SOUI::SStringA sid;
    int spareFlag;
    int updateAvailable;
    int fnumValue;
    SOUI::SStringA install;
    SOUI::SStringA versionInformation;
    SOUI::SStringA machineCode;
    SOUI::SStringW version;
    SOUI::SStringW title;
    SOUI::SStringW qq;
    SOUI::SStringW webUrl;
    SOUI::SStringW historyText;
    SOUI::SStringA userIdList;
    SOUI::SStringW customUrl;
    int pdfConv;
    int doLogin;
    // Ribbon tabs, in the order of the start-up switches 开始 视图 注释 保护 表单 页面组织 菜单_转换 共享 审阅 帮助.
    int ribbonTabVisible[10];
    int editButtonVisible;
    int readButtonVisible;
    int convertButtonVisible;
    UserInfo user;
};

// The one application state of the program, built by its last static initialiser. Only the
// program links its definition (CMake: bravik_link_app_state); tests build their own CAppState.
extern CAppState g_appState;
