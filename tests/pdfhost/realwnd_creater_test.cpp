// The UI library's side of the host: the real-window handler and the control's module name.
#include <windows.h>

#include <gtest/gtest.h>

#include "CRealWndCreater.h"
#include "PdfHostInputs.h"
#include "soui/SUiDef.h"
#include "support/ControlTestSupport.h"

namespace {

TEST(RealWndCreater, CountsItsReferencesAndLeavesSizingToTheLibrary) {
    auto* creater = new CRealWndCreater();
    SOUI::IRealWndHandler* handler = creater;
    EXPECT_EQ(handler->AddRef(), 2);
    EXPECT_EQ(handler->Release(), 1);
    SOUI::SRealWnd element;
    EXPECT_EQ(handler->initRealWnd(&element), FALSE);
    EXPECT_EQ(handler->sizeRealWnd(&element), FALSE);
    EXPECT_EQ(handler->showRealWnd(&element, TRUE), FALSE);
    EXPECT_EQ(handler->Release(), 0);  // deletes itself
}

TEST(RealWndCreater, MakesNothingForOtherElementsOrAPdfElementWithoutWindow) {
    pdftest::ControlModule module;
    auto* creater = new CRealWndCreater();
    SOUI::SRealWnd edit;
    edit.SetAttribute(SOUI::SStringW(L"wndclass"), SOUI::SStringW(L"Edit"));
    EXPECT_EQ(creater->createRealWnd(&edit), nullptr);
    EXPECT_EQ(edit.GetRealHwnd(), nullptr);

    SOUI::SRealWnd pdf;
    pdf.SetAttribute(SOUI::SStringW(L"wndclass"), SOUI::SStringW(L"PXVControl"));
    module.clearJournal();
    creater->destroyRealWnd(&pdf);
    EXPECT_EQ(pdftest::countLines(module.journalLines(), L"X.84"), 0);
    creater->Release();
}

// A UI definition with nothing but its string table.
class StringsOnlyUiDef final : public SOUI::IUiDefInfo {
  public:
    long AddRef() override { return ++refs; }
    long Release() override { return --refs; }
    void OnFinalRelease() override {}
    SOUI::SNamedString* GetNamedString() override { return &strings; }
    SOUI::SNamedColor* GetNamedColor() override { return nullptr; }
    SOUI::ISkinObj* GetSkin(LPCWSTR) override { return nullptr; }
    const SOUI::SStringW& GetDefFontFace() const override { return face; }
    int GetDefFontSize() const override { return 12; }
    const SOUI::SAttrList* GetStyleClass(LPCWSTR) const override { return nullptr; }
    const SOUI::SAttrList* GetObjAttr(LPCWSTR) const override { return nullptr; }

    long refs = 1;
    SOUI::SNamedString strings;
    SOUI::SStringW face;
};

TEST(HostInputs, ControlFileIsTheNamedStringOfTheCurrentUiDefinition) {
    EXPECT_EQ(PXV::hostControlFile(), L"") << "no UI definition loaded";
    StringsOnlyUiDef uiDef;
    uiDef.strings.Set(L"controlFile", L"wke.dll");
    SOUI::SUiDef::SetUiDef(&uiDef);
    EXPECT_EQ(PXV::hostControlFile(), L"wke.dll");
    SOUI::SUiDef::SetUiDef(nullptr);
}

}  // namespace
