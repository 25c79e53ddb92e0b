#include <curl/curl.h>  // before anything that brings windows.h
#include <gtest/gtest.h>
#include <online/account/CurlEasyClient.h>
#include <online/http/CaBundle.h>

#include <cstdio>
#include <string>

#include "support/ServiceControl.h"

namespace {

class EasyClient : public ::testing::Test {
  protected:
    void SetUp() override { services::reset(); }
    CCurlEasyClient client;
};

TEST_F(EasyClient, ErrorStatusIsSuccessAndTheBodyIsAppended) {
    services::setReply("probe", {.body = "trouble", .status = 500});
    std::string response = "kept:";
    EXPECT_EQ(client.getHttps(services::accountUrl() + "probe", &response, nullptr), CURLE_OK);
    EXPECT_EQ(response, "kept:trouble");
}

TEST_F(EasyClient, HttpsVerifiesPeerAndHostWhateverPathIsGiven) {
    services::setReply("probe", {.body = "ok"});
    const std::string bundle = defaultCaBundlePath();
    for (const char* caPath : {static_cast<const char*>(nullptr), "", bundle.c_str()}) {
        std::string response;
        EXPECT_EQ(client.getHttps(services::accountUrl() + "probe", &response, caPath), CURLE_OK);
        EXPECT_EQ(response, "ok");
        for (const std::string& refused : {services::accountIpUrl() + "probe", services::rogueUrl() + "probe"}) {
            std::string nothing;
            EXPECT_EQ(client.getHttps(refused, &nothing, caPath), CURLE_PEER_FAILED_VERIFICATION) << refused;
            EXPECT_EQ(client.postHttps(refused, "a=1", &nothing, caPath), CURLE_PEER_FAILED_VERIFICATION) << refused;
            EXPECT_EQ(nothing, "");
        }
    }
    std::string response;
    EXPECT_EQ(client.getHttps(services::accountUrl() + "probe", &response, "missing-ca.pem"), CURLE_SSL_CACERT_BADFILE);
    EXPECT_EQ(services::requests().size(), 3u);
}

TEST_F(EasyClient, PostSendsTheBodyUpToItsFirstZeroByte) {
    std::string response;
    EXPECT_EQ(client.post(services::crashUrl(), std::string("exception=x\0y", 13), &response), CURLE_OK);
    EXPECT_EQ(response, "已收到崩溃报告");
    ASSERT_EQ(services::requests().size(), 1u);
    EXPECT_EQ(services::fromHex(services::requests()[0]["body_hex"].asString()), "exception=x");

    EXPECT_EQ(client.postHttps(services::accountUrl() + "probe", "a=1&b=2", &response, nullptr), CURLE_OK);
    EXPECT_EQ(services::requests()[1]["method"].asString(), "POST");
    EXPECT_EQ(services::requests()[1]["body"].asString(), "a=1&b=2");
}

TEST_F(EasyClient, GetOverPlainHttp) {
    services::setReply("probe", {.body = "plain"});
    std::string response;
    EXPECT_EQ(client.get(services::httpUrl() + "probe", &response), CURLE_OK);
    EXPECT_EQ(response, "plain");
}

TEST_F(EasyClient, NullResponseStringEndsTheTransferWithTheWriteError) {
    services::setReply("probe", {.body = "bytes"});
    EXPECT_EQ(client.getHttps(services::accountUrl() + "probe", nullptr, nullptr), CURLE_WRITE_ERROR);
    char data[] = "abcdef";
    std::string response;
    EXPECT_EQ(CCurlEasyClient::onWriteData(data, 2, 3, &response), 6u);
    EXPECT_EQ(response, "abcdef");
    EXPECT_EQ(CCurlEasyClient::onWriteData(nullptr, 1, 3, &response), SIZE_MAX);
    EXPECT_EQ(CCurlEasyClient::onWriteData(data, 1, 3, nullptr), SIZE_MAX);
}

TEST_F(EasyClient, DebugModeWritesTaggedTrafficToStandardOutput) {
    char data[] = "HelloWorld";
    testing::internal::CaptureStdout();
    EXPECT_EQ(CCurlEasyClient::onDebug(nullptr, CURLINFO_HEADER_OUT, data, 5, nullptr), 0);
    EXPECT_EQ(CCurlEasyClient::onDebug(nullptr, CURLINFO_TEXT, data, 5, nullptr), 0);
    EXPECT_EQ(CCurlEasyClient::onDebug(nullptr, CURLINFO_DATA_IN, data + 5, 5, nullptr), 0);
    services::setReply("probe", {.body = "x"});
    client.setDebug(true);
    std::string response;
    EXPECT_EQ(client.get(services::httpUrl() + "probe", &response), CURLE_OK);
    std::fflush(stdout);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.rfind("[HEADER_OUT]Hello\n[DATA_IN]World\n", 0), 0u) << out;
    EXPECT_NE(out.find("[HEADER_OUT]GET /probe HTTP/1.1"), std::string::npos) << out;
    EXPECT_NE(out.find("[DATA_IN]x\n"), std::string::npos) << out;
}

TEST_F(EasyClient, UnreachableServiceGivesTheLibrarysCode) {
    std::string response;
    EXPECT_EQ(client.get(services::closedUrl(), &response), CURLE_COULDNT_CONNECT);
    EXPECT_EQ(response, "");
}

}  // namespace
