#include <curl/curl.h>  // before windows.h, which the counted strings bring
#include <foundation/IniFile.h>
#include <gtest/gtest.h>
#include <online/account/AccountRequests.h>
#include <online/account/CurlEasyClient.h>

#include <chrono>
#include <iterator>
#include <string>
#include <vector>

#include "support/AppStateSnapshot.h"
#include "support/ServiceControl.h"

namespace {

const char kLoadInfo[] = "Index/UserLogin/DoLoadInfo";
const char kUserData[] = "Index/UserLogin/GetUserData";
const char kLogin[] = "Index/UserLogin/DoLogin";

SOUI::SStringA base() {
    return services::accountUrl().c_str();
}

std::string loadInfoReply(const std::string& version, const std::string& switches) {
    return R"({"errno":"1000","errmsg":"","res":{"OlVersion":")" + version + R"(","LoadUrl":")" + switches + R"("}})";
}

std::string settingsUserDic() {
    return readIniString("App", "userdic", "", g_appState.iniPath.c_str());
}

// Each test starts from known application-state values and an empty request log, and leaves the
// state and the settings' known-ids list as it found them.
class Account : public ::testing::Test {
  protected:
    void SetUp() override {
        services::reset();
        saved = AppStateSnapshot::take();
        savedUserDic = settingsUserDic();
        g_appState.install = "2";
        g_appState.machineCode = "0a1b2c3d-4e5f6071-8293a4b5-c6d7e8f9";
        g_appState.prover = "327";
        g_appState.versionInformation = "220327001";
        g_appState.updateAvailable = 0;
        g_appState.doLogin = 1;
        g_appState.editButtonVisible = 0;
        g_appState.customUrl = L"https://kf.example.com/start";
        g_appState.userIdList = "";
        g_appState.user.userId = "";
        g_appState.user.userName = "";
        g_appState.user.loggedIn = 0;
        g_appState.user.loginMethod = 1;
    }
    void TearDown() override {
        saved.restore();
        g_appState.saveUserDic(savedUserDic.c_str());
    }

    static void expectSigned(const Json::Value& request, const std::vector<std::string>& fieldOrder) {
        EXPECT_EQ(services::names(request["fields"]), fieldOrder);
        EXPECT_TRUE(request["layout_ok"].asBool());
        EXPECT_TRUE(request["sign_ok"].asBool()) << request["query"].asString();
        EXPECT_EQ(request["checked_on"].asString(), "raw");
    }

    AppStateSnapshot saved;
    std::string savedUserDic;
};

TEST_F(Account, StartUpRequestIsSentAndSignedAsTheServiceChecksIt) {
    EXPECT_EQ(doLoadInfoAt(base()), 0);
    const std::vector<Json::Value> requests = services::requests();
    ASSERT_EQ(requests.size(), 1u) << "no profile request without a stored user id";
    const Json::Value& request = requests[0];
    EXPECT_EQ(request["path"].asString(), kLoadInfo);
    expectSigned(request, {"install", "m_id", "version_information", "nonce_str", "sign"});
    const Json::Value& fields = request["fields"];
    EXPECT_EQ(services::value(fields, "install"), "2");
    EXPECT_EQ(services::value(fields, "m_id"), "0a1b2c3d-4e5f6071-8293a4b5-c6d7e8f9");
    EXPECT_EQ(services::value(fields, "version_information"), "220327001");
    EXPECT_EQ(services::value(fields, "sign").size(), 32u);

    EXPECT_EQ(getUserDataAt(base()), 0);
    EXPECT_EQ(services::requests().size(), 1u) << "no profile request without a stored user id";
}

TEST_F(Account, ProfileRequestSendsTheUserIdRawAndSigned) {
    g_appState.user.userId = "u&id=7";
    EXPECT_EQ(getUserDataAt(base()), 1);
    const std::vector<Json::Value> requests = services::requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0]["path"].asString(), kUserData);
    EXPECT_EQ(requests[0]["query"].asString().rfind("u_id=u&id=7&m_id=", 0), 0u) << requests[0]["query"];
    expectSigned(requests[0], {"u_id", "m_id", "version_information", "nonce_str", "sign"});
    EXPECT_EQ(services::value(requests[0]["fields"], "u_id"), "u&id=7");
}

TEST_F(Account, StartUpRequestEndsWithTheProfileRequestEachWithItsOwnNonce) {
    g_appState.user.userId = "42";
    EXPECT_EQ(doLoadInfoAt(base()), 0);
    const std::vector<Json::Value> requests = services::requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0]["path"].asString(), kLoadInfo);
    EXPECT_EQ(requests[1]["path"].asString(), kUserData);
    expectSigned(requests[1], {"u_id", "m_id", "version_information", "nonce_str", "sign"});
    EXPECT_NE(services::value(requests[0]["fields"], "nonce_str"), services::value(requests[1]["fields"], "nonce_str"));
    EXPECT_EQ(g_appState.user.loggedIn, 1);
}

TEST_F(Account, SignInAddressIsSignedAndServesThePageThatCallsMsgBox) {
    const SOUI::SStringW address = buildLoginUrlAt(base());
    const SOUI::SStringW again = buildLoginUrlAt(base());
    EXPECT_NE(address, again) << "a fresh nonce each time";
    const std::string narrow(address.str().begin(), address.str().end());
    EXPECT_EQ(narrow.rfind(services::accountUrl() + "Index/UserLogin/DoLogin?m_id=0a1b2c3d-4e5f6071-8293a4b5-c6d7e8f9"
                                                    "&version_information=220327001&nonce_str=",
                           0),
              0u)
        << narrow;
    EXPECT_TRUE(services::requests().empty()) << "building the address makes no request";

    std::string page;
    EXPECT_EQ(g_curlEasyClient.getHttps(narrow, &page, nullptr), CURLE_OK);
    EXPECT_NE(page.find("msgBox("), std::string::npos) << page;
    const std::vector<Json::Value> requests = services::requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0]["path"].asString(), kLogin);
    expectSigned(requests[0], {"m_id", "version_information", "nonce_str", "sign"});
}

TEST_F(Account, SwitchesOfTheReplyReachTheState) {
    services::setReply(kLoadInfo,
                       {.body = loadInfoReply("0", "dologin:0;编辑:1;kfurl:HTTPS://KF.Example.COM/Chat?A=1")});
    const AppStateSnapshot before = AppStateSnapshot::take();
    doLoadInfoAt(base());
    AppStateSnapshot expected = before;
    expected.doLogin = 0;
    expected.editButtonVisible = 1;
    expected.customUrl = L"HTTPS://KF.Example.COM/Chat?A=1";  // the address keeps its case
    EXPECT_EQ(AppStateSnapshot::take(), expected);
}

TEST_F(Account, UpdateFlagComparesVersionsAsBytesAndIsNeverCleared) {
    struct Case {
        const char* online;
        int flag;
    };
    for (const Case c : {Case{"327", 0}, Case{"1000", 0}, Case{"", 0}, Case{"328", 1}, Case{"100", 1}}) {
        services::setReply(kLoadInfo, {.body = loadInfoReply(c.online, "")});
        doLoadInfoAt(base());
        EXPECT_EQ(g_appState.updateAvailable, c.flag) << c.online;
    }
}

TEST_F(Account, OnlyErrnoThousandCountsAsSuccess) {
    struct Case {
        const char* errnoJson;
        bool success;
    };
    const Case cases[] = {{R"("1000")", true},  {"1000", true},  {R"("01000")", false}, {R"(" 1000")", false},
                          {R"("1001")", false}, {"null", false}, {"true", false}};
    for (const Case& c : cases) {
        g_appState.editButtonVisible = 0;
        services::setReply(kLoadInfo, {.body = std::string(R"({"errno":)") + c.errnoJson +
                                               R"(,"res":{"OlVersion":"0","LoadUrl":"编辑:1"}})"});
        doLoadInfoAt(base());
        EXPECT_EQ(g_appState.editButtonVisible, c.success ? 1 : 0) << c.errnoJson;
    }
}

TEST_F(Account, ProfileSignsTheUserInOnlyForResultCodeOne) {
    struct Case {
        const char* code;
        int result;
    };
    const Case cases[] = {{R"("1")", 1}, {"1", 1}, {R"("01")", 0}, {"true", 0}, {R"("0")", 0}, {"null", 0}};
    for (const Case& c : cases) {
        g_appState.user.userId = "42";
        g_appState.user.userName = "before";
        g_appState.user.loggedIn = 0;
        g_appState.user.loginMethod = 1;
        services::setReply(kUserData, {.body = std::string(R"({"result_code":)") + c.code +
                                               R"(,"u_name":"张三","login_method":"3"})"});
        EXPECT_EQ(getUserDataAt(base()), c.result) << c.code;
        EXPECT_EQ(g_appState.user.loggedIn, c.result) << c.code;
        EXPECT_STREQ(g_appState.user.userName, c.result ? "\xD5\xC5\xC8\xFD" : "before") << c.code;  // ANSI 936
        EXPECT_EQ(g_appState.user.loginMethod, c.result ? 3 : 1) << c.code;
    }
}

TEST_F(Account, SignInMethodIsReadAsANumber) {
    g_appState.user.userId = "42";
    struct Case {
        const char* body;
        int method;
    };
    const Case cases[] = {{R"({"result_code":"1","login_method":"4"})", 4},
                          {R"({"result_code":"1","login_method":4})", 4},
                          {R"({"result_code":"1","login_method":"x"})", 0},
                          {R"({"result_code":"1"})", 0}};
    for (const Case& c : cases) {
        services::setReply(kUserData, {.body = c.body});
        EXPECT_EQ(getUserDataAt(base()), 1);
        EXPECT_EQ(g_appState.user.loginMethod, c.method) << c.body;
        EXPECT_STREQ(g_appState.user.userName, "");
    }
}

TEST_F(Account, NewUserIdJoinsTheKnownIdsListOnce) {
    g_appState.user.userId = "42";
    services::setReply(kUserData, {.body = R"({"result_code":"1","u_name":"a","login_method":"1"})"});
    ASSERT_EQ(getUserDataAt(base()), 1);
    EXPECT_STREQ(g_appState.userIdList, "42;");
    EXPECT_EQ(settingsUserDic(), "42;");
    ASSERT_EQ(getUserDataAt(base()), 1);
    EXPECT_STREQ(g_appState.userIdList, "42;");
    EXPECT_EQ(settingsUserDic(), "42;");
}

TEST_F(Account, MarkLoggedInSignsInAndStoresAnEmptyId) {
    const std::string path = g_appState.iniPath.c_str();
    const std::string savedId = readIniString("App", "userid", "", path);
    g_appState.saveUserId("42");
    EXPECT_EQ(markLoggedIn(), 1);
    EXPECT_EQ(g_appState.user.loggedIn, 1);
    EXPECT_EQ(readIniString("App", "userid", "none", path), "none") << "the key is there with an empty value";
    EXPECT_TRUE(services::requests().empty());
    g_appState.saveUserId(savedId.c_str());
}

TEST_F(Account, IdInsideALongerKnownIdCountsAsKnown) {
    g_appState.user.userId = "42";
    g_appState.userIdList = "1423;";
    g_appState.saveUserDic("1423;");
    ASSERT_EQ(getUserDataAt(base()), 1);
    EXPECT_STREQ(g_appState.userIdList, "1423;");
    EXPECT_EQ(settingsUserDic(), "1423;");
}

// Replies that do not parse, or parse into an unexpected shape, change nothing; the start-up
// request still goes on to the profile request.
TEST_F(Account, UnusableRepliesChangeNothing) {
    g_appState.user.userId = "42";
    const char* const loadInfoBodies[] = {
        "",
        "<html>error</html>",
        R"({"errno":"1000","res":{"OlVersion":"999","LoadUrl":"编)",
        "[1,2]",
        R"("text")",
        R"({"errno":{"a":1},"res":{}})",
        R"({"errno":"1000","res":[1]})",
        R"({"errno":"1000","res":"x"})",
        R"({"errno":"1000","res":{"OlVersion":["999"],"LoadUrl":"编辑:1"}})",
        R"({"errno":"1000","res":{"OlVersion":"999","LoadUrl":{"编辑":1}}})",
    };
    const char* const profileBodies[] = {
        "",
        "null",
        "[]",
        R"({"result_code":["1"]})",
        R"({"result_code":"1","u_name":{"a":1}})",
        R"({"result_code":"1","login_method":[3]})",
    };
    const AppStateSnapshot before = AppStateSnapshot::take();
    for (size_t i = 0; i < std::size(loadInfoBodies); ++i) {
        services::reset();
        services::setReply(kLoadInfo, {.body = loadInfoBodies[i]});
        services::setReply(kUserData, {.body = profileBodies[i % std::size(profileBodies)]});
        EXPECT_EQ(doLoadInfoAt(base()), 0);
        EXPECT_EQ(AppStateSnapshot::take(), before) << loadInfoBodies[i];
        EXPECT_EQ(services::requestsFor(kUserData).size(), 1u) << loadInfoBodies[i];
    }
}

// The HTTP status is not read: a reply is judged by its body alone, so an error page changes
// nothing because it does not parse, and a JSON body under an error status counts as any other.
TEST_F(Account, ErrorStatusIsNotReadTheBodyDecides) {
    g_appState.user.userId = "42";
    const AppStateSnapshot before = AppStateSnapshot::take();
    services::setReply(kLoadInfo, {.body = "<html>500</html>", .status = 500});
    services::setReply(kUserData, {.body = "<html>500</html>", .status = 500});
    EXPECT_EQ(doLoadInfoAt(base()), 0);
    EXPECT_EQ(AppStateSnapshot::take(), before);
    EXPECT_EQ(services::requestsFor(kUserData).size(), 1u);

    services::setReply(kLoadInfo, {.body = loadInfoReply("328", "编辑:1"), .status = 500});
    services::setReply(kUserData, {.body = R"({"result_code":"1","u_name":"a","login_method":"3"})", .status = 500});
    EXPECT_EQ(doLoadInfoAt(base()), 0);
    AppStateSnapshot expected = before;
    expected.updateAvailable = 1;
    expected.editButtonVisible = 1;
    expected.loggedIn = 1;
    expected.userName = "a";
    expected.loginMethod = 3;
    expected.userIdList = "42;";
    EXPECT_EQ(AppStateSnapshot::take(), expected);
}

TEST_F(Account, UnreachableOrUntrustedServiceChangesNothing) {
    g_appState.user.userId = "42";
    const AppStateSnapshot before = AppStateSnapshot::take();
    const std::string closed = services::closedUrl();
    const std::string unreachable = "https://" + closed.substr(closed.find("://") + 3);
    for (const std::string& url : {unreachable, services::accountIpUrl(), services::rogueUrl()}) {
        EXPECT_EQ(doLoadInfoAt(url.c_str()), 0) << url;
        EXPECT_EQ(getUserDataAt(url.c_str()), 0) << url;
        EXPECT_EQ(AppStateSnapshot::take(), before) << url;
    }
    // The refused servers never saw a request.
    EXPECT_TRUE(services::requests().empty());
}

TEST_F(Account, SilentServiceEndsWithinTheTimeOutsAndChangesNothing) {
    services::setReply(kLoadInfo, {.body = "", .silent = true});
    const AppStateSnapshot before = AppStateSnapshot::take();
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(doLoadInfoAt(base()), 0);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_GE(seconds, 9.0);
    EXPECT_LT(seconds, 14.0);
    EXPECT_EQ(AppStateSnapshot::take(), before);
}

}  // namespace
