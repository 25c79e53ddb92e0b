#include <gtest/gtest.h>
#include <online/http/CurlHttpBase.h>
#include <online/http/DebugPrint.h>

#include <string>
#include <vector>

#include "support/DebugOutputCapture.h"

namespace {

using Pieces = std::vector<std::string>;

class DebugOutput : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(capture.ready()) << "no debug-monitor channel"; }
    DebugOutputCapture capture;
};

class CDebugProbe : public CCurlHttpBase {
  public:
    using CCurlHttpBase::onDebug;
};

TEST_F(DebugOutput, DebugPrintSendsTheFormattedTextOnce) {
    debugPrint(L"%s=%d", L"n", 42);
    EXPECT_EQ(capture.pieces(1), (Pieces{"n=42"}));
}

TEST_F(DebugOutput, DebugPrintLineSendsTheTextThenALineEnd) {
    debugPrintLine(L"[%s]", L"提示");
    // The debugger receives the ANSI code page's bytes (936 here).
    EXPECT_EQ(capture.pieces(2), (Pieces{"[\xCC\xE1\xCA\xBE]", "\n"}));
}

TEST_F(DebugOutput, OnDebugTakesExactlyTheBytesItIsGiven) {
    const char data[] = "HelloWorld";  // five bytes of it, not followed by a zero byte
    CDebugProbe transfer;
    EXPECT_EQ(transfer.onDebug(nullptr, 2, data, 5), 0);
    EXPECT_EQ(capture.pieces(2), (Pieces{"Type:2,Hello", "\n"}));
}

TEST_F(DebugOutput, OnDebugTextIsDataNotAFormat) {
    const std::string data = "%s%d%n";
    CDebugProbe transfer;
    transfer.onDebug(nullptr, 0, data.data(), data.size());
    EXPECT_EQ(capture.pieces(2), (Pieces{"Type:0,%s%d%n", "\n"}));
}

}  // namespace
