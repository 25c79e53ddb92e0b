// The control refuses what its real counterpart would not take, and says so in its journal: a
// wrong caller passes no test.
#include <windows.h>

#include <comdef.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "PdfControlPtrs.h"
#include "classlib/ControlContainer.h"
#include "classlib/Wnd.h"
#include "support/ControlTestSupport.h"

namespace {

constexpr UINT kUntouched = 0xFFFF;

class Refusals : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(module.registered());
        AfxEnableControlContainer();
        RECT empty = {0, 0, 0, 0};
        ASSERT_TRUE(control.CreateControl(pdfc::kControlClsid, L"pdf_control_wnd", WS_CHILD, empty,
                                          CWnd::FromHandle(host.hwnd()), 101));
        ASSERT_HRESULT_SUCCEEDED(
            control.GetControlUnknown()->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)));
    }

    void TearDown() override {
        if (dispatch) {
            dispatch->Release();
        }
        control.DestroyWindow();
        pdftest::pumpPending();
    }

    // Invoke with the arguments in the caller's order; a put names its value DISPID_PROPERTYPUT
    // unless `named` says otherwise.
    HRESULT invoke(DISPID id,
                   WORD flags,
                   std::vector<_variant_t> args,
                   VARIANT* result,
                   UINT* argError,
                   DISPID named = DISPID_UNKNOWN) {
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPID put = named != DISPID_UNKNOWN ? named : DISPID_PROPERTYPUT;
        const bool withName = named != DISPID_UNKNOWN || flags == DISPATCH_PROPERTYPUT;
        DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), withName ? &put : nullptr,
                             static_cast<UINT>(reversed.size()), withName ? 1u : 0u};
        return dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, argError);
    }

    IPdfInstancePtr instance() {
        _variant_t value;
        EXPECT_HRESULT_SUCCEEDED(invoke(pdfc::kDispInstance, DISPATCH_PROPERTYGET, {}, &value, nullptr));
        return IPdfInstancePtr(value.pdispVal);
    }

    // The one refusal the last call made, taken: its journal line, which is the journal's last.
    std::wstring lastRefusal() {
        EXPECT_EQ(pdftest::takeRefusals(), 1);
        auto lines = module.journalLines();
        return lines.empty() ? L"" : lines.back();
    }

    pdftest::ControlModule module;
    pdftest::HostWindow host;
    CWnd control;
    IDispatch* dispatch = nullptr;
};

_variant_t boolValue(VARIANT_BOOL value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = value;
    return _variant_t(v);
}

TEST_F(Refusals, DispatchCallsOfTheWrongMemberKindCountOrTypeAreRefused) {
    LONG closed = 0;
    instance()->GetEventId(_bstr_t(pdfc::kEventDocumentClosed), 0, &closed);
    _variant_t view(L"bookmarksView");
    _variant_t yes = boolValue(VARIANT_TRUE);
    _variant_t no = boolValue(VARIANT_FALSE);
    _variant_t id(static_cast<long>(closed));
    _variant_t one(1ul);
    IDispatch* nothing = nullptr;
    _variant_t noOptions(nothing, false);
    struct Case {
        DISPID id;
        WORD flags;
        std::vector<_variant_t> args;
        DISPID named;
        HRESULT hr;
        UINT argError;  // kUntouched where no argument is at fault
        std::wstring line;
    } cases[] = {
        {0x60020099,
         DISPATCH_METHOD,
         {},
         DISPID_UNKNOWN,
         DISP_E_MEMBERNOTFOUND,
         kUntouched,
         L"refused C.0x60020099 method(): no such member"},
        {pdfc::kDispInstance,
         DISPATCH_METHOD,
         {},
         DISPID_UNKNOWN,
         DISP_E_MEMBERNOTFOUND,
         kUntouched,
         L"refused C.106 method(): the member is a property get"},
        {pdfc::kDispInitFlag,
         DISPATCH_PROPERTYGET,
         {},
         DISPID_UNKNOWN,
         DISP_E_MEMBERNOTFOUND,
         kUntouched,
         L"refused C.101 get(): the member is a property put"},
        {pdfc::kDispShowView,
         DISPATCH_PROPERTYPUT,
         {view, yes, no},
         DISPID_UNKNOWN,
         DISP_E_MEMBERNOTFOUND,
         kUntouched,
         L"refused C.0x6002000F put(VT_BSTR, VT_BOOL, VT_BOOL): the member is a method"},
        {pdfc::kDispEnableEvent,
         DISPATCH_METHOD,
         {id},
         DISPID_UNKNOWN,
         DISP_E_BADPARAMCOUNT,
         kUntouched,
         L"refused C.0x60020039 method(VT_I4): 1 argument(s), 2 expected"},
        {pdfc::kDispDocumentOpen,
         DISPATCH_PROPERTYGET,
         {yes},
         DISPID_UNKNOWN,
         DISP_E_BADPARAMCOUNT,
         kUntouched,
         L"refused C.0x60020014 get(VT_BOOL): 1 argument(s), 0 expected"},
        {pdfc::kDispShowView,
         DISPATCH_METHOD,
         {view, yes, no, no},
         DISPID_UNKNOWN,
         DISP_E_BADPARAMCOUNT,
         kUntouched,
         L"refused C.0x6002000F method(VT_BSTR, VT_BOOL, VT_BOOL, VT_BOOL): 4 argument(s), 3 expected"},
        // The argument at fault by its index in rgvarg, which holds the arguments last first.
        {pdfc::kDispShowView,
         DISPATCH_METHOD,
         {view, id, no},
         DISPID_UNKNOWN,
         DISP_E_TYPEMISMATCH,
         1,
         L"refused C.0x6002000F method(VT_BSTR, VT_I4, VT_BOOL): argument 2 is VT_I4, VT_BOOL expected"},
        {pdfc::kDispEnableEvent,
         DISPATCH_METHOD,
         {_variant_t(static_cast<short>(closed)), yes},
         DISPID_UNKNOWN,
         DISP_E_TYPEMISMATCH,
         1,
         L"refused C.0x60020039 method(VT_I2, VT_BOOL): argument 1 is VT_I2, VT_I4 expected"},
        {pdfc::kDispOpenDocument,
         DISPATCH_METHOD,
         {view, _variant_t(0L)},
         DISPID_UNKNOWN,
         DISP_E_TYPEMISMATCH,
         0,
         L"refused C.0x60020015 method(VT_BSTR, VT_I4): argument 2 is VT_I4, VT_DISPATCH expected"},
        {pdfc::kDispInitFlag,
         DISPATCH_PROPERTYPUT,
         {_variant_t(1L)},
         DISPID_UNKNOWN,
         DISP_E_TYPEMISMATCH,
         0,
         L"refused C.101 put(VT_I4): argument 1 is VT_I4, VT_UI4 expected"},
        {pdfc::kDispEnableEvent,
         DISPATCH_METHOD,
         {id, boolValue(1)},
         DISPID_UNKNOWN,
         DISP_E_TYPEMISMATCH,
         0,
         L"refused C.0x60020039 method(VT_I4, VT_BOOL): argument 2 is VT_BOOL 1, neither VARIANT_TRUE nor "
         L"VARIANT_FALSE"},
        // Named arguments: a put's value under DISPID_PROPERTYPUT, nothing else.
        {pdfc::kDispInitFlag,
         DISPATCH_PROPERTYPUT,
         {one},
         5,
         DISP_E_PARAMNOTFOUND,
         0,
         L"refused C.101 put(VT_UI4): the value is not named DISPID_PROPERTYPUT"},
        {pdfc::kDispEnableEvent,
         DISPATCH_METHOD,
         {id, yes},
         0,
         DISP_E_NONAMEDARGS,
         kUntouched,
         L"refused C.0x60020039 method(VT_I4, VT_BOOL): named arguments"},
        // Values the members do not take.
        {pdfc::kDispInitFlag,
         DISPATCH_PROPERTYPUT,
         {_variant_t(2ul)},
         DISPID_UNKNOWN,
         E_INVALIDARG,
         kUntouched,
         L"refused C.101 put 2: only 1 is taken"},
        {pdfc::kDispEnableEvent,
         DISPATCH_METHOD,
         {_variant_t(7L), yes},
         DISPID_UNKNOWN,
         E_INVALIDARG,
         kUntouched,
         L"refused C.0x60020039(7, TRUE): no such event ID"},
        {pdfc::kDispOpenDocument,
         DISPATCH_METHOD,
         {_variant_t(L"a.pdf"), _variant_t(dispatch, true)},
         DISPID_UNKNOWN,
         E_INVALIDARG,
         kUntouched,
         L"refused C.0x60020015(\"a.pdf\", C): the options object must be null"},
    };
    for (const Case& c : cases) {
        UINT argError = kUntouched;
        _variant_t result;
        EXPECT_EQ(invoke(c.id, c.flags, c.args, &result, &argError, c.named), c.hr) << testing::PrintToString(c.line);
        EXPECT_EQ(argError, c.argError) << testing::PrintToString(c.line);
        EXPECT_EQ(lastRefusal(), c.line);
    }

    EXPECT_EQ(invoke(pdfc::kDispDocumentOpen, DISPATCH_PROPERTYGET, {}, nullptr, nullptr), E_POINTER);
    EXPECT_EQ(lastRefusal(), L"refused C.0x60020014 get(): no place for the value");

    // The same members called rightly are taken, also a get asked for as method and get at once.
    _variant_t open;
    EXPECT_HRESULT_SUCCEEDED(
        invoke(pdfc::kDispDocumentOpen, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {}, &open, nullptr));
    EXPECT_EQ(open.vt, VT_BOOL);
    EXPECT_HRESULT_SUCCEEDED(invoke(pdfc::kDispInitFlag, DISPATCH_PROPERTYPUT, {one}, nullptr, nullptr));
    EXPECT_HRESULT_SUCCEEDED(invoke(pdfc::kDispShowView, DISPATCH_METHOD, {view, yes, no}, nullptr, nullptr));
    EXPECT_HRESULT_SUCCEEDED(invoke(pdfc::kDispEnableEvent, DISPATCH_METHOD, {id, no}, nullptr, nullptr));
    EXPECT_EQ(invoke(pdfc::kDispOpenDocument, DISPATCH_METHOD, {_variant_t(L"Z:\\nowhere\\missing.pdf"), noOptions},
                     nullptr, nullptr),
              E_FAIL)
        << "a missing file is the control's answer, not a refused call";
    EXPECT_EQ(pdftest::takeRefusals(), 0) << module.journal();
}

// A pointer to a virtual member holds 1 + the byte offset of its table entry.
template <class Member>
int positionOf(Member member) {
    std::uintptr_t raw[2];
    std::memcpy(raw, &member, sizeof raw);
    return static_cast<int>((raw[0] - 1) / sizeof(void*));
}

TEST_F(Refusals, ObjectModelCallsItDoesNotTakeAreRefused) {
    IPdfInstancePtr x = instance();
    ASSERT_TRUE(x);
    IPdfSettingsPtr settings;
    ASSERT_HRESULT_SUCCEEDED(x->GetSettings(&settings));
    LONG id = -5;
    IPdfSettingsPtr node;
    IPdfHistoryPtr history;
    // The filler deepest in the instance's table: the position its name says.
    ASSERT_EQ(positionOf(&IPdfInstance::unused_46_b_b_b_b_b), 77);
    struct Case {
        std::function<HRESULT()> call;
        HRESULT hr;
        std::wstring line;
    } cases[] = {
        {[&] { return x->RunCommand(_bstr_t(L"cmd.nothing"), 0); }, E_INVALIDARG,
         L"refused X.92(\"cmd.nothing\", 0): no such command"},
        {[&] { return x->GetEventId(_bstr_t(L"e.nothing"), 0, &id); }, E_INVALIDARG,
         L"refused X.45(\"e.nothing\", 0): no such event"},
        {[&] { return settings->GetNode(_variant_t(3L), &node); }, E_INVALIDARG,
         L"refused S.41(VT_I4): the name is VT_I4, VT_BSTR expected"},
        {[&] { return x->OpenHistory(_bstr_t(L""), &history); }, E_INVALIDARG, L"refused X.8(\"\"): no path"},
        {[&] { return x->unused_10(); }, E_NOTIMPL, L"refused X.10(): not implemented"},
        {[&] { return x->unused_46_b_b_b_b_b(); }, E_NOTIMPL, L"refused X.77(): not implemented"},
        {[&] { return settings->unused_7_a_a_a_a(); }, E_NOTIMPL, L"refused S.7(): not implemented"},
        {[&] { return x->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr); },
         DISP_E_MEMBERNOTFOUND, L"refused X.6(): no dispatch interface"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.call(), c.hr) << testing::PrintToString(c.line);
        EXPECT_EQ(lastRefusal(), c.line);
    }
    EXPECT_EQ(id, -5) << "a refused lookup writes no ID";
    EXPECT_FALSE(node);
    EXPECT_FALSE(history);
}

}  // namespace
