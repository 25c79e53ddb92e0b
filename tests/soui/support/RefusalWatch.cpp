// Every test of a process that drives the UI library fails when the library refused something
// during it that the test did not take (souitest::takeRefusals): the code under test asked for an
// attribute, a value form, an element, a layout, a skin or a string that the library does not
// have. Refusals outside the tests (the test program's set-up) fail the program. Linked into each
// such test program as an object library; it registers itself.
#include <gtest/gtest.h>

#include "UiRefusals.h"

namespace {

class UiRefusalWatch final : public testing::EmptyTestEventListener {
  public:
    void OnEnvironmentsSetUpEnd(const testing::UnitTest&) override { report("the test program's set-up"); }
    void OnTestStart(const testing::TestInfo&) override { report("before this test (a suite's set-up)"); }
    // Reported before the test's result is printed: end events reach the listeners last first.
    void OnTestEnd(const testing::TestInfo&) override { report("this test"); }
    void OnEnvironmentsTearDownEnd(const testing::UnitTest&) override { report("the test program's tear-down"); }

  private:
    static void report(const char* when) {
        const std::vector<std::wstring> refused = souitest::takeRefusals();
        if (!refused.empty()) {
            ADD_FAILURE() << "the UI library refused " << refused.size() << " request(s) of " << when << ":\n"
                          << souitest::describe(refused);
        }
    }
};

[[maybe_unused]] const bool g_watching = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new UiRefusalWatch);
    return true;
}();

}  // namespace
