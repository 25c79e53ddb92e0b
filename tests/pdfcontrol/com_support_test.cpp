// The compiler's COM support from mingw-w64's headers, with the library functions classlib adds.
#include <windows.h>

#include <comdef.h>

#include <gtest/gtest.h>

#include "PdfControlPtrs.h"

namespace {

// Answers every query other than IUnknown with the code it is given.
class Refusing final : public IDispatch {
  public:
    explicit Refusing(HRESULT answer) : answer_(answer) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return answer_;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
    ULONG refs = 1;

  private:
    HRESULT answer_;
};

TEST(ComSupport, QueryFailuresFollowTheConvention) {
    Refusing noInterface(E_NOINTERFACE);
    IPdfInstancePtr none(static_cast<IDispatch*>(&noInterface));
    EXPECT_FALSE(none);
    EXPECT_EQ(noInterface.refs, 1u);
    try {
        none->PrepareExit(0);
        FAIL() << "calling through a null pointer did not raise";
    } catch (const _com_error& e) {
        EXPECT_EQ(e.Error(), E_POINTER);
    }

    Refusing failing(E_ACCESSDENIED);
    try {
        IPdfInstancePtr refused(static_cast<IDispatch*>(&failing));
        FAIL() << "a failed query other than E_NOINTERFACE did not raise";
    } catch (const _com_error& e) {
        EXPECT_EQ(e.Error(), E_ACCESSDENIED);
    }
    EXPECT_EQ(failing.refs, 1u) << "the failed construction kept a reference";
}

TEST(ComSupport, NarrowTextsConvertThroughTheAnsiCodePage) {
    // Code page 936 under the test runner: two characters of two bytes each.
    const char gbk[] = "\xB2\xE2\xCA\xD4 ok";
    _bstr_t text(gbk);
    EXPECT_STREQ(static_cast<const wchar_t*>(text), L"测试 ok");
    EXPECT_EQ(text.length(), 5u);
    EXPECT_STREQ(static_cast<const char*>(text), gbk);

    _bstr_t empty("");
    EXPECT_EQ(empty.length(), 0u);
    _bstr_t none(static_cast<const char*>(nullptr));
    EXPECT_EQ(static_cast<const wchar_t*>(none), nullptr);

    _variant_t variant(L"CustomUI");
    EXPECT_EQ(variant.vt, VT_BSTR);
    EXPECT_STREQ(variant.bstrVal, L"CustomUI");
    EXPECT_EQ(vtMissing.vt, VT_ERROR);
    EXPECT_EQ(vtMissing.scode, DISP_E_PARAMNOTFOUND);
}

TEST(ComSupport, IssueErrorRaisesComError) {
    try {
        _com_issue_errorex(E_OUTOFMEMORY, nullptr, IID_IUnknown);
        FAIL() << "nothing raised";
    } catch (const _com_error& e) {
        EXPECT_EQ(e.Error(), E_OUTOFMEMORY);
    }
}

}  // namespace
