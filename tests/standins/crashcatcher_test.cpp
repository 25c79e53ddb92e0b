// The crash library stand-in crashkeep.dll: its interface objects, observers run on a thread of
// its own for a simulated crash, and real faults of a child process reaching the observers.
#include <windows.h>

#include <crashkeep/CrashKeep.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CrashText.h"
#include "support/ChildMode.h"
#include "support/ChildProcess.h"

namespace {

using childprocess::recordValues;

struct Library {
    HMODULE module;
    GetExportInterfaceFunction getInterface;
    SimulateCrashFunction simulate;
};

// Loaded once and never freed: observers registered by a test stay registered.
const Library& library() {
    static const Library loaded = [] {
        Library l{LoadLibraryW(L"crashkeep.dll"), nullptr, nullptr};
        if (l.module != nullptr) {
            l.getInterface = reinterpret_cast<GetExportInterfaceFunction>(
                reinterpret_cast<void*>(GetProcAddress(l.module, kGetExportInterfaceName)));
            l.simulate = reinterpret_cast<SimulateCrashFunction>(
                reinterpret_cast<void*>(GetProcAddress(l.module, kSimulateCrashName)));
        }
        return l;
    }();
    return loaded;
}

CBLLDumpCatchMgr* manager() {
    return library().getInterface()->getDumpCatchMgr();
}

struct Call {
    char tag;
    DWORD threadId;
    void* exceptionInfo;
    std::string text;
};

class CCallRecorder : public CDumpCatchObserverBase {
  public:
    CCallRecorder(char tag, std::vector<Call>& calls) : m_tag(tag), m_calls(calls) {}
    int onDumpCatch(void* exceptionInfo, const char* crashText) noexcept override {
        // Slow on purpose: the caller must wait for the observers, not race them.
        Sleep(100);
        m_calls.push_back({m_tag, GetCurrentThreadId(), exceptionInfo, crashText});
        return 7;
    }

  private:
    char m_tag;
    std::vector<Call>& m_calls;
};

TEST(CrashCatcher, ExportsOneInterfaceObjectWithOneManager) {
    ASSERT_NE(library().module, nullptr);
    ASSERT_NE(library().getInterface, nullptr);
    ASSERT_NE(library().simulate, nullptr);
    CBLLDumpCatchMgrExport* first = library().getInterface();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(library().getInterface(), first);
    EXPECT_NE(first->getDumpCatchMgr(), nullptr);
    EXPECT_EQ(first->getDumpCatchMgr(), first->getDumpCatchMgr());
}

TEST(CrashCatcher, SimulatedCrashCallsEveryObserverInOrderOnAThreadOfItsOwnAndWaits) {
    static std::vector<Call> calls;
    static CCallRecorder first('a', calls);
    static CCallRecorder second('b', calls);
    const int before = manager()->addObserver(nullptr);
    EXPECT_EQ(manager()->addObserver(&first), before + 1);
    EXPECT_EQ(manager()->addObserver(&second), before + 2);

    EXPECT_EQ(library().simulate("\xB1\xC0\xC0\xA3 a&b"), before + 2);  // "崩溃" in code page 936
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].tag, 'a');
    EXPECT_EQ(calls[1].tag, 'b');
    for (const Call& call : calls) {
        EXPECT_NE(call.threadId, GetCurrentThreadId());
        EXPECT_EQ(call.threadId, calls[0].threadId);
        EXPECT_EQ(call.exceptionInfo, nullptr);
        EXPECT_EQ(call.text, "\xB1\xC0\xC0\xA3 a&b");
    }

    calls.clear();
    EXPECT_EQ(library().simulate(nullptr), before + 2);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].text, "");
}

TEST(CrashText, NamesTheFaultItsPlaceTheTouchedAddressAndTheThread) {
    EXCEPTION_RECORD record = {};
    record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
    record.ExceptionAddress = reinterpret_cast<void*>(&manager);
    record.NumberParameters = 2;
    record.ExceptionInformation[0] = 1;
    record.ExceptionInformation[1] = 0x10;
    const std::wstring text = crashTextWide(record, 77);
    wchar_t at[16] = {};
    _snwprintf(at, 15, L"0x%08X", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(record.ExceptionAddress)));
    EXPECT_EQ(text.rfind(L"Unhandled exception 0xC0000005 (access violation) at " + std::wstring(at) + L" in " +
                             childprocess::selfPath() + L"+0x",
                         0),
              0u)
        << childprocess::toUtf8(text);
    EXPECT_NE(text.find(L", writing 0x00000010, thread 77"), std::wstring::npos) << childprocess::toUtf8(text);

    record.ExceptionCode = EXCEPTION_INT_DIVIDE_BY_ZERO;
    record.ExceptionAddress = reinterpret_cast<void*>(0x10);
    record.NumberParameters = 0;
    EXPECT_EQ(crashText(record, 5),
              "Unhandled exception 0xC0000094 (integer division by zero) at 0x00000010 in unknown module, thread 5");
}

// Child modes: a process that faults with or without observers, or whose observer faults.

std::wstring g_record;

class CFaultRecorder : public CDumpCatchObserverBase {
  public:
    CFaultRecorder(const char* tag, bool faultInside) : m_tag(tag), m_faultInside(faultInside) {}
    int onDumpCatch(void* exceptionInfo, const char* crashText) noexcept override {
        childprocess::appendRecord(g_record, "called", m_tag);
        childprocess::appendRecord(g_record, "thread", std::to_string(GetCurrentThreadId()));
        childprocess::appendRecord(g_record, "text", crashText);
        const auto* info = static_cast<const EXCEPTION_POINTERS*>(exceptionInfo);
        childprocess::appendRecord(g_record, "code",
                                   info ? std::to_string(info->ExceptionRecord->ExceptionCode) : "none");
        if (m_faultInside) {
            *static_cast<volatile int*>(nullptr) = 2;
        }
        return 0;
    }

  private:
    const char* m_tag;
    bool m_faultInside;
};

// Arguments: record path, then "observers", "none" or "faulting-observer".
int faultChild(const std::vector<std::wstring>& arguments) {
    if (arguments.size() != 2) {
        return 90;
    }
    g_record = arguments[0];
    static CFaultRecorder first("first", arguments[1] == L"faulting-observer");
    static CFaultRecorder second("second", false);
    CBLLDumpCatchMgr* mgr = manager();
    if (arguments[1] != L"none") {
        mgr->addObserver(&first);
        mgr->addObserver(&second);
    }
    childprocess::appendRecord(g_record, "main", std::to_string(GetCurrentThreadId()));
    *static_cast<volatile int*>(nullptr) = 1;
    return 91;
}
const ChildMode faultMode(L"fault", faultChild);

TEST(CrashCatcher, RealFaultReachesTheObserversOnAnotherThreadAndEndsTheProcess) {
    const std::wstring scratch = childprocess::makeScratchFolder(L"crashkeep-fault");
    struct Case {
        const wchar_t* mode;
        std::vector<std::string> called;
    };
    const Case cases[] = {
        {L"observers", {"first", "second"}},
        {L"none", {}},
        // The observer's own fault ends the process at once: no second round, no hang.
        {L"faulting-observer", {"first"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(childprocess::toUtf8(c.mode));
        const std::wstring record = scratch + c.mode + L".txt";
        const childprocess::Result result = childprocess::run(
            childprocess::selfPath(), L"--child=fault \"" + record + L"\" " + c.mode, childprocess::selfFolder());
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));

        const auto lines = childprocess::readRecord(record);
        const std::vector<std::string> main = recordValues(lines, "main");
        ASSERT_EQ(main.size(), 1u);
        EXPECT_EQ(recordValues(lines, "called"), c.called);
        for (const std::string& thread : recordValues(lines, "thread")) {
            EXPECT_NE(thread, main[0]);
        }
        for (const std::string& code : recordValues(lines, "code")) {
            EXPECT_EQ(code, std::to_string(EXCEPTION_ACCESS_VIOLATION));
        }
        for (const std::string& text : recordValues(lines, "text")) {
            EXPECT_EQ(text.rfind("Unhandled exception 0xC0000005 (access violation) at 0x", 0), 0u) << text;
            EXPECT_NE(text.find(" in " + childprocess::toUtf8(childprocess::selfPath()) + "+0x"), std::string::npos)
                << text;
            EXPECT_NE(text.find(", writing 0x00000000, thread " + main[0]), std::string::npos) << text;
        }
    }
    childprocess::removeFolder(scratch);
}

}  // namespace
