#include "online/account/AccountRequests.h"

#include <foundation/AppState.h>
#include <foundation/UiTextConvert.h>
#include <soui/SStrCpCvt.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "online/account/AccountService.h"
#include "online/account/AccountTransfer.h"
#include "online/account/Nonce.h"
#include "online/account/ReplyReader.h"
#include "online/account/RequestSigning.h"
#include "online/account/SwitchTable.h"
#include "online/account/VersionOrder.h"

namespace {

const char kLoadInfoPath[] = "Index/UserLogin/DoLoadInfo";
const char kUserDataPath[] = "Index/UserLogin/GetUserData";
const char kLoginPath[] = "Index/UserLogin/DoLogin";

// The reply as a JSON object, or nothing: a failed transfer shows as a reply that does not parse.
std::optional<Json::Value> request(const SOUI::SStringA& address) {
    return parseReplyObject(fetchAccountReply(address.str()));
}

}  // namespace

int doLoadInfoAt(const SOUI::SStringA& baseUrl) {
    const SOUI::SStringA address = signedAddress(baseUrl, kLoadInfoPath,
                                                 {{"install", g_appState.install},
                                                  {"m_id", g_appState.machineCode},
                                                  {"version_information", g_appState.versionInformation},
                                                  {"nonce_str", makeNonce()}});
    const std::optional<Json::Value> root = request(address);
    const std::optional<LoadInfo> info = root ? readLoadInfo(*root) : std::nullopt;
    if (info) {
        if (isNewerVersion(info->onlineVersion, g_appState.prover.str())) {
            g_appState.updateAvailable = 1;
        }
        applySwitchText(g_appState, utf8ToWideText(info->switchText));
    }
    getUserDataAt(baseUrl);
    return 0;
}

int getUserDataAt(const SOUI::SStringA& baseUrl) {
    UserInfo& user = g_appState.user;
    if (user.userId.IsEmpty()) {
        return 0;
    }
    const SOUI::SStringA address = signedAddress(baseUrl, kUserDataPath,
                                                 {{"u_id", user.userId},
                                                  {"m_id", g_appState.machineCode},
                                                  {"version_information", g_appState.versionInformation},
                                                  {"nonce_str", makeNonce()}});
    const std::optional<Json::Value> root = request(address);
    const std::optional<Profile> profile = root ? readProfile(*root) : std::nullopt;
    if (!profile) {
        return 0;
    }
    user.loggedIn = 1;
    user.userName = SOUI::SStrCpCvt::CvtW2A(utf8ToWideText(profile->userName), CP_ACP);
    user.loginMethod = std::atoi(profile->loginMethod.c_str());
    g_appState.addKnownUserId(user.userId);
    return 1;
}

SOUI::SStringW buildLoginUrlAt(const SOUI::SStringA& baseUrl) {
    const SOUI::SStringA address = signedAddress(baseUrl, kLoginPath,
                                                 {{"m_id", g_appState.machineCode},
                                                  {"version_information", g_appState.versionInformation},
                                                  {"nonce_str", makeNonce()}});
    return SOUI::SStrCpCvt::CvtA2W(address, CP_ACP);
}

int doLoadInfo() {
    return doLoadInfoAt(g_accountBaseUrl);
}

int getUserData() {
    return getUserDataAt(g_accountBaseUrl);
}

SOUI::SStringW buildLoginUrl() {
    return buildLoginUrlAt(g_accountBaseUrl);
}

int markLoggedIn() {
    g_appState.user.loggedIn = 1;
    g_appState.saveUserId("");
    return 1;
}

SOUI::SStringW emptyWideText(const SOUI::SStringW& /*text*/) {
    return SOUI::SStringW();
}
