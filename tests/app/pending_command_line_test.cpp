// The settings key that carries a second launch's command line: the running instance takes it
// while the launch may take it back, and only one of them may have it.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "SingleInstance.h"
#include "foundation/AppState.h"
#include "foundation/PathLock.h"

namespace {

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
            std::thread first(launchFirst ? std::function<void()>(takeBack) : take);
            Sleep(200);  // in the lock's queue by now
            std::thread second(launchFirst ? std::function<void()>(take) : takeBack);
            Sleep(200);
            lock.reset();
            first.join();
            second.join();
        }
        EXPECT_NE(tookBack, taken == commandLine) << "taken: " << testing::PrintToString(taken);
        EXPECT_TRUE(taken.empty() || taken == commandLine) << testing::PrintToString(taken);
        EXPECT_TRUE(g_appState.readAppString(L"openDocPath").IsEmpty());
    }
}

}  // namespace
