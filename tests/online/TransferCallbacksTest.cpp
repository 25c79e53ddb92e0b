#include <gtest/gtest.h>
#include <online/http/CurlHttpBase.h>

#include <cstdint>

namespace {

class CBodyProbe : public CCurlHttpBase {
  public:
    const std::string& body() const { return m_responseBody; }
};

TEST(TransferCallbacks, WriteCallbackTakesSizeTimesCount) {
    CBodyProbe transfer;
    char data[] = "abcdef";
    EXPECT_EQ(CCurlHttpBase::writeCallback(data, 2, 3, &transfer), 6u);
    EXPECT_EQ(transfer.body(), "abcdef");
    EXPECT_EQ(CCurlHttpBase::writeCallback(data, 1, 2, &transfer), 2u);
    EXPECT_EQ(transfer.body(), "abcdefab");
}

TEST(TransferCallbacks, NullDataOrObjectIsAWriteError) {
    CBodyProbe transfer;
    EXPECT_EQ(CCurlHttpBase::writeCallback(nullptr, 1, 4, &transfer), SIZE_MAX);
    char data[] = "ab";
    EXPECT_EQ(CCurlHttpBase::writeCallback(data, 1, 2, nullptr), SIZE_MAX);
    EXPECT_EQ(transfer.body(), "");
}

TEST(TransferCallbacks, ConstructorsKeepTheirArguments) {
    CCurlHttpBase transfer("http://a/", "ca.pem", 8000, 10, true);
    EXPECT_EQ(transfer.url(), "http://a/");
    EXPECT_EQ(transfer.caPath(), "ca.pem");
    EXPECT_EQ(transfer.getConnectTimeoutMs(), 8000);
    EXPECT_EQ(transfer.getTimeout(), 10);
    EXPECT_TRUE(transfer.getVerbose());
    EXPECT_TRUE(g_curlGlobalInitDone);
    transfer.init();
    EXPECT_EQ(transfer.getConnectTimeoutMs(), 0);
    EXPECT_EQ(transfer.getTimeout(), 0);
    EXPECT_FALSE(transfer.getVerbose());
}

}  // namespace
