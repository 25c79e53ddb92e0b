// What the UI library refuses: attributes, value forms, element kinds, names, layouts, skins,
// strings, colours, menus and cursors the program could get wrong, each counted and journalled;
// and what it takes in the same places.
#include <windows.h>

#include <gtest/gtest.h>
#include <soui/TestHooks.h>
#include <soui/soui.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "TestApp.h"
#include "UiRefusals.h"

using namespace SOUI;
using soui_test::TestApp;
using souitest::takeRefusals;

namespace {

using Lines = std::vector<std::wstring>;

// What an element shows, to see that a refused value changed nothing.
struct Look {
    RECT rect, client;
    std::wstring text, tip, skin, font, cursor;
    COLORREF colorText, colorBkgnd;
    UINT textMode;
    BOOL visible;
    int extendLeft;
    bool operator==(const Look& o) const {
        return EqualRect(&rect, &o.rect) && EqualRect(&client, &o.client) && text == o.text && tip == o.tip &&
               skin == o.skin && font == o.font && cursor == o.cursor && colorText == o.colorText &&
               colorBkgnd == o.colorBkgnd && textMode == o.textMode && visible == o.visible &&
               extendLeft == o.extendLeft;
    }
};

Look lookOf(SWindow* w) {
    Look l;
    w->GetWindowRect(&l.rect);
    w->GetClientRect(&l.client);
    l.text = w->GetWindowText().c_str();
    l.tip = w->GetToolTipText().c_str();
    l.skin = w->GetSkinName().c_str();
    l.font = w->GetStyle().font.c_str();
    l.cursor = w->GetStyle().cursor.c_str();
    l.colorText = w->GetStyle().colorText[0];
    l.colorBkgnd = w->GetStyle().colorBkgnd;
    l.textMode = w->GetStyle().textMode;
    l.visible = w->IsVisible();
    l.extendLeft = w->GetLayoutParam().extend.left;
    return l;
}

IResProvider* testProvider() {
    IObjRef* obj = nullptr;
    CreateResProvider(RES_PE, &obj);
    auto* provider = static_cast<IResProvider*>(obj);
    provider->Init(reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)), 0);
    return provider;
}

void writeFile(const std::wstring& path, const std::string& bytes) {
    FILE* f = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(f, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

std::string readFile(const std::wstring& path) {
    std::string bytes;
    if (FILE* f = _wfopen(path.c_str(), L"rb")) {
        char buffer[512];
        size_t n = 0;
        while ((n = fread(buffer, 1, sizeof(buffer), f)) > 0) {
            bytes.append(buffer, n);
        }
        fclose(f);
    }
    return bytes;
}

class Refusals : public testing::Test {
  protected:
    void SetUp() override { TestApp::Get(); }
};

TEST_F(Refusals, MistakesOfALayoutAreRefusedNamingTheLayoutAndTheElement) {
    SHostWnd host(L"LAYOUT:XML_FAULTS");
    ASSERT_NE(host.Create(nullptr), nullptr) << "a layout with mistakes is still built";
    const std::wstring of = L" of LAYOUT:XML_FAULTS: ";
    const Lines expected = {
        L"refused attribute title=\"@string/no_such_title\" of <host>" + of + L"the string table has no such string",
        L"refused attribute resizable=\"2\" of <host>" + of + L"not 0 or 1",
        L"refused attribute bigIcon=\"ICON_NONE\" of <host>" + of + L"not \"NAME:SIZE\"",
        L"refused attribute margin=\"7,5,7\" of window \"root\"" + of + L"not four integers \"l,t,r,b\"",
        L"refused element <txt> in window \"root\"" + of + L"no such element kind",
        L"refused attribute extend_lef=\"3\" of text \"misspelt\"" + of + L"no attribute of the kind text",
        L"refused attribute colorText=\"#12345\" of text \"bad_colour\"" + of +
            L"no colour (#RRGGBB, #RRGGBBAA, rgb(r,g,b), rgba(r,g,b,a) or @color/key)",
        L"refused attribute show=\"yes\" of text \"bad_flag\"" + of + L"not 0 or 1",
        L"refused attribute skin=\"no_such_skin\" of img \"no_skin\"" + of + L"no such skin",
        L"refused attribute class=\"no_such_class\" of text \"no_class\"" + of + L"no such style class",
        L"refused attribute text=\"@string/no_such_string\" of text \"no_string\"" + of +
            L"the string table has no such string",
        L"refused attribute colorBkgnd=\"@color/no_such_colour\" of window \"no_colour\"" + of +
            L"the colour table has no such colour",
        L"refused attribute pos=\"1;2\" of window \"bad_pos\"" + of + L"not two or four parts of the forms n, -n, [n",
        L"refused attribute font=\"size:big\" of text \"bad_font\"" + of + L"size \"big\" is no pixel height",
        L"refused attribute cursor=\"finger\" of text \"bad_cursor\"" + of + L"no such cursor",
    };
    EXPECT_EQ(takeRefusals(), expected);

    // What was refused was not taken: the host and the elements keep their defaults.
    EXPECT_FALSE(host.IsResizable());
    wchar_t title[32] = L"?";
    GetWindowTextW(host.m_hWnd, title, 32);
    EXPECT_STREQ(title, L"");
    SWindow* root = host.FindChildByName(L"root");
    ASSERT_NE(root, nullptr);
    const Look rootLook = lookOf(root);
    EXPECT_TRUE(EqualRect(&rootLook.client, &rootLook.rect)) << "no margin";
    EXPECT_EQ(host.FindChildByName(L"misspelt")->GetLayoutParam().extend.left, 0);
    EXPECT_TRUE(host.FindChildByName(L"bad_flag")->IsVisible());
    EXPECT_EQ(host.FindChildByName(L"no_string")->GetWindowText(), L"");
    EXPECT_EQ(host.FindChildByName(L"bad_pos")->GetLayoutParam().posCount, 0);
    host.DestroyWindow();
}

TEST_F(Refusals, AttributesSetByCodeAreTakenInTheirFormsOnly) {
    SHostWnd host(L"LAYOUT:XML_TESTDLG");
    ASSERT_NE(host.Create(nullptr), nullptr);
    SWindow* text = host.FindChildByName(L"pro_text");
    ASSERT_NE(text, nullptr);
    const struct {
        const wchar_t* name;
        const wchar_t* value;
        const wchar_t* refusal;  // null: taken
    } cases[] = {
        {L"margin", L"7,5,7,5", nullptr},
        {L"margin", L" 0 , 0 , 0 , 0 ", nullptr},
        {L"margin", L"7,5,7", L"not four integers \"l,t,r,b\""},
        {L"margin", L"7;5;7;5", L"not four integers \"l,t,r,b\""},
        {L"margin", L"5", L"not four integers \"l,t,r,b\""},
        {L"margin", L"7,5,7,x", L"not four integers \"l,t,r,b\""},
        {L"extend_left", L"65", nullptr},
        {L"extend_left", L"-4", nullptr},
        {L"extend_left", L"38px", L"not an integer"},
        {L"extend_left", L"", L"not an integer"},
        {L"pos", L"203, 417", nullptr},
        {L"pos", L"0,[0,-0,-0", nullptr},
        {L"pos", L"-415,0", nullptr},
        {L"pos", L"1,2,3", L"not two or four parts of the forms n, -n, [n"},
        {L"pos", L"+1,2", L"not two or four parts of the forms n, -n, [n"},
        {L"pos", L"[,0", L"not two or four parts of the forms n, -n, [n"},
        {L"size", L"-2,-1", nullptr},
        {L"size", L"-3,5", L"not \"w,h\", each -1, -2 or a length"},
        {L"show", L"1", nullptr},
        {L"show", L"true", L"not 0 or 1"},
        {L"colorText", L"#11223344", nullptr},
        {L"colorText", L"rgba(1,2,3,4)", nullptr},
        {L"colorText", L"@color/red", nullptr},
        {L"colorText", L"rgb(300,0,0)", L"no colour (#RRGGBB, #RRGGBBAA, rgb(r,g,b), rgba(r,g,b,a) or @color/key)"},
        {L"colorText", L"red", L"no colour (#RRGGBB, #RRGGBBAA, rgb(r,g,b), rgba(r,g,b,a) or @color/key)"},
        {L"colorText", L"@color/none", L"the colour table has no such colour"},
        {L"skin", L"logo", nullptr},
        {L"skin", L"", nullptr},
        {L"skin", L"btn_log_imglist", L"no such skin"},
        {L"text", L"@string/title", nullptr},
        {L"text", L"@string/none", L"the string table has no such string"},
        {L"tip", L"@string/Title", L"the string table has no such string"},
        {L"align", L"center", nullptr},
        {L"align", L"middle", L"not left, center or right"},
        {L"valign", L"center", L"not top, middle or bottom"},
        {L"font", L"face:微软雅黑,size:13,bold:1", nullptr},
        {L"font", L"bold", L"\"bold\" is no key:value pair"},
        {L"font", L"colour:1", L"no font key \"colour\""},
        {L"textMode", L"0x25", nullptr},
        {L"textMode", L"0x", L"not a number of DT_ bits"},
        {L"alpha", L"256", L"not 0-255"},
        {L"layout", L"grid", L"not vbox or hbox"},
        {L"class", L"normalbtn", nullptr},
        {L"class", L"none", L"no such style class"},
        {L"cursor", L"finger", L"no such cursor"},
        {L"extend_lef", L"65", L"no attribute of the kind text"},
        {L"visible", L"1", L"no attribute of the kind text"},
    };
    for (const auto& c : cases) {
        const Look before = lookOf(text);
        const HRESULT hr = text->SetAttribute(c.name, c.value, FALSE);
        const Lines refused = takeRefusals();
        if (!c.refusal) {
            EXPECT_TRUE(SUCCEEDED(hr) && refused.empty())
                << testing::PrintToString(std::wstring(c.name)) << " " << souitest::describe(refused);
            continue;
        }
        EXPECT_TRUE(FAILED(hr)) << testing::PrintToString(std::wstring(c.name));
        EXPECT_EQ(refused, Lines{L"refused attribute " + std::wstring(c.name) + L"=\"" + c.value +
                                 L"\" of text \"pro_text\" of LAYOUT:XML_TESTDLG: " + c.refusal});
        EXPECT_TRUE(lookOf(text) == before)
            << "a refused value changes nothing: " << testing::PrintToString(std::wstring(c.name));
    }
    host.DestroyWindow();
}

TEST_F(Refusals, AFindIsRefusedOnlyForANameNoLayoutHasAndNoElementWasGiven) {
    SHostWnd dialog(L"LAYOUT:XML_TESTDLG");
    ASSERT_NE(dialog.Create(nullptr), nullptr);
    // Names of another layout, and names that code gave an element, may be absent here.
    EXPECT_EQ(dialog.FindChildByName(L"btn_one"), nullptr);
    SWindow* made = new SWindow;
    made->SetAttribute(L"name", L"made_by_code", TRUE);
    dialog.FindChildByName(L"pro_text")->InsertChild(made);
    SHostWnd other(L"LAYOUT:XML_TESTDLG");
    ASSERT_NE(other.Create(nullptr), nullptr);
    EXPECT_EQ(other.FindChildByName(L"made_by_code"), nullptr);
    EXPECT_EQ(dialog.FindChildByName(L"made_by_code"), made);
    EXPECT_EQ(takeRefusals(), Lines{});

    EXPECT_EQ(dialog.FindChildByName(L"btn_dir_okay"), nullptr);
    EXPECT_EQ(dialog.FindChildByName(L"BTN_DIR_OK"), nullptr);
    EXPECT_EQ(dialog.FindChildByName(nullptr), nullptr);
    const std::wstring in = L"in <host> of LAYOUT:XML_TESTDLG: no layout has an element of that name";
    EXPECT_EQ(takeRefusals(),
              (Lines{L"refused FindChildByName(\"btn_dir_okay\") " + in,
                     L"refused FindChildByName(\"BTN_DIR_OK\") " + in, L"refused FindChildByName(\"\") " + in}));
    other.DestroyWindow();
    dialog.DestroyWindow();
}

TEST_F(Refusals, MissingAndMistakenResourcesAreRefused) {
    IResProvider* provider = testProvider();
    IUiDefInfo* faulty = SUiDef::CreateUiDefInfo(provider, L"uidef:xml_faults");
    ASSERT_NE(faulty, nullptr) << "a definition with mistakes is still loaded";
    EXPECT_NE(faulty->GetSkin(L"good"), nullptr);
    EXPECT_EQ(faulty->GetSkin(L"no_image"), nullptr);
    EXPECT_EQ(faulty->GetObjAttr(L"imagebutton"), nullptr);
    faulty->Release();
    EXPECT_EQ(SUiDef::CreateUiDefInfo(provider, L"uidef:xml_none"), nullptr);
    provider->Release();

    SMenu menu;
    EXPECT_TRUE(menu.LoadMenuW(L"faults", L"SMENU"));
    EXPECT_EQ(menu.GetItemCount(), 0);
    SMenu none;
    EXPECT_FALSE(none.LoadMenuW(L"none", L"SMENU"));
    SHostWnd missing(L"LAYOUT:XML_NONE");
    EXPECT_EQ(missing.Create(nullptr), nullptr);
    EXPECT_EQ(SUiDef::GetUiDef()->GetNamedColor()->Get(L"@color/none"), CR_INVALID);
    EXPECT_EQ(TestApp::Get().app().LoadCursorW(L"NO_CURSOR"), nullptr);
    EXPECT_NE(TestApp::Get().app().LoadCursorW(IDC_HAND), nullptr);

    const std::wstring of = L" of uidef:xml_faults: ";
    const std::wstring menuOf = L" of menu \"SMENU:faults\": ";
    const Lines expected = {
        L"refused <colour>" + of + L"no part of a UI definition",
        L"refused attribute bold=\"1\" of <font>" + of + L"the default font takes face and size",
        L"refused resource \"values:no_such_table\": the provider has no such resource",
        L"refused skin \"no_image\": its image \"img:no_such_png\" is not there",
        L"refused attribute margin=\"1,2\" of skin \"bad_margin\": not four integers \"l,t,r,b\"",
        L"refused skin \"bad_kind\": no skin kind <imgstrip>",
        L"refused attribute states=\"four\" of skin \"bad_states\": not a number of states",
        L"refused <imagebutton> of the default attributes" + of + L"no such element kind",
        L"refused resource \"uidef:xml_none\": the provider has no such resource",
        L"refused attribute itemSkin=\"no_such_skin\"" + menuOf + L"no such skin",
        L"refused attribute itemHeight=\"tall\"" + menuOf + L"not a number",
        L"refused attribute colorText=\"#12\"" + menuOf +
            L"no colour (#RRGGBB, #RRGGBBAA, rgb(r,g,b), rgba(r,g,b,a) or @color/key)",
        L"refused attribute colour=\"#FFFFFF\"" + menuOf + L"no attribute of a menu",
        L"refused <item>" + menuOf + L"not <item id=\"n\">text</item>",
        L"refused menu \"SMENU:none\": no provider has such a menu",
        L"refused layout \"LAYOUT:XML_NONE\": no provider has such a layout",
        L"refused named colour \"@color/none\": the colour table has no such colour",
        L"refused LoadCursorW(\"NO_CURSOR\"): no provider has such a cursor",
    };
    EXPECT_EQ(takeRefusals(), expected);
}

TEST_F(Refusals, EachIsCountedAndAppendedToTheJournalFileOfTheEnvironment) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring path = std::wstring(temp) + L"soui-journal-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
    writeFile(path, "an earlier process's line\n");
    ASSERT_TRUE(SetEnvironmentVariableW(L"BRAVIK_SOUI_JOURNAL", path.c_str()));
    const int before = SouiRefusalCount();
    SUiDef::GetUiDef()->GetNamedString()->Get(L"@string/标题");
    SUiDef::GetUiDef()->GetNamedColor()->Get(L"@color/none");
    SetEnvironmentVariableW(L"BRAVIK_SOUI_JOURNAL", nullptr);
    SUiDef::GetUiDef()->GetNamedColor()->Get(L"@color/none");
    EXPECT_EQ(SouiRefusalCount() - before, 3);
    EXPECT_EQ(takeRefusals().size(), 3u);

    const std::string text = readFile(path);
    DeleteFileW(path.c_str());
    EXPECT_EQ(text,
              "an earlier process's line\n"
              "refused named string \"@string/\xE6\xA0\x87\xE9\xA2\x98\": the string table has no such string\n"
              "refused named colour \"@color/none\": the colour table has no such colour\n");
}

}  // namespace
