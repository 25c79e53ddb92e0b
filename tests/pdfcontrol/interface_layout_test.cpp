// The program and the control meet only through the function tables of the control's published
// interface: every function the program calls must sit at the position the control documents.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "pdfcontrol/PdfControlInterfaces.h"

namespace {

// A pointer to a virtual member holds 1 + the byte offset of its table entry (the C++ ABI of this
// compiler); the position is that offset in pointers.
template <class Member>
int positionOf(Member member) {
    static_assert(sizeof(Member) == 2 * sizeof(void*));
    std::uintptr_t raw[2];
    std::memcpy(raw, &member, sizeof raw);
    EXPECT_EQ(raw[0] % sizeof(void*), 1u) << "not a virtual function";
    return static_cast<int>((raw[0] - 1) / sizeof(void*));
}

TEST(ControlInterfaces, EveryCalledFunctionSitsAtItsDocumentedPosition) {
    struct Expect {
        const char* name;
        int position;
        int expected;
    };
    const Expect expects[] = {
        {"IDispatch::Invoke", positionOf(&IDispatch::Invoke), 6},
        {"X.OpenHistory", positionOf(&IPdfInstance::OpenHistory), 8},
        {"X.Initialize", positionOf(&IPdfInstance::Initialize), 9},
        {"X.PrepareExit", positionOf(&IPdfInstance::PrepareExit), 11},
        {"X.GetFrame", positionOf(&IPdfInstance::GetFrame), 17},
        {"X.GetAuxiliary", positionOf(&IPdfInstance::GetAuxiliary), 18},
        {"X.GetDocumentCount", positionOf(&IPdfInstance::GetDocumentCount), 20},
        {"X.GetExtension", positionOf(&IPdfInstance::GetExtension), 28},
        {"X.GetEventId", positionOf(&IPdfInstance::GetEventId), 45},
        {"X.Shutdown", positionOf(&IPdfInstance::Shutdown), 84},
        {"X.RunCommand", positionOf(&IPdfInstance::RunCommand), 92},
        {"X.SetOption", positionOf(&IPdfInstance::SetOption), 95},
        {"X.GetSettings", positionOf(&IPdfInstance::GetSettings), 106},
        {"X.SetUiMode", positionOf(&IPdfInstance::SetUiMode), 169},
        {"A.GetPane", positionOf(&IPdfFrame::GetPane), 14},
        {"A.GetRibbon", positionOf(&IPdfFrame::GetRibbon), 15},
        {"A.GetDocumentArea", positionOf(&IPdfFrame::GetDocumentArea), 26},
        {"Q1.GetLayout", positionOf(&IPdfPane::GetLayout), 11},
        {"Q2.GetMetrics", positionOf(&IPdfLayout::GetMetrics), 7},
        {"Q3.SetExtent", positionOf(&IPdfMetrics::SetExtent), 17},
        {"T.GetPane", positionOf(&IPdfDocumentArea::GetPane), 14},
        {"T.GetViews", positionOf(&IPdfDocumentArea::GetViews), 25},
        {"V.CloseDocument", positionOf(&IPdfViewSet::CloseDocument), 26},
        {"V.AttachBar", positionOf(&IPdfViewSet::AttachBar), 43},
        {"B.GetBar", positionOf(&IPdfRibbon::GetBar), 7},
        {"B.GetTabs", positionOf(&IPdfRibbon::GetTabs), 34},
        {"B.GetPanels", positionOf(&IPdfRibbon::GetPanels), 35},
        {"B.GetCommandBar", positionOf(&IPdfRibbon::GetCommandBar), 42},
        {"Y.GetItem", positionOf(&IPdfTabs::GetItem), 12},
        {"Y.GetCount", positionOf(&IPdfTabs::GetCount), 13},
        {"Y.RefreshItem", positionOf(&IPdfTabs::RefreshItem), 15},
        {"D.GetGroup", positionOf(&IPdfTab::GetGroup), 8},
        {"G.SetHidden", positionOf(&IPdfTab::SetHidden), 18},
        {"E.GetItem", positionOf(&IPdfGroup::GetItem), 12},
        {"F.SetState", positionOf(&IPdfGroupItem::SetState), 25},
        {"H.GetChild", positionOf(&IPdfCommandBar::GetChild), 8},
        {"H.SetStyle", positionOf(&IPdfCommandBar::SetStyle), 20},
        {"K.GetPanel", positionOf(&IPdfPanelSet::GetPanel), 12},
        {"L.GetSection", positionOf(&IPdfPanel::GetSection), 8},
        {"M.GetStyle", positionOf(&IPdfSection::GetStyle), 15},
        {"O.SetValue", positionOf(&IPdfStyle::SetValue), 20},
        {"aux.GetValueObject", positionOf(&IPdfAuxiliary::GetValueObject), 9},
        {"aux.GetItem", positionOf(&IPdfAuxiliary::GetItem), 13},
        {"aux.GetApplyValue2", positionOf(&IPdfAuxiliary::GetApplyValue2), 15},
        {"aux.GetApplyObject1", positionOf(&IPdfAuxiliary::GetApplyObject1), 17},
        {"aux.GetApplyObject6", positionOf(&IPdfAuxiliary::GetApplyObject6), 19},
        {"aux.GetApplyObject4", positionOf(&IPdfAuxiliary::GetApplyObject4), 21},
        {"aux.GetApplyObject5", positionOf(&IPdfAuxiliary::GetApplyObject5), 23},
        {"aux.GetApplyObject3", positionOf(&IPdfAuxiliary::GetApplyObject3), 25},
        {"aux.GetApplyObject7", positionOf(&IPdfAuxiliary::GetApplyObject7), 27},
        {"aux.GetApplyValue8", positionOf(&IPdfAuxiliary::GetApplyValue8), 28},
        {"aux.Apply", positionOf(&IPdfAuxiliary::Apply), 65},
        {"S.SetFlag", positionOf(&IPdfSettings::SetFlag), 33},
        {"S.SetText", positionOf(&IPdfSettings::SetText), 37},
        {"S.GetNode", positionOf(&IPdfSettings::GetNode), 41},
        {"S.AddEntry", positionOf(&IPdfSettings::AddEntry), 46},
        {"UIX.GetViews", positionOf(&IPdfUiExtension::GetViews), 70},
        {"save.SetProceed", positionOf(&IPdfSaveEvent::SetProceed), 14},
    };
    for (const auto& e : expects) {
        EXPECT_EQ(e.position, e.expected) << e.name;
    }
}

TEST(ControlInterfaces, FixedIdentifiersAreTheControlsOwn) {
    // The identifiers the control is known by; a typo here would make every query fail.
    wchar_t text[40];
    auto textOf = [&](REFGUID guid) {
        StringFromGUID2(guid, text, 40);
        return std::wstring(text);
    };
    EXPECT_EQ(textOf(pdfc::kControlClsid), L"{A1149909-4EDC-4421-B9E5-E93C25A000A1}");
    EXPECT_EQ(textOf(pdfc::kEngineClsid), L"{973BF60B-4CC6-4BE0-B408-3D80E07FC2E6}");
    EXPECT_EQ(textOf(__uuidof(IPdfInstance)), L"{D726366D-34D6-49FC-A341-7B84C54CCA3E}");
    EXPECT_EQ(textOf(__uuidof(IPdfCoreExtension)), L"{06052A56-664B-4437-8F8C-9D697D1720B8}");
    EXPECT_EQ(textOf(__uuidof(IPdfUiExtension)), L"{D5CABA2F-B413-4C6F-94B6-0B573AFD07EB}");
    EXPECT_EQ(textOf(__uuidof(IPdfSaveEvent)), L"{5CC12C51-E255-427D-8385-10304C887256}");
}

}  // namespace
