// Where an exception escaping a handler ends: each kind stops the handler, names itself and the
// handler on the debugger output, and leaves the caller going.
#include <windows.h>

#include <comdef.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "HandlerBoundary.h"
#include "support/DebugOutputCapture.h"

namespace {

TEST(HandlerBoundary, AHandlerThatEndsNormallyReportsNothing) {
    DebugOutputCapture capture;
    ASSERT_TRUE(capture.ready()) << "no debug-monitor channel";
    int steps = 0;
    EXPECT_TRUE(PXV::runAtBoundary(L"quiet handler", [&] { ++steps; }));
    EXPECT_EQ(steps, 1);
    EXPECT_TRUE(capture.pieces(1, std::chrono::milliseconds(300)).empty());
}

TEST(HandlerBoundary, EveryKindOfExceptionStopsTheHandlerAndIsNamed) {
    struct Case {
        void (*raise)();
        const char* line;
    };
    const Case cases[] = {
        {[] { _com_issue_error(E_POINTER); }, "control event: stopped by COM error 0x80004003\n"},
        {[] { throw std::runtime_error("no room for the page"); },
         "control event: stopped by an exception: no room for the page\n"},
        {[] { throw 7; }, "control event: stopped by an exception\n"},
    };
    for (const Case& c : cases) {
        DebugOutputCapture capture;
        ASSERT_TRUE(capture.ready()) << "no debug-monitor channel";
        bool after = false;
        EXPECT_FALSE(PXV::runAtBoundary(L"control event", [&] {
            c.raise();
            after = true;
        }));
        EXPECT_FALSE(after) << "the handler's later steps stay undone";
        EXPECT_EQ(capture.pieces(1), std::vector<std::string>{c.line});
    }
}

}  // namespace
