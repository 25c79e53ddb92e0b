#include <gtest/gtest.h>
#include <online/http/UniteBase.h>

#include <string>

namespace {

// Reads the buffers the setters work on.
class CProbe : public CUniteBase {
  public:
    uint32_t lastErrorCapacity() const { return m_lastError.m_capacity; }
    uint32_t responseCapacity() const { return m_response.m_capacity; }
};

TEST(UniteBase, NewObjectHasEmptyTextsInBuffersOf260) {
    CProbe probe;
    EXPECT_STREQ(probe.getLastError(), L"");
    EXPECT_STREQ(probe.getResponse(), L"");
    EXPECT_EQ(probe.lastErrorCapacity(), 260u);
    EXPECT_EQ(probe.responseCapacity(), 260u);
}

TEST(UniteBase, BufferDoublesUntilTheTextFits) {
    struct Case {
        size_t length;
        uint32_t capacity;
    };
    for (const Case c : {Case{259, 260}, Case{260, 520}, Case{1000, 1040}}) {
        CProbe probe;
        const std::wstring text(c.length, L'x');
        probe.setLastError(L"%s", text.c_str());
        EXPECT_EQ(probe.getLastError(), text) << c.length;
        EXPECT_EQ(probe.lastErrorCapacity(), c.capacity) << c.length;
    }
}

TEST(UniteBase, ShorterTextReplacesLongerAndCapacityStays) {
    CProbe probe;
    probe.setResponse(L"%s", std::wstring(1000, L'y').c_str());
    probe.setResponse(L"%d%s", 12, L"x");
    EXPECT_STREQ(probe.getResponse(), L"12x");
    EXPECT_EQ(probe.responseCapacity(), 1040u);
}

TEST(UniteBase, WideFormatsTakeWideStringsAndInts) {
    CProbe probe;
    probe.SetResponse(L"[%s|%d]", L"提示", -7);
    EXPECT_STREQ(probe.GetResponse(), L"[提示|-7]");
}

TEST(UniteBase, SetterReplacesInsteadOfAppending) {
    CProbe probe;
    probe.setLastError(L"Error:无法初始化curlCCurlHttpBase::initCurl");
    EXPECT_STREQ(probe.getLastError(), L"Error:无法初始化curlCCurlHttpBase::initCurl");
    probe.setLastError(L"second");
    EXPECT_STREQ(probe.getLastError(), L"second");
}

TEST(UniteBase, FormatThatCannotBeCountedLeavesTheSettersOwnText) {
    struct Case {
        void (CUniteBase::*set)(const wchar_t*, ...);
        const wchar_t* (CUniteBase::*get)();
        const wchar_t* expected;
    };
    const Case cases[] = {
        {&CUniteBase::setLastError, &CUniteBase::getLastError, L"Err:_vsctprintf,CUniteBase::setLastError"},
        {&CUniteBase::SetLastError, &CUniteBase::getLastError, L"Err:_vsctprintf,CUniteBase::SetLastError"},
        {&CUniteBase::setResponse, &CUniteBase::getResponse, L"Err:_vsctprintf,CUniteBase::setResponse"},
        {&CUniteBase::SetResponse, &CUniteBase::getResponse, L"Err:_vsctprintf,CUniteBase::SetResponse"},
    };
    for (const Case& c : cases) {
        CProbe probe;
        (probe.*c.set)(nullptr);
        EXPECT_STREQ((probe.*c.get)(), c.expected);
        EXPECT_EQ(probe.lastErrorCapacity(), 260u);
        EXPECT_EQ(probe.responseCapacity(), 260u);
    }
}

TEST(UniteBase, ClearEmptiesTheTextAndKeepsCapacity) {
    CProbe probe;
    probe.setResponse(L"%s", std::wstring(600, L'z').c_str());
    probe.setLastError(L"kept");
    probe.clearResponse();
    EXPECT_STREQ(probe.getResponse(), L"");
    EXPECT_EQ(probe.responseCapacity(), 1040u);
    EXPECT_STREQ(probe.getLastError(), L"kept");
    probe.ClearLastError();
    EXPECT_STREQ(probe.GetLastError(), L"");
}

// An override of a lower-case operation serves the capitalised getter and clearer; the capitalised
// setter still runs the base algorithm.
class COverride : public CUniteBase {
  public:
    const wchar_t* getLastError() override { return L"overridden"; }
    void clearResponse() override { ++clears; }
    void setLastError(const wchar_t*, ...) override { ++sets; }
    const wchar_t* baseLastError() { return CUniteBase::getLastError(); }
    int clears = 0;
    int sets = 0;
};

TEST(UniteBase, CapitalisedGettersForwardThroughTheVirtualTable) {
    COverride object;
    EXPECT_STREQ(object.GetLastError(), L"overridden");
    object.ClearResponse();
    EXPECT_EQ(object.clears, 1);
    object.SetLastError(L"base %d", 1);
    EXPECT_EQ(object.sets, 0);
    EXPECT_STREQ(object.baseLastError(), L"base 1");
}

}  // namespace
