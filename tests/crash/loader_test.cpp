// The crash library's load sequence and the loader class CCrashkeepDll: copies of this test
// program beside a missing or unusable crashkeep.dll, and the loader's operations in-process.
#include <windows.h>

#include <gtest/gtest.h>
#include <online/crash/BLLDumpCatchUpload.h>
#include <online/crash/CrashLibraryLoad.h>
#include <online/crash/CrashkeepDll.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/ChildMode.h"
#include "support/ChildProcess.h"
#include "support/CrashSeams.h"

namespace {

using childprocess::recordValues;

class CCrashkeepDllFields : public CCrashkeepDll {
  public:
    HMODULE module() const { return m_module; }
    GetExportInterfaceFunction getInterface() const { return m_getInterface; }
};

std::string flag(bool value) {
    return value ? "1" : "0";
}

// Argument: record file. The constructor's sequence, reload's, then start-up's registration.
int loadChild(const std::vector<std::wstring>& arguments) {
    if (arguments.size() != 1) {
        return 90;
    }
    const std::wstring& record = arguments[0];
    crashseams::install(L"", false, record);
    CCrashkeepDllFields dll;
    childprocess::appendRecord(record, "fields",
                               flag(dll.module()) + flag(dll.getInterface()) + flag(dll.getExportInterface()));
    childprocess::appendRecord(record, "reload", flag(dll.reload()));
    static CBLLDumpCatchUpload observer;
    childprocess::appendRecord(record, "registered", flag(registerCrashObserver(&observer)));
    return 0;
}
const ChildMode loadMode(L"load", loadChild);

TEST(CrashLibraryLoad, EachFailureShowsItsMessageAndStopsTheSequence) {
    const std::wstring scratch = childprocess::makeScratchFolder(L"crashkeep 加载");
    struct Case {
        const wchar_t* name;
        const wchar_t* module;  // copied in as crashkeep.dll; null: none
        const char* message;    // shown once by each of the three sequences; null: none
        const char* fields;     // module, export, interface reached
    };
    const Case cases[] = {
        {L"missing", nullptr, "无法加载DLL,crashkeep.dll", "000"},
        {L"not a module", L"", "无法加载DLL,crashkeep.dll", "000"},
        {L"without export", L"crash_test_without_export.dll", "无法获取导出函数,getBLLDumpCatchMgrExportInterface",
         "100"},
        {L"null interface", L"crash_test_null_interface.dll", "函数返回空,getBLLDumpCatchMgrExportInterface", "110"},
        {L"library", L"crashkeep.dll", nullptr, "111"},
    };
    const std::wstring self = childprocess::selfFolder();
    for (const Case& c : cases) {
        SCOPED_TRACE(childprocess::toUtf8(c.name));
        const std::wstring folder = scratch + c.name + L"\\";
        std::filesystem::create_directories(folder);
        const std::wstring program = folder + std::filesystem::path(childprocess::selfPath()).filename().wstring();
        ASSERT_TRUE(CopyFileW(childprocess::selfPath().c_str(), program.c_str(), FALSE));
        for (const auto& entry : std::filesystem::directory_iterator(self)) {
            const std::wstring name = entry.path().filename().wstring();
            if (entry.path().extension() == L".dll" && name != L"crashkeep.dll") {
                ASSERT_TRUE(CopyFileW(entry.path().c_str(), (folder + name).c_str(), FALSE));
            }
        }
        if (c.module != nullptr && *c.module != L'\0') {
            ASSERT_TRUE(CopyFileW((self + c.module).c_str(), (folder + L"crashkeep.dll").c_str(), FALSE));
        } else if (c.module != nullptr) {
            childprocess::appendRecord(folder + L"crashkeep.dll", "not", "a module");
        }

        const std::wstring record = folder + L"record.txt";
        const childprocess::Result result = childprocess::run(program, L"--child=load \"" + record + L"\"", folder);
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, 0u);
        const auto lines = childprocess::readRecord(record);
        EXPECT_EQ(recordValues(lines, "fields"), std::vector<std::string>{c.fields});
        EXPECT_EQ(recordValues(lines, "reload"), std::vector<std::string>{c.message ? "0" : "1"});
        EXPECT_EQ(recordValues(lines, "registered"), std::vector<std::string>{c.message ? "0" : "1"});

        const std::vector<crashseams::Box> boxes = crashseams::readBoxes(record);
        ASSERT_EQ(boxes.size(), c.message ? 3u : 0u);
        for (const crashseams::Box& box : boxes) {
            EXPECT_TRUE(box.wide);
            EXPECT_EQ(box.owner, nullptr);
            EXPECT_EQ(box.text, c.message);
            EXPECT_EQ(box.caption, "提示");
            EXPECT_EQ(box.style, static_cast<UINT>(MB_OK));
        }
    }
    childprocess::removeFolder(scratch);
}

// In this process, with the library beside the test program. Nothing here registers an observer,
// so the library can really be unloaded.
class CrashkeepDll : public ::testing::Test {
  protected:
    void SetUp() override { crashseams::install(L"", false); }
    void TearDown() override {
        EXPECT_TRUE(crashseams::boxes().empty());
        crashseams::uninstall();
        for (int i = 0; i < 8 && loaded() != nullptr; ++i) {
            FreeLibrary(loaded());
        }
    }
    static HMODULE loaded() { return GetModuleHandleW(L"crashkeep.dll"); }
    static void expectEmpty(const CCrashkeepDllFields& dll) {
        EXPECT_EQ(dll.module(), nullptr);
        EXPECT_EQ(dll.getInterface(), nullptr);
        EXPECT_EQ(dll.getExportInterface(), nullptr);
    }
    static void expectLoaded(const CCrashkeepDllFields& dll) {
        ASSERT_NE(loaded(), nullptr);
        EXPECT_EQ(dll.module(), loaded());
        const auto getInterface = reinterpret_cast<GetExportInterfaceFunction>(
            reinterpret_cast<void*>(GetProcAddress(loaded(), "getBLLDumpCatchMgrExportInterface")));
        EXPECT_EQ(dll.getInterface(), getInterface);
        ASSERT_NE(dll.getExportInterface(), nullptr);
        EXPECT_EQ(dll.getExportInterface(), getInterface());
        EXPECT_NE(dll.getExportInterface()->getDumpCatchMgr(), nullptr);
    }
};

TEST_F(CrashkeepDll, ConstructorLoadsAndTheDestructorLeavesTheLibraryLoaded) {
    ASSERT_EQ(loaded(), nullptr);
    {
        const CCrashkeepDllFields dll;
        expectLoaded(dll);
    }
    EXPECT_NE(loaded(), nullptr);
}

TEST_F(CrashkeepDll, UnloadAndCloseFreeTheLibraryAndReloadLoadsItAgain) {
    CCrashkeepDllFields dll;
    EXPECT_TRUE(dll.unload());
    expectEmpty(dll);
    EXPECT_EQ(loaded(), nullptr);
    EXPECT_TRUE(dll.unload());

    EXPECT_TRUE(dll.reload());
    expectLoaded(dll);
    EXPECT_TRUE(dll.reload());
    expectLoaded(dll);

    dll.close();
    expectEmpty(dll);
    EXPECT_EQ(loaded(), nullptr);
}

TEST_F(CrashkeepDll, FreeModuleForgetsWhatLivedInTheFreedModule) {
    CCrashkeepDllFields dll;
    EXPECT_TRUE(dll.freeModule());
    EXPECT_EQ(loaded(), nullptr);
    // The export and its interface object went with the module: no dangling pointers stay.
    expectEmpty(dll);
    EXPECT_TRUE(dll.freeModule());
}

TEST_F(CrashkeepDll, ResetMembersForgetsWithoutFreeing) {
    CCrashkeepDllFields dll;
    const HMODULE module = dll.module();
    dll.resetMembers();
    expectEmpty(dll);
    EXPECT_EQ(loaded(), module);
    EXPECT_TRUE(dll.unload());
    EXPECT_EQ(loaded(), module);
}

}  // namespace
