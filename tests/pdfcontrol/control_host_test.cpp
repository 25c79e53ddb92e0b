// The control stand-in hosted through the class library, in a plain Win32 window.
#include <windows.h>

#include <comdef.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "PdfControlPtrs.h"
#include "classlib/ControlContainer.h"
#include "classlib/Wnd.h"
#include "pdfcontrol/TestHooks.h"
#include "support/ControlTestSupport.h"

namespace {

using pdftest::inOrder;

class TestControl : public CWnd {
  public:
    static const EventSinkMap sinkMap;
    const EventSinkMap* GetEventSinkMap() const override { return &sinkMap; }

    void onEvent(long id, IDispatch* event, IUnknown* source) {
        seen.push_back(Seen{id, event != nullptr, source != nullptr});
        if (throwNext) {
            throwNext = false;
            _com_issue_error(E_POINTER);
        }
        IPdfSaveEventPtr save(event);
        if (save) {
            lastSave = save;
            if (stopSave) {
                save->SetProceed(0);
            }
        }
    }

    struct Seen {
        long id;
        bool hadObject;
        bool hadSource;
    };
    std::vector<Seen> seen;
    bool throwNext = false;
    bool stopSave = false;
    IPdfSaveEventPtr lastSave;
};

const EventSinkEntry kTestEntries[] = {
    eventSinkEntry<&TestControl::onEvent>(101, 1, VTS_I4 VTS_DISPATCH VTS_UNKNOWN),
};
const EventSinkMap TestControl::sinkMap = {&CWnd::eventSinkMap, kTestEntries, 1};

class ControlHost : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(module.registered());
        AfxEnableControlContainer();
        dir = pdftest::makeScratchDir(L"host");
    }

    void TearDown() override {
        if (control.m_hWnd) {
            closeAll();
        }
        control.DestroyWindow();
        pdftest::pumpPending();
    }

    bool create(UINT id = 101) {
        RECT empty = {0, 0, 0, 0};
        return control.CreateControl(pdfc::kControlClsid, L"pdf_control_wnd", WS_CHILD, empty,
                                     CWnd::FromHandle(host.hwnd()), id);
    }

    IPdfInstancePtr instance() {
        IDispatch* dispatch = nullptr;
        control.InvokeHelper(pdfc::kDispInstance, DISPATCH_PROPERTYGET, VT_DISPATCH, &dispatch, VTS_NONE);
        IPdfInstancePtr x(dispatch);
        if (dispatch) {
            dispatch->Release();
        }
        return x;
    }

    BOOL documentOpen() {
        BOOL open = 7;  // neither TRUE nor FALSE, to see whether the call wrote it
        control.InvokeHelper(pdfc::kDispDocumentOpen, DISPATCH_PROPERTYGET, VT_BOOL, &open, VTS_NONE);
        return open;
    }

    void open(const std::wstring& path) {
        control.InvokeHelper(pdfc::kDispOpenDocument, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_BSTR VTS_DISPATCH,
                             path.c_str(), static_cast<IDispatch*>(nullptr));
    }

    LONG enable(const wchar_t* name) {
        LONG id = -1;
        instance()->GetEventId(_bstr_t(name), 0, &id);
        control.InvokeHelper(pdfc::kDispEnableEvent, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_I4 VTS_BOOL, id, TRUE);
        return id;
    }

    ULONG documentCount() {
        ULONG count = 0;
        instance()->GetDocumentCount(&count);
        return count;
    }

    void closeActive() {
        IPdfFramePtr a;
        instance()->GetFrame(&a);
        IPdfDocumentAreaPtr t;
        a->GetDocumentArea(&t);
        IPdfViewSetPtr v;
        t->GetViews(&v);
        v->CloseDocument(-1);
    }

    void closeAll() {
        while (documentCount() > 0) {
            closeActive();
        }
        pdftest::pumpPending();
    }

    std::wstring samplePdf(const wchar_t* name, int pages) {
        std::wstring path = dir + name;
        pdftest::writeSamplePdf(path, pages);
        return path;
    }

    pdftest::ControlModule module;
    pdftest::HostWindow host;
    TestControl control;
    std::wstring dir;
};

TEST_F(ControlHost, CreatesTheControlAsAHiddenChildWindowWithItsId) {
    module.clearJournal();
    ASSERT_TRUE(create());
    ASSERT_NE(control.m_hWnd, nullptr);
    wchar_t className[64] = L"";
    GetClassNameW(control.m_hWnd, className, 64);
    EXPECT_STREQ(className, L"PXVControl");
    EXPECT_EQ(GetParent(control.m_hWnd), host.hwnd());
    EXPECT_EQ(GetDlgCtrlID(control.m_hWnd), 101);
    EXPECT_FALSE(IsWindowVisible(control.m_hWnd)) << "WS_CHILD alone leaves it to the host to show it";
    wchar_t name[64] = L"";
    GetWindowTextW(control.m_hWnd, name, 64);
    EXPECT_STREQ(name, L"pdf_control_wnd");
    EXPECT_EQ(CWnd::FromHandle(control.m_hWnd), &control);
    EXPECT_NE(control.GetControlUnknown(), nullptr);
    EXPECT_TRUE(inOrder(module.journalLines(), {L"created control", L"C.advise"}));
    EXPECT_FALSE(create()) << "a second control in the same window object";
}

TEST_F(ControlHost, DispatchCallsReachTheControl) {
    ASSERT_TRUE(create());
    module.clearJournal();
    IPdfInstancePtr x = instance();
    ASSERT_TRUE(x);
    EXPECT_EQ(documentOpen(), FALSE);
    std::wstring one = samplePdf(L"one.pdf", 3);
    open(one);
    EXPECT_EQ(documentOpen(), TRUE);
    EXPECT_EQ(documentCount(), 1u);
    control.InvokeHelper(pdfc::kDispInitFlag, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, VTS_UI4, 1ul);
    control.InvokeHelper(pdfc::kDispShowView, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_BSTR VTS_BOOL VTS_BOOL,
                         L"bookmarksView", TRUE, FALSE);
    EXPECT_TRUE(inOrder(module.journalLines(),
                        {
                            L"C.106 get -> X",
                            L"C.0x60020014 get -> FALSE",
                            L"C.0x60020015(\"" + one + L"\", null)",
                            L"opened \"" + one + L"\": 3 pages",
                            L"C.0x60020014 get -> TRUE",
                            L"X.20() -> 1",
                            L"C.101 put 1",
                            L"C.0x6002000F(\"bookmarksView\", TRUE, FALSE)",
                        }))
        << module.journal();
}

// The code of the COM error a call raised, or S_OK. The class library's automation call raises the
// control's code for a call that failed.
HRESULT raisedBy(const std::function<void()>& call) {
    try {
        call();
    } catch (const _com_error& e) {
        return e.Error();
    }
    return S_OK;
}

TEST_F(ControlHost, RefusesAFileThatIsNotAPdfAndOneThatIsMissing) {
    ASSERT_TRUE(create());
    std::wstring text = dir + L"notes.pdf";
    pdftest::writeFileBytes(text, "just some notes\n");
    module.clearJournal();
    EXPECT_EQ(raisedBy([&] { open(text); }), E_FAIL);
    EXPECT_EQ(raisedBy([&] { open(dir + L"missing.pdf"); }), E_FAIL);
    EXPECT_EQ(documentOpen(), FALSE);
    auto lines = module.journalLines();
    EXPECT_TRUE(inOrder(lines, {L"open refused \"" + text + L"\": not a PDF file",
                                L"open refused \"" + dir + L"missing.pdf\": cannot read the file"}))
        << module.journal();
}

TEST_F(ControlHost, AFailedCallRaisesTheControlsCodeAndLeavesTheResult) {
    ASSERT_TRUE(create());
    EXPECT_EQ(raisedBy([&] {
                  control.InvokeHelper(pdfc::kDispShowView, DISPATCH_METHOD, VT_EMPTY, nullptr,
                                       VTS_BSTR VTS_I4 VTS_BOOL, L"bookmarksView", 1L, TRUE);
              }),
              DISP_E_TYPEMISMATCH);
    BOOL open = 7;
    EXPECT_EQ(raisedBy([&] {
                  control.InvokeHelper(pdfc::kDispDocumentOpen, DISPATCH_PROPERTYPUT, VT_BOOL, &open, VTS_BOOL, TRUE);
              }),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(open, 7);
    EXPECT_EQ(pdftest::takeRefusals(), 2) << "both calls reached the control, which refused them";
    // The class library's own limit: a parameter type it cannot pass.
    EXPECT_EQ(raisedBy([&] {
                  control.InvokeHelper(pdfc::kDispInitFlag, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, "\x05", 1.0);
              }),
              DISP_E_BADVARTYPE);
    EXPECT_EQ(pdftest::takeRefusals(), 0) << "nothing reached the control";
}

TEST_F(ControlHost, EnabledEventsReachTheSinkMapWithTheirId) {
    ASSERT_TRUE(create());
    LONG operExecuted = enable(L"e.operExecuted");
    LONG again = -1;
    instance()->GetEventId(_bstr_t(L"e.operExecuted"), 0, &again);
    EXPECT_EQ(again, operExecuted) << "event IDs are stable per name";
    LONG other = -1;
    instance()->GetEventId(_bstr_t(L"e.document.sourceChanged"), 0, &other);
    EXPECT_NE(other, operExecuted);

    EXPECT_EQ(module.fireEvent(L"e.operExecuted"), 1);
    ASSERT_EQ(control.seen.size(), 1u);
    EXPECT_EQ(control.seen[0].id, operExecuted);
    EXPECT_TRUE(control.seen[0].hadObject);
    EXPECT_TRUE(control.seen[0].hadSource);

    EXPECT_EQ(module.fireEvent(L"e.document.sourceChanged"), 0) << "never enabled";
    control.InvokeHelper(pdfc::kDispEnableEvent, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_I4 VTS_BOOL, operExecuted,
                         FALSE);
    EXPECT_EQ(module.fireEvent(L"e.operExecuted"), 0) << "disabled again";
    EXPECT_EQ(control.seen.size(), 1u);
}

_COM_SMARTPTR_TYPEDEF(IConnectionPointContainer, __uuidof(IConnectionPointContainer));
_COM_SMARTPTR_TYPEDEF(IConnectionPoint, __uuidof(IConnectionPoint));

// A sink of the control's source interface that keeps what each call brought, uncoerced.
class RawSink final : public IDispatch {
  public:
    struct Call {
        DISPID id;
        WORD flags;
        UINT named;
        std::vector<VARTYPE> types;  // in the caller's order
    };
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == pdfc::kControlEventsIid) {
            *out = static_cast<IDispatch*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the test's stack
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE
    Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override {
        Call call{id, flags, params->cNamedArgs, {}};
        for (UINT i = params->cArgs; i > 0; --i) {
            call.types.push_back(params->rgvarg[i - 1].vt);
        }
        calls.push_back(call);
        return S_OK;
    }
    std::vector<Call> calls;
};

TEST_F(ControlHost, EventsCarryTheTypesTheSinkMapDeclares) {
    ASSERT_TRUE(create());
    LONG id = enable(pdfc::kEventOperExecuted);
    IConnectionPointContainerPtr points(control.GetControlUnknown());
    ASSERT_TRUE(points);
    IConnectionPointPtr point;
    ASSERT_HRESULT_SUCCEEDED(points->FindConnectionPoint(pdfc::kControlEventsIid, &point));
    RawSink sink;
    DWORD cookie = 0;
    ASSERT_HRESULT_SUCCEEDED(point->Advise(&sink, &cookie));
    EXPECT_EQ(module.fireEvent(pdfc::kEventOperExecuted), 1);
    point->Unadvise(cookie);
    ASSERT_EQ(sink.calls.size(), 1u);
    EXPECT_EQ(sink.calls[0].id, pdfc::kDispOnEvent);
    EXPECT_EQ(sink.calls[0].flags, DISPATCH_METHOD);
    EXPECT_EQ(sink.calls[0].named, 0u);
    EXPECT_EQ(sink.calls[0].types, (std::vector<VARTYPE>{VT_I4, VT_DISPATCH, VT_UNKNOWN}));
    ASSERT_EQ(control.seen.size(), 1u);
    EXPECT_EQ(control.seen[0].id, id);
}

TEST_F(ControlHost, EventsOfAnotherControlIdFindNoEntry) {
    ASSERT_TRUE(create(55));
    enable(L"e.operExecuted");
    EXPECT_EQ(module.fireEvent(L"e.operExecuted"), 1);
    EXPECT_TRUE(control.seen.empty());
}

TEST_F(ControlHost, ClosingFiresDocumentClosedFromTheMessageLoop) {
    ASSERT_TRUE(create());
    LONG closed = enable(L"e.document.closed");
    open(samplePdf(L"a.pdf", 1));
    open(samplePdf(L"b.pdf", 2));
    ASSERT_EQ(documentCount(), 2u);
    pdftest::pumpPending();
    control.seen.clear();

    closeActive();
    EXPECT_EQ(documentCount(), 1u);
    EXPECT_TRUE(control.seen.empty()) << "fired while the closing call was still running";
    ASSERT_TRUE(pdftest::pumpUntil([&] { return !control.seen.empty(); }));
    EXPECT_EQ(control.seen[0].id, closed);
    auto lines = module.journalLines();
    EXPECT_TRUE(inOrder(lines, {L"V.26(-1)", L"close \"" + dir + L"b.pdf\"", L"event e.document.closed"}));
}

TEST_F(ControlHost, SaveWaitsForTheHandlerAndHonoursItsStop) {
    ASSERT_TRUE(create());
    enable(L"e.document.performSave");
    EXPECT_EQ(module.performSave(), -1) << "no document";
    std::wstring path = samplePdf(L"save.pdf", 1);
    std::string before = pdftest::readFileBytes(path);
    open(path);

    control.stopSave = true;
    module.clearJournal();
    EXPECT_EQ(module.performSave(), 0);
    ASSERT_EQ(control.seen.size(), 1u);
    EXPECT_TRUE(inOrder(module.journalLines(),
                        {L"event e.document.performSave", L"event:e.document.performSave.14(0)", L"save stopped"}));

    control.stopSave = false;
    module.clearJournal();
    EXPECT_EQ(module.performSave(), 1);
    EXPECT_TRUE(inOrder(module.journalLines(), {L"event e.document.performSave", L"saved \"" + path + L"\""}));
    EXPECT_EQ(pdftest::readFileBytes(path), before);

    // Once the handler has returned, the save can no longer be stopped.
    ASSERT_TRUE(control.lastSave);
    EXPECT_EQ(control.lastSave->SetProceed(0), E_UNEXPECTED);
    EXPECT_EQ(pdftest::takeRefusals(), 1);
    EXPECT_EQ(module.journalLines().back(),
              L"refused event:e.document.performSave.14(0): the save has already gone on or stopped");
}

TEST_F(ControlHost, ADocumentWithUnsavedChangesClosesOnlyWhenTheUserSaysSo) {
    ASSERT_TRUE(create());
    const LONG closed = enable(L"e.document.closed");
    enable(L"e.document.performSave");
    EXPECT_EQ(module.markModified(), -1) << "no document";
    const std::wstring path = samplePdf(L"changed.pdf", 1);
    open(path);
    pdftest::pumpPending();
    ASSERT_EQ(module.markModified(), 1);
    auto closedEvents = [&] {
        pdftest::pumpPending();
        return std::count_if(control.seen.begin(), control.seen.end(), [&](const auto& e) { return e.id == closed; });
    };
    // Each answer closes through the object model's close and leaves this many documents.
    struct Case {
        int button;
        bool stopSave;
        ULONG left;
        std::vector<std::wstring> journal;
    } cases[] = {
        {IDCANCEL, false, 1, {L"V.26(-1)", L"ask save \"" + path + L"\"", L"answer cancel", L"kept \""}},
        // A save the program's handler stops keeps the document and its changes.
        {IDYES, true, 1, {L"answer yes", L"event e.document.performSave", L"save stopped", L"kept \""}},
        {IDYES, false, 0, {L"answer yes", L"saved \"" + path + L"\"", L"close \"" + path + L"\""}},
    };
    for (const Case& c : cases) {
        control.seen.clear();
        control.stopSave = c.stopSave;
        module.clearJournal();
        pdftest::MessageBoxAnswer answer(c.button);
        closeActive();
        ASSERT_TRUE(answer.finish()) << c.button;
        EXPECT_NE(answer.text().find(L"\"changed.pdf\""), std::wstring::npos) << answer.text();
        EXPECT_EQ(answer.owner(), host.hwnd()) << "over the control's window";
        EXPECT_EQ(documentCount(), c.left);
        EXPECT_TRUE(inOrder(module.journalLines(), c.journal)) << module.journal();
        if (c.left == 0) {
            EXPECT_TRUE(pdftest::pumpUntil([&] { return closedEvents() == 1; }));
        } else {
            EXPECT_EQ(closedEvents(), 0) << "a kept document fires nothing";
        }
    }

    // Dropping the changes closes without saving; a document without changes is not asked about.
    open(path);
    open(samplePdf(L"plain.pdf", 1));
    ASSERT_EQ(documentCount(), 2u);
    module.clearJournal();
    closeActive();
    EXPECT_EQ(documentCount(), 1u);
    ASSERT_EQ(module.markModified(), 1);
    pdftest::MessageBoxAnswer drop(IDNO);
    EXPECT_EQ(module.closeDocument(), 1) << "the user's own close asks as well";
    ASSERT_TRUE(drop.finish());
    auto lines = module.journalLines();
    EXPECT_EQ(pdftest::countLines(lines, L"ask save"), 1) << module.journal();
    EXPECT_TRUE(inOrder(lines, {L"answer no", L"close \"" + path + L"\""})) << module.journal();
    EXPECT_EQ(pdftest::countLines(lines, L"saved"), 0) << module.journal();
    EXPECT_EQ(documentCount(), 0u);
    EXPECT_EQ(module.closeDocument(), -1);
}

TEST_F(ControlHost, AnErrorRaisedInAHandlerStopsThereAndTheProcessLives) {
    ASSERT_TRUE(create());
    enable(L"e.operExecuted");
    control.throwNext = true;
    EXPECT_EQ(module.fireEvent(L"e.operExecuted"), 1);
    EXPECT_EQ(module.fireEvent(L"e.operExecuted"), 1);
    EXPECT_EQ(control.seen.size(), 2u);
}

TEST_F(ControlHost, DestroyingTheWindowFromOutsideLeavesTheWrapperConsistent) {
    ASSERT_TRUE(create());
    module.clearJournal();
    ASSERT_TRUE(::DestroyWindow(control.m_hWnd));
    EXPECT_EQ(control.m_hWnd, nullptr);
    EXPECT_EQ(control.GetControlUnknown(), nullptr);
    EXPECT_TRUE(inOrder(module.journalLines(), {L"C.unadvise"}));

    // Without a control the calls do nothing and leave the out values as they were.
    EXPECT_EQ(documentOpen(), 7);
    IDispatch* dispatch = nullptr;
    control.InvokeHelper(pdfc::kDispInstance, DISPATCH_PROPERTYGET, VT_DISPATCH, &dispatch, VTS_NONE);
    EXPECT_EQ(dispatch, nullptr);
    EXPECT_FALSE(control.ShowWindow(SW_SHOW));
    EXPECT_EQ(control.SetFocus(), nullptr);
}

TEST_F(ControlHost, CreatingNeedsContainmentAParentAndARegisteredClass) {
    TestControl orphan;
    RECT empty = {0, 0, 0, 0};
    EXPECT_FALSE(orphan.CreateControl(pdfc::kControlClsid, L"x", WS_CHILD, empty, nullptr, 101));
    const CLSID unknown = {0x1234, 0x5678, 0x9ABC, {1, 2, 3, 4, 5, 6, 7, 8}};
    EXPECT_FALSE(orphan.CreateControl(unknown, L"x", WS_CHILD, empty, CWnd::FromHandle(host.hwnd()), 101));
    EXPECT_EQ(orphan.m_hWnd, nullptr);
}

TEST(WindowObjects, ForeignHandlesGetOneWrapperEach) {
    pdftest::HostWindow host;
    CWnd* first = CWnd::FromHandle(host.hwnd());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(CWnd::FromHandle(host.hwnd()), first);
    EXPECT_EQ(first->m_hWnd, host.hwnd());
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
    EXPECT_STREQ(first->GetRuntimeClass()->m_lpszClassName, "CWnd");
}

}  // namespace

namespace {

TEST_F(ControlHost, OtherProcessesDriveTheControlByMessageAndReadTheJournalFile) {
    ASSERT_TRUE(create());
    LONG operExecuted = enable(L"e.operExecuted");
    enable(L"e.document.performSave");
    open(samplePdf(L"driven.pdf", 1));
    pdftest::pumpPending();
    control.seen.clear();

    std::wstring file = dir + L"journal.txt";
    ASSERT_TRUE(SetEnvironmentVariableW(L"BRAVIK_PDFCONTROL_JOURNAL", file.c_str()));
    std::wstring name = L"e.operExecuted";
    COPYDATASTRUCT fire = {pdfc::kCopyDataFireEvent, static_cast<DWORD>((name.size() + 1) * sizeof(wchar_t)),
                           name.data()};
    EXPECT_EQ(SendMessageW(control.m_hWnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&fire)), 1);
    COPYDATASTRUCT save = {pdfc::kCopyDataPerformSave, 0, nullptr};
    EXPECT_EQ(SendMessageW(control.m_hWnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&save)), 1);
    SetEnvironmentVariableW(L"BRAVIK_PDFCONTROL_JOURNAL", nullptr);

    ASSERT_EQ(control.seen.size(), 2u);
    EXPECT_EQ(control.seen[0].id, operExecuted);
    std::string text = pdftest::readFileBytes(file);
    EXPECT_NE(text.find("event e.operExecuted"), std::string::npos) << text;
    EXPECT_NE(text.find("event e.document.performSave"), std::string::npos) << text;
    EXPECT_NE(text.find("saved \""), std::string::npos) << text;
}

}  // namespace
