#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "InitOrder.h"

int initOrderLibraryAnchor();

namespace {

InitRecorder g_firstSource("test source");
InitRecorder g_secondSource("test source 2");

// The program's application state is linked with the same helper: its object must be built after
// the static objects of the program's own sources and of the static libraries it links.
TEST(InitOrder, TheObjectLinkedAheadIsBuiltLast) {
    ASSERT_EQ(initOrderLibraryAnchor(), 1);
    const std::vector<std::string>& order = initOrder();
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(order.back(), "last") << testing::PrintToString(order);
}

}  // namespace
