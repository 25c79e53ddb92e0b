#pragma once

#include <foundation/AppState.h>
#include <gtest/gtest.h>

#include <string>

// The fields of g_appState that the account requests may write, taken at one moment; a test
// compares two of them to show that nothing changed, and puts the state back afterwards.
struct AppStateSnapshot {
    static AppStateSnapshot take() {
        AppStateSnapshot s;
        s.updateAvailable = g_appState.updateAvailable;
        s.doLogin = g_appState.doLogin;
        s.pdfConv = g_appState.pdfConv;
        s.qq = g_appState.qq.str();
        s.customUrl = g_appState.customUrl.str();
        for (int i = 0; i < 10; ++i) {
            s.ribbonTabVisible[i] = g_appState.ribbonTabVisible[i];
        }
        s.editButtonVisible = g_appState.editButtonVisible;
        s.readButtonVisible = g_appState.readButtonVisible;
        s.convertButtonVisible = g_appState.convertButtonVisible;
        s.userIdList = g_appState.userIdList.str();
        s.userId = g_appState.user.userId.str();
        s.userName = g_appState.user.userName.str();
        s.loggedIn = g_appState.user.loggedIn;
        s.loginMethod = g_appState.user.loginMethod;
        return s;
    }

    void restore() const {
        g_appState.updateAvailable = updateAvailable;
        g_appState.doLogin = doLogin;
        g_appState.pdfConv = pdfConv;
        g_appState.qq = qq.c_str();
        g_appState.customUrl = customUrl.c_str();
        for (int i = 0; i < 10; ++i) {
            g_appState.ribbonTabVisible[i] = ribbonTabVisible[i];
        }
        g_appState.editButtonVisible = editButtonVisible;
        g_appState.readButtonVisible = readButtonVisible;
        g_appState.convertButtonVisible = convertButtonVisible;
        g_appState.userIdList = userIdList.c_str();
        g_appState.user.userId = userId.c_str();
        g_appState.user.userName = userName.c_str();
        g_appState.user.loggedIn = loggedIn;
        g_appState.user.loginMethod = loginMethod;
    }

    bool operator==(const AppStateSnapshot&) const = default;

    int updateAvailable = 0;
    int doLogin = 0;
    int pdfConv = 0;
    std::wstring qq;
    std::wstring customUrl;
    int ribbonTabVisible[10] = {};
    int editButtonVisible = 0;
    int readButtonVisible = 0;
    int convertButtonVisible = 0;
    std::string userIdList;
    std::string userId;
    std::string userName;
    int loggedIn = 0;
    int loginMethod = 0;
};

inline void PrintTo(const AppStateSnapshot& s, std::ostream* os) {
    *os << "{update " << s.updateAvailable << ", dologin " << s.doLogin << ", pdfconv " << s.pdfConv << ", tabs ";
    for (int flag : s.ribbonTabVisible) {
        *os << flag;
    }
    *os << ", buttons " << s.editButtonVisible << s.readButtonVisible << s.convertButtonVisible << ", customUrl size "
        << s.customUrl.size() << ", ids '" << s.userIdList << "', user '" << s.userId << "' '" << s.userName << "' "
        << s.loggedIn << "/" << s.loginMethod << "}";
}
