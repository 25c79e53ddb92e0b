// The settings key that carries a second launch's command line: the running instance takes it
// while the launch may take it back, and only one of them may have it.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "SingleInstance.h"
#include "foundation/AppState.h"
#include "foundation/PathLock.h"
#include "foundation/UniqueHandle.h"

namespace {

// A function on a thread of its own, joined when the object goes.
class Worker {
  public:
    explicit Worker(std::function<void()> work)
        : work_(std::move(work)), thread_(CreateThread(nullptr, 0, &Worker::run, this, 0, nullptr)) {}
    ~Worker() { WaitForSingleObject(thread_.get(), INFINITE); }
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;
    bool started() const { return thread_.valid(); }

  private:
    static DWORD WINAPI run(void* self) {
        static_cast<Worker*>(self)->work_();
        return 0;
    }
    std::function<void()> work_;
    UniqueHandle thread_;
};

// Both sides wait for the settings lock while this thread holds it, queued in either order; the
// lock goes to the waiters in turn. A side that checked and emptied in two separate holds would let
// the other in between, and both would have the text.
TEST(PendingCommandLine, TheRunningInstanceOrTheLaunchHasTheTextNeverBoth) {
    const std::wstring commandLine = L"\"C:\\文档 目录\\a@b.pdf\"";
    for (const bool launchFirst : {true, false}) {
        SCOPED_TRACE(launchFirst ? "the launch queued first" : "the running instance queued first");
        ASSERT_TRUE(storePendingCommandLine(commandLine.c_str()));
        bool tookBack = false;
        std::wstring taken;
        {
            const auto takeBack = [&] { tookBack = takeBackPendingCommandLine(commandLine.c_str()); };
            const auto take = [&] { taken = takePendingCommandLine(); };
            std::optional<PathLock> lock;
            lock.emplace(g_appState.iniPath.str(), 5000);
            ASSERT_TRUE(lock->acquired());
            Worker first(launchFirst ? std::function<void()>(takeBack) : take);
            Sleep(200);  // in the lock's queue by now
            Worker second(launchFirst ? std::function<void()>(take) : takeBack);
            Sleep(200);
            lock.reset();
            ASSERT_TRUE(first.started() && second.started());
        }  // both workers joined
        EXPECT_NE(tookBack, taken == commandLine) << "taken: " << testing::PrintToString(taken);
        EXPECT_TRUE(taken.empty() || taken == commandLine) << testing::PrintToString(taken);
        EXPECT_TRUE(g_appState.readAppString(L"openDocPath").IsEmpty());
    }
}

}  // namespace
