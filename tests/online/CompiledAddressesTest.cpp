// The production road: the compiled-in service addresses, which the test build points at the local
// services on their fixed loopback ports.
#include <gtest/gtest.h>
#include <online/account/AccountRequests.h>
#include <online/account/AccountService.h>
#include <online/http/CrashReportAddress.h>
#include <online/http/CurlHttpPost.h>

#include <string>
#include <vector>

#include "support/AppStateSnapshot.h"
#include "support/ServiceControl.h"

namespace {

class CompiledAddresses : public ::testing::Test {
  protected:
    void SetUp() override {
        services::reset();
        saved = AppStateSnapshot::take();
    }
    void TearDown() override { saved.restore(); }
    AppStateSnapshot saved;
};

TEST_F(CompiledAddresses, AreTheLocalServices) {
    EXPECT_EQ(g_accountBaseUrl.str(), services::accountUrl());
    EXPECT_EQ(std::string(kCrashReportUploadUrl), services::crashUrl());
}

TEST_F(CompiledAddresses, AccountRequestsGoToTheCompiledInService) {
    g_appState.user.userId = "42";
    g_appState.user.loggedIn = 0;
    services::setReply("Index/UserLogin/GetUserData",
                       {.body = R"({"result_code":"1","u_name":"x","login_method":"1"})"});
    EXPECT_EQ(doLoadInfo(), 0);
    EXPECT_EQ(getUserData(), 1);
    const SOUI::SStringW login = buildLoginUrl();
    const std::string base = services::accountUrl();
    EXPECT_EQ(login.Left(static_cast<int>(base.size())).str(), std::wstring(base.begin(), base.end()));
    const std::vector<Json::Value> requests = services::requests();
    ASSERT_EQ(requests.size(), 3u);
    for (const Json::Value& request : requests) {
        EXPECT_EQ(request["service"].asString(), "account");
        EXPECT_TRUE(request["sign_ok"].asBool()) << request["path"];
    }
    EXPECT_EQ(g_appState.user.loggedIn, 1);
}

TEST_F(CompiledAddresses, CrashReportPostIgnoresItsArgumentsAndReachesTheService) {
    CCurlHttpPost post("http://elsewhere.invalid/", "", 5, 5, false);
    post.setPostFields("exception=a%26b&mcode=m&uid=42&vform=220327001");
    ASSERT_TRUE(post.perform()) << post.getLastError();
    EXPECT_STREQ(post.responseBody(), "已收到崩溃报告");
    const std::vector<Json::Value> requests = services::requestsFor("DoLoadLog.php");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(services::names(requests[0]["form"]), (std::vector<std::string>{"exception", "mcode", "uid", "vform"}));
    EXPECT_EQ(services::value(requests[0]["form"], "exception"), "a&b");
}

}  // namespace
