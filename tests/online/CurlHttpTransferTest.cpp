#include <gtest/gtest.h>
#include <online/http/CaBundle.h>
#include <online/http/CrashReportAddress.h>
#include <online/http/CurlHttpGlobal.h>
#include <online/http/CurlHttpPost.h>
#include <online/http/CurlHttpQuery.h>

#include <chrono>
#include <string>
#include <vector>

#include "support/DebugOutputCapture.h"
#include "support/ServiceControl.h"

namespace {

const char kAccept[] = "text/html,application/xhtml+xml,application/xml;q=0.9,image/webp,image/apng,*/*;q=0.8";
const char kUserAgent[] =
    "Mozilla/5.0 (Windows NT 6.1; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/69.0.3497.100 "
    "Safari/537.36";
const wchar_t kPeerNotOk[] = L"SSL peer certificate or SSH remote key was not OK";

class CTransferProbe : public CCurlHttpBase {
  public:
    using CCurlHttpBase::CCurlHttpBase;
    CURL* handle() const { return m_handle; }
    curl_slist* headers() const { return m_headers; }
    const std::string& body() const { return m_responseBody; }
};

class Transfer : public ::testing::Test {
  protected:
    void SetUp() override { services::reset(); }

    static void expectDefaultHeadersOnce(const Json::Value& request) {
        EXPECT_EQ(services::headerValues(request, "Accept"), std::vector<std::string>{kAccept});
        EXPECT_EQ(services::headerValues(request, "User-Agent"), std::vector<std::string>{kUserAgent});
    }
};

TEST_F(Transfer, SecondPerformReusesHandleAndHeadersAndStartsWithEmptyBody) {
    services::setReply("probe/one", {.body = "first"});
    services::setReply("probe/two", {.body = "second"});
    CTransferProbe transfer((services::httpUrl() + "probe/one").c_str(), "", 0, 0, false);
    ASSERT_TRUE(transfer.perform()) << transfer.getLastError();
    EXPECT_EQ(transfer.body(), "first");
    CURL* const handle = transfer.handle();
    curl_slist* const headers = transfer.headers();
    ASSERT_NE(handle, nullptr);
    ASSERT_NE(headers, nullptr);

    transfer.setUrl(services::httpUrl() + "probe/two");
    ASSERT_TRUE(transfer.perform()) << transfer.getLastError();
    EXPECT_EQ(transfer.body(), "second");
    EXPECT_STREQ(transfer.responseBody(), "second");
    EXPECT_EQ(transfer.handle(), handle);
    EXPECT_EQ(transfer.headers(), headers);

    const std::vector<Json::Value> requests = services::requests();
    ASSERT_EQ(requests.size(), 2u);
    for (const Json::Value& request : requests) {
        EXPECT_EQ(request["method"].asString(), "GET");
        expectDefaultHeadersOnce(request);
    }
}

TEST_F(Transfer, CleanupWithoutKeepingMakesANewHandleAndHeaderList) {
    services::setReply("probe", {.body = "x"});
    CTransferProbe transfer((services::httpUrl() + "probe").c_str(), "", 0, 0, false);
    ASSERT_TRUE(transfer.perform());
    EXPECT_TRUE(transfer.cleanup(false));
    EXPECT_EQ(transfer.handle(), nullptr);
    EXPECT_EQ(transfer.headers(), nullptr);
    ASSERT_TRUE(transfer.perform()) << transfer.getLastError();
    EXPECT_NE(transfer.handle(), nullptr);
    EXPECT_NE(transfer.headers(), nullptr);
    const std::vector<Json::Value> requests = services::requests();
    ASSERT_EQ(requests.size(), 2u);
    expectDefaultHeadersOnce(requests[1]);
}

TEST_F(Transfer, QueryIsAGetAndAnAddedHeaderLineGoesWithTheNextRequest) {
    EXPECT_TRUE(CCurlHttpGlobal::init());
    EXPECT_TRUE(g_curlGlobalInitDone);
    services::setReply("probe", {.body = "x"});
    CCurlHttpQuery query((services::httpUrl() + "probe").c_str(), "", 0, 0, false);
    ASSERT_TRUE(query.perform()) << query.getLastError();
    // Added to the kept list: the default lines stay and the new one follows them.
    EXPECT_TRUE(query.addHeader("X-Probe: 1"));
    ASSERT_TRUE(query.perform()) << query.getLastError();
    const std::vector<Json::Value> requests = services::requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1]["method"].asString(), "GET");
    expectDefaultHeadersOnce(requests[1]);
    EXPECT_TRUE(services::headerValues(requests[0], "X-Probe").empty());
    EXPECT_EQ(services::headerValues(requests[1], "X-Probe"), std::vector<std::string>{"1"});
}

TEST_F(Transfer, ErrorStatusesCountAsSuccessAndKeepTheirBodies) {
    services::setReply("broken", {.body = "server trouble", .status = 500});
    CTransferProbe transfer((services::httpUrl() + "no/such/page").c_str(), "", 0, 0, false);
    ASSERT_TRUE(transfer.perform()) << transfer.getLastError();
    EXPECT_NE(transfer.body().find("404 Not Found"), std::string::npos) << transfer.body();
    transfer.setUrl(services::httpUrl() + "broken");
    ASSERT_TRUE(transfer.perform()) << transfer.getLastError();
    EXPECT_EQ(transfer.body(), "server trouble");
    EXPECT_STREQ(transfer.getLastError(), L"");
}

// A step that hands libcurl a null data pointer: the library stops with its write error.
class CNullWrite : public CTransferProbe {
  public:
    using CTransferProbe::CTransferProbe;
    size_t onWrite(const void*, size_t size, size_t count) override {
        return CCurlHttpBase::onWrite(nullptr, size, count);
    }
};

TEST_F(Transfer, NullWriteDataEndsTheTransferWithTheWriteError) {
    services::setReply("probe", {.body = "some bytes"});
    CNullWrite transfer((services::httpUrl() + "probe").c_str(), "", 0, 0, false);
    EXPECT_FALSE(transfer.perform());
    EXPECT_STREQ(transfer.getLastError(), L"Failed writing received data to disk/application");
    EXPECT_EQ(transfer.body(), "");
}

TEST_F(Transfer, PostBodyIsSentUpToItsFirstZeroByte) {
    CCurlHttpPost post;
    post.setUrl(services::crashUrl());
    post.setPostFields(std::string("exception=a\0b&mcode=c", 21));
    ASSERT_TRUE(post.perform()) << post.getLastError();
    EXPECT_STREQ(post.responseBody(), "已收到崩溃报告");
    const std::vector<Json::Value> requests = services::requestsFor("DoLoadLog.php");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0]["method"].asString(), "POST");
    EXPECT_EQ(services::fromHex(requests[0]["body_hex"].asString()), "exception=a");
    expectDefaultHeadersOnce(requests[0]);
}

TEST_F(Transfer, FiveArgumentPostIgnoresItsArgumentsForTheCrashReportAddress) {
    CCurlHttpPost post("https://elsewhere.invalid/", "ca.pem", 5, 6, true);
    EXPECT_EQ(post.url(), kCrashReportUploadUrl);
    EXPECT_EQ(post.url().rfind("http://", 0), 0u);
    EXPECT_EQ(post.url().substr(post.url().size() - 14), "/DoLoadLog.php");
    EXPECT_EQ(post.caPath(), "");
    EXPECT_EQ(post.getConnectTimeoutMs(), 0);
    EXPECT_EQ(post.getTimeout(), 0);
    EXPECT_FALSE(post.getVerbose());
}

// A time-out of 0 sets no option: a slow reply arrives, and a limit an earlier transfer put on
// the reused handle stays in force.
TEST_F(Transfer, TimeoutsOfZeroSetNothing) {
    services::setReply("slow", {.body = "late", .delay = 2});
    CTransferProbe unlimited((services::httpUrl() + "slow").c_str(), "", 0, 0, false);
    ASSERT_TRUE(unlimited.perform()) << unlimited.getLastError();
    EXPECT_EQ(unlimited.body(), "late");

    CTransferProbe limited((services::httpUrl() + "slow").c_str(), "", 0, 1, false);
    EXPECT_FALSE(limited.perform());
    EXPECT_STREQ(limited.getLastError(), L"Timeout was reached");
    limited.setTimeout(0);
    EXPECT_FALSE(limited.perform());
    EXPECT_STREQ(limited.getLastError(), L"Timeout was reached");
}

TEST_F(Transfer, OptionThatCannotBeSetEndsPerformBeforeAnyRequest) {
    // libcurl refuses texts longer than 8,000,000 characters.
    CTransferProbe transfer((services::httpUrl() + std::string(8000001, 'a')).c_str(), "", 0, 0, false);
    EXPECT_FALSE(transfer.perform());
    EXPECT_STREQ(transfer.getLastError(), L"A libcurl function was given a bad argument");
    EXPECT_TRUE(services::requests().empty());
}

TEST_F(Transfer, UnreachableServiceGivesTheLibrarysText) {
    CTransferProbe transfer(services::closedUrl().c_str(), "", 0, 10, false);
    EXPECT_FALSE(transfer.perform());
    EXPECT_STREQ(transfer.getLastError(), L"Couldn't connect to server");
}

TEST_F(Transfer, UnresolvableHostGivesTheLibrarysText) {
    CTransferProbe transfer("http://no-such-host.invalid/", "", 0, 10, false);
    EXPECT_FALSE(transfer.perform());
    EXPECT_STREQ(transfer.getLastError(), L"Couldn't resolve host name");
}

TEST_F(Transfer, EmptyCaPathVerifiesAgainstTheBundleBesideTheProgram) {
    services::setReply("probe", {.body = "over tls"});
    CTransferProbe trusted((services::accountUrl() + "probe").c_str(), "", 0, 10, false);
    ASSERT_TRUE(trusted.perform()) << trusted.getLastError();
    EXPECT_EQ(trusted.body(), "over tls");

    // The same server under a name its certificate does not carry, and a self-signed server.
    for (const std::string& url : {services::accountIpUrl() + "probe", services::rogueUrl() + "probe"}) {
        CTransferProbe refused(url.c_str(), "", 0, 10, false);
        EXPECT_FALSE(refused.perform()) << url;
        EXPECT_STREQ(refused.getLastError(), kPeerNotOk) << url;
        EXPECT_EQ(refused.body(), "");
    }
    EXPECT_EQ(services::requests().size(), 1u);
}

TEST_F(Transfer, GivenCaPathIsTheOnlyTrust) {
    services::setReply("probe", {.body = "ok"});
    CTransferProbe withBundle((services::accountUrl() + "probe").c_str(), defaultCaBundlePath().c_str(), 0, 10, false);
    EXPECT_TRUE(withBundle.perform()) << withBundle.getLastError();
    CTransferProbe rogue((services::rogueUrl() + "probe").c_str(), defaultCaBundlePath().c_str(), 0, 10, false);
    EXPECT_FALSE(rogue.perform());
    CTransferProbe missing((services::accountUrl() + "probe").c_str(), "no-such-ca.pem", 0, 10, false);
    EXPECT_FALSE(missing.perform());
    EXPECT_STREQ(missing.getLastError(), L"Problem with the SSL CA cert (path? access rights?)");
}

TEST(TlsPolicy, OnlyHttpsAddressesCarryTls) {
    for (const char* url : {"https://a/", "HTTPS://A/", "hTtPs:x"}) {
        EXPECT_TRUE(isHttpsAddress(url)) << url;
    }
    // The crash-report upload's plain HTTP among them: it gets no CA file.
    for (const char* url : {"http://127.0.0.1:28080/DoLoadLog.php", "", "https", "httpsx://a/", " https://a/"}) {
        EXPECT_FALSE(isHttpsAddress(url)) << url;
    }
}

TEST_F(Transfer, VerboseModeSendsTheLibrarysTextToTheDebugger) {
    DebugOutputCapture capture;
    ASSERT_TRUE(capture.ready());
    services::setReply("probe", {.body = "x"});
    CTransferProbe transfer((services::httpUrl() + "probe").c_str(), "", 0, 10, true);
    ASSERT_TRUE(transfer.perform()) << transfer.getLastError();
    const std::vector<std::string> pieces = capture.pieces(20, std::chrono::seconds(2));
    bool sawRequestLine = false;
    for (const std::string& piece : pieces) {
        sawRequestLine = sawRequestLine || piece.rfind("Type:2,GET /probe HTTP/1.1", 0) == 0;
    }
    EXPECT_TRUE(sawRequestLine) << pieces.size() << " pieces";
}

// Every step of perform goes through the virtual table, in this order.
class CStepJournal : public CTransferProbe {
  public:
    using CTransferProbe::CTransferProbe;
    bool prepare() override { return log("prepare", CTransferProbe::prepare()); }
    bool cleanup(bool keep) override { return log(keep ? "cleanup(keep)" : "cleanup", CTransferProbe::cleanup(keep)); }
    bool setOptions() override { return log("setOptions", CTransferProbe::setOptions()); }
    bool setMethodOptions() override { return log("setMethodOptions", CTransferProbe::setMethodOptions()); }
    bool beforePerform() override { return log("beforePerform", stopBefore ? false : CTransferProbe::beforePerform()); }
    bool afterPerform() override { return log("afterPerform", CTransferProbe::afterPerform()); }
    void resetResponse() override {
        steps.push_back("resetResponse");
        CTransferProbe::resetResponse();
    }
    bool initCurl() override { return log("initCurl", CTransferProbe::initCurl()); }
    bool setDefaultHeaders() override { return log("setDefaultHeaders", CTransferProbe::setDefaultHeaders()); }

    std::vector<std::string> steps;
    bool stopBefore = false;

  private:
    bool log(const char* step, bool result) {
        steps.push_back(step);
        return result;
    }
};

TEST_F(Transfer, PerformRunsItsVirtualStepsInOrder) {
    services::setReply("probe", {.body = "x"});
    CStepJournal transfer((services::httpUrl() + "probe").c_str(), "", 0, 10, false);
    ASSERT_TRUE(transfer.perform());
    // Steps are logged when they return, after the ones they call; resetResponse when it starts.
    EXPECT_EQ(transfer.steps,
              (std::vector<std::string>{"resetResponse", "cleanup(keep)", "initCurl", "setDefaultHeaders", "prepare",
                                        "setOptions", "setMethodOptions", "beforePerform", "afterPerform"}));
    transfer.steps.clear();
    transfer.stopBefore = true;
    EXPECT_FALSE(transfer.perform());
    EXPECT_EQ(transfer.steps.back(), "beforePerform");
    EXPECT_EQ(services::requests().size(), 1u);
}

}  // namespace
