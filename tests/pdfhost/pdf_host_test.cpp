// The wrapper, the engine's life and the real-window operations, in a plain Win32 host window, with
// the control registered in the test prefix. The tests share the one process-wide wrapper, so they
// run in this order.
#include <windows.h>

#include <comdef.h>

#include <gtest/gtest.h>

#include <memory>

#include "PdfControlAccess.h"
#include "PdfControlRefs.h"
#include "PdfHostEnvironment.h"
#include "RealWndOperations.h"
#include "classlib/ControlContainer.h"
#include "support/ControlTestSupport.h"
#include "support/FakeElement.h"
#include "support/RecordedEvents.h"

namespace {

using pdftest::inOrder;

class PdfHost : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(module.registered());
        AfxEnableControlContainer();
        recordedEvents().clear();
    }

    std::vector<RecordedEvent> eventsWithId(LONG id) {
        std::vector<RecordedEvent> found;
        for (const auto& e : recordedEvents()) {
            if (e.id == id) {
                found.push_back(e);
            }
        }
        return found;
    }

    pdftest::ControlModule module;
};

TEST_F(PdfHost, FirstUseCreatesTheEngineOnceWithBothHistoryFiles) {
    ASSERT_EQ(g_pdfControl, nullptr) << "this test must run first in its process";
    module.clearJournal();
    PXV::PdfEditControl* control = getPdfControl();
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control, g_pdfControl);
    EXPECT_EQ(control->m_hWnd, nullptr);
    const std::wstring cache = PXV::pdfHostEnvironment().cacheDir();
    auto lines = module.journalLines();
    EXPECT_TRUE(inOrder(lines, {L"created engine", L"X.8(\"" + cache + L"DocHistory.dat\") -> H:DocHistory.dat",
                                L"X.8(\"" + cache + L"ThumbsHistory.dat\") -> H:ThumbsHistory.dat",
                                L"X.9(0, 0, 0, H:DocHistory.dat, H:ThumbsHistory.dat, 0, 0)"}))
        << module.journal();

    module.clearJournal();
    EXPECT_EQ(getPdfControl(), control);
    EXPECT_EQ(pdftest::countLines(module.journalLines(), L"created engine"), 0) << "a second engine attempt";
}

TEST_F(PdfHost, WrapperIsDynamicallyCreatableAsPdfEditControl) {
    const CRuntimeClass* runtime = getPdfControl()->GetRuntimeClass();
    EXPECT_STREQ(runtime->m_lpszClassName, "PdfEditControl");
    EXPECT_TRUE(runtime->IsDerivedFrom(&CWnd::classCWnd));
    CWnd* made = runtime->CreateObject();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetRuntimeClass(), runtime);
    EXPECT_EQ(made->m_hWnd, nullptr);
    delete made;
}

TEST_F(PdfHost, WithoutAControlWindowTheOperationsLeaveInitialisedResults) {
    PXV::PdfEditControl* control = getPdfControl();
    ASSERT_EQ(control->m_hWnd, nullptr);
    EXPECT_EQ(control->getInstance(), nullptr);
    EXPECT_EQ(control->isDocumentOpen(), FALSE);
    try {
        control->shutdownEngine();
        FAIL() << "shutting down without an instance object raised nothing";
    } catch (const _com_error& e) {
        EXPECT_EQ(e.Error(), E_POINTER);
    }
}

TEST_F(PdfHost, ElementsOfOtherWindowClassesGetNothing) {
    pdftest::HostWindow host;
    for (const wchar_t* other : {L"pxvcontrol", L"PXVControl2", L"Edit", L""}) {
        FakeElement element(other, host.hwnd());
        EXPECT_EQ(PXV::createPdfControlWindow(element), nullptr) << other;
        EXPECT_EQ(element.realWindow(), nullptr);
    }
    EXPECT_EQ(GetWindow(host.hwnd(), GW_CHILD), nullptr);

    module.clearJournal();
    FakeElement noWindow(L"PXVControl", host.hwnd());
    PXV::destroyPdfControlWindow(noWindow);
    EXPECT_EQ(pdftest::countLines(module.journalLines(), L"X.84"), 0) << "shut down without a window";
}

TEST_F(PdfHost, ControlLivesInTheHostFromCreationToShutdown) {
    pdftest::HostWindow host;
    std::wstring dir = pdftest::makeScratchDir(L"docs");
    std::wstring first = dir + L"first.pdf";
    std::wstring second = dir + L"second.pdf";
    pdftest::writeSamplePdf(first, 2);
    pdftest::writeSamplePdf(second, 5);

    FakeElement element(L"PXVControl", host.hwnd());
    HWND hwnd = PXV::createPdfControlWindow(element);
    ASSERT_NE(hwnd, nullptr);
    PXV::PdfEditControl* control = getPdfControl();
    EXPECT_EQ(element.realWindow(), hwnd);
    EXPECT_EQ(control->m_hWnd, hwnd);
    EXPECT_EQ(GetParent(hwnd), host.hwnd());
    EXPECT_EQ(GetDlgCtrlID(hwnd), 101);
    EXPECT_EQ(GetFocus(), hwnd);

    // The wrapper's dispatch operations reach the control.
    module.clearJournal();
    control->setInitFlag(1);
    control->subscribeEvents();
    EXPECT_EQ(control->isDocumentOpen(), FALSE);
    control->openDocument(first.c_str());
    control->openDocument(second.c_str());
    // A file the control refuses to open: the control says so itself; the wrapper goes on.
    const std::wstring notes = dir + L"notes.pdf";
    pdftest::writeFileBytes(notes, "just some notes\n");
    EXPECT_NO_THROW(control->openDocument(notes.c_str()));
    EXPECT_EQ(control->isDocumentOpen(), TRUE);
    control->showView(L"bookmarksView", TRUE, FALSE);
    PXV::runCommand(control->takeInstance(), L"cmd.tool.editContent.all");
    auto lines = module.journalLines();
    EXPECT_EQ(pdftest::countLines(lines, L"X.45("), 15);
    EXPECT_EQ(pdftest::countLines(lines, L"C.0x60020039("), 15);
    EXPECT_TRUE(inOrder(
        lines,
        {L"C.101 put 1", L"X.45(\"e.documentView.beforeClose\", 0)", L"X.45(\"e.document.sourceChanged\", 0)",
         L"C.0x60020014 get -> FALSE", L"opened \"" + first + L"\": 2 pages", L"opened \"" + second + L"\": 5 pages",
         L"open refused \"" + notes + L"\": not a PDF file", L"C.0x60020014 get -> TRUE",
         L"C.0x6002000F(\"bookmarksView\", TRUE, FALSE)", L"X.92(\"cmd.tool.editContent.all\", 0)"}))
        << module.journal();

    // Enabled events reach the handler with their IDs.
    LONG activated = control->getEventId(L"e.documentView.activated");
    ASSERT_TRUE(pdftest::pumpUntil([&] { return eventsWithId(activated).size() == 2; }));
    EXPECT_TRUE(eventsWithId(activated)[0].hadObject);

    // Closing through the close chain: one "e.document.closed" per document, counted after the close.
    LONG closed = control->getEventId(L"e.document.closed");
    for (ULONG left : {1u, 0u}) {
        IPdfFramePtr frame;
        control->takeInstance()->GetFrame(&frame);
        IPdfDocumentAreaPtr area;
        frame->GetDocumentArea(&area);
        IPdfViewSetPtr views;
        area->GetViews(&views);
        views->CloseDocument(-1);
        ASSERT_TRUE(pdftest::pumpUntil([&] { return eventsWithId(closed).size() == 2 - left; })) << left;
        EXPECT_EQ(eventsWithId(closed).back().openDocuments, left);
    }
    EXPECT_EQ(control->isDocumentOpen(), FALSE);

    // The engine shuts down with both history files opened again by path, then the window goes.
    const std::wstring cache = PXV::pdfHostEnvironment().cacheDir();
    module.clearJournal();
    PXV::destroyPdfControlWindow(element);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(control->m_hWnd, nullptr);
    EXPECT_EQ(element.realWindow(), hwnd) << "the element keeps its handle";
    lines = module.journalLines();
    EXPECT_TRUE(inOrder(lines, {L"C.106 get -> X", L"X.8(\"" + cache + L"DocHistory.dat\") -> H:DocHistory.dat",
                                L"X.8(\"" + cache + L"ThumbsHistory.dat\") -> H:ThumbsHistory.dat",
                                L"X.84(H:DocHistory.dat, H:ThumbsHistory.dat, 0)", L"C.unadvise"}))
        << module.journal();
    std::string docHistory = pdftest::readFileBytes(cache + L"DocHistory.dat");
    EXPECT_NE(docHistory.find("first.pdf"), std::string::npos) << docHistory;
    EXPECT_NE(docHistory.find("second.pdf"), std::string::npos) << docHistory;
    EXPECT_NE(pdftest::readFileBytes(cache + L"ThumbsHistory.dat").find("5\t"), std::string::npos);

    // And the wrapper can hold a control window again for the next layout.
    FakeElement again(L"PXVControl", host.hwnd());
    HWND next = PXV::createPdfControlWindow(again);
    ASSERT_NE(next, nullptr);
    PXV::destroyPdfControlWindow(again);
    EXPECT_FALSE(IsWindow(next));
}

TEST_F(PdfHost, CreateAndCreateChildMakeTheControlAsAChildWithTheGivenIdentity) {
    pdftest::HostWindow host;
    PXV::PdfEditControl* control = getPdfControl();
    const RECT rect = {0, 0, 120, 80};
    // Create ignores the class name it is given; createChild the style.
    struct Case {
        bool child;
        UINT id;
    } cases[] = {{false, 77}, {true, 78}};
    for (const Case& c : cases) {
        const BOOL made =
            c.child
                ? control->createChild(L"pdf_child", WS_POPUP | WS_CAPTION, rect, CWnd::FromHandle(host.hwnd()), c.id)
                : control->Create(L"Edit", L"pdf_child", WS_CHILD, rect, CWnd::FromHandle(host.hwnd()), c.id);
        ASSERT_TRUE(made) << c.id;
        HWND hwnd = control->m_hWnd;
        ASSERT_NE(hwnd, nullptr);
        EXPECT_EQ(GetParent(hwnd), host.hwnd());
        EXPECT_EQ(GetDlgCtrlID(hwnd), static_cast<int>(c.id));
        const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
        EXPECT_TRUE(style & WS_CHILD);
        EXPECT_FALSE(style & (WS_POPUP | WS_CAPTION)) << c.id;
        EXPECT_EQ(control->isDocumentOpen(), FALSE) << "the dispatch interface answers";
        FakeElement element(L"PXVControl", host.hwnd());
        element.setRealWindow(hwnd);
        PXV::destroyPdfControlWindow(element);
        EXPECT_FALSE(IsWindow(hwnd));
    }
    EXPECT_TRUE(IsEqualCLSID(PXV::PdfEditControl::getClsid(), pdfc::kControlClsid));
}

// The record of the four control references, with a control window of its own.
class PdfControlRefsTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(module.registered());
        AfxEnableControlContainer();
        element = std::make_unique<FakeElement>(L"PXVControl", host.hwnd());
        ASSERT_NE(PXV::createPdfControlWindow(*element), nullptr);
        module.clearJournal();
    }
    void TearDown() override { PXV::destroyPdfControlWindow(*element); }

    pdftest::ControlModule module;
    pdftest::HostWindow host;
    std::unique_ptr<FakeElement> element;
};

TEST_F(PdfControlRefsTest, AcquireTakesAllFourAndReleaseLetsThemGo) {
    PXV::PdfControlRefs refs = PXV::PdfControlRefs::acquire();
    EXPECT_TRUE(refs.instance && refs.pxcExtension && refs.auxiliary && refs.auxiliaryItem);
    EXPECT_TRUE(inOrder(module.journalLines(),
                        {L"C.106 get -> X", L"X.28(\"PXC\")", L"X.18() -> AUX", L"AUX.13() -> AUX.item"}))
        << module.journal();
    refs.release();
    EXPECT_FALSE(refs.instance || refs.pxcExtension || refs.auxiliary || refs.auxiliaryItem);
}

TEST_F(PdfControlRefsTest, AuxiliaryOperationsReachTheirPositions) {
    PXV::PdfControlRefs refs = PXV::PdfControlRefs::acquire();
    IPdfAuxiliary* before = refs.auxiliary;
    refs.refreshAuxiliary();
    EXPECT_NE(refs.auxiliary.GetInterfacePtr(), before) << "the auxiliary object taken again";
    ASSERT_TRUE(refs.auxiliaryItem);

    // Position 9 gives a value object whose position 3 gives the value (9 in the stand-in).
    EXPECT_EQ(PXV::PdfControlRefs::readItemValue(refs.auxiliary), 9);
    EXPECT_EQ(PXV::PdfControlRefs::readChildValue(refs.auxiliary), 9);
    module.clearJournal();
    EXPECT_EQ(refs.passZeroToAuxiliary(), 0);
    EXPECT_EQ(refs.applyDefaultsToAuxiliary(), S_OK);
    EXPECT_EQ(module.journalLines(), (std::vector<std::wstring>{
                                         L"AUX.9(null)",
                                         L"AUX.65(null, 1, null, null, null, null, null, 0)",
                                     }));

    // Without a source, the defaults; with one, its eight values read in its own order and passed
    // in Apply's.
    module.clearJournal();
    EXPECT_EQ(refs.applyToAuxiliary(nullptr), S_OK);
    EXPECT_EQ(refs.applyToAuxiliary(refs.auxiliaryItem), S_OK);
    const std::wstring source = L"AUX.item";
    EXPECT_EQ(module.journalLines(),
              (std::vector<std::wstring>{
                  L"AUX.65(null, 1, null, null, null, null, null, 0)",
                  source + L".17() -> " + source + L".17",
                  source + L".15() -> 15",
                  source + L".25() -> " + source + L".25",
                  source + L".21() -> " + source + L".21",
                  source + L".23() -> " + source + L".23",
                  source + L".19() -> " + source + L".19",
                  source + L".27() -> " + source + L".27",
                  source + L".28() -> 28",
                  L"AUX.65(AUX.item.17, 15, AUX.item.25, AUX.item.21, AUX.item.23, AUX.item.19, AUX.item.27, 28)",
              }))
        << module.journal();
    refs.release();
}

TEST_F(PdfControlRefsTest, MissingObjectsRaiseThePointerError) {
    PXV::PdfControlRefs empty;
    for (auto call : {+[](PXV::PdfControlRefs& r) { r.applyToAuxiliary(nullptr); },
                      +[](PXV::PdfControlRefs& r) { r.passZeroToAuxiliary(); },
                      +[](PXV::PdfControlRefs&) { PXV::PdfControlRefs::readItemValue(nullptr); },
                      +[](PXV::PdfControlRefs& r) { r.closeActiveDocument(); }}) {
        try {
            call(empty);
            ADD_FAILURE() << "nothing raised";
        } catch (const _com_error& e) {
            EXPECT_EQ(e.Error(), E_POINTER);
        }
    }
}

}  // namespace
