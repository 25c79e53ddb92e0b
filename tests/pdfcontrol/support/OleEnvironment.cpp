// Every test process of the control runs in a single-threaded apartment, as the program does.
#include <windows.h>

#include <ole2.h>

#include <gtest/gtest.h>

namespace {

class OleEnvironment : public testing::Environment {
  public:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(OleInitialize(nullptr)); }
    void TearDown() override { OleUninitialize(); }
};

[[maybe_unused]] testing::Environment* const g_ole = testing::AddGlobalTestEnvironment(new OleEnvironment);

}  // namespace
