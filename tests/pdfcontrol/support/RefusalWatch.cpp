// Every test of a process that hosts the PDF control fails when the control refused a call during
// it and the test did not take that refusal (pdftest::takeRefusals): the code under test made a
// call the real control would not take. Linked as a source of each such test; it registers itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ControlTestSupport.h"

namespace {

class RefusalWatch final : public testing::EmptyTestEventListener {
  public:
    // The control module stays loaded for the whole run, so that its count of refusals does too.
    void OnTestProgramStart(const testing::UnitTest&) override { LoadLibraryW(L"wke.dll"); }
    void OnTestStart(const testing::TestInfo&) override { pdftest::takeRefusals(); }
    // Reported before the test's result is printed: end events reach the listeners last first.
    void OnTestEnd(const testing::TestInfo&) override {
        const int refusals = pdftest::takeRefusals();
        if (refusals == 0) {
            return;
        }
        std::wstring lines;
        for (const std::wstring& line : pdftest::ControlModule(false).journalLines()) {
            if (line.rfind(L"refused ", 0) == 0) {
                lines += line + L"\n";
            }
        }
        ADD_FAILURE() << "the PDF control refused " << refusals << " call(s) of this test:\n" << lines;
    }
};

[[maybe_unused]] const bool g_watching = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new RefusalWatch);
    return true;
}();

}  // namespace
