// Part 1 of the UI library: modules, application object, resources, UI definition, images.
#include <windows.h>

#include <gtest/gtest.h>
#include <soui/soui.h>

#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "TestApp.h"
#include "UiRefusals.h"

using namespace SOUI;
using soui_test::TestApp;

namespace {

// Runs first: nothing has loaded a UI definition yet.
TEST(UiDef, IsNullBeforeAnyDefinitionIsLoaded) {
    EXPECT_EQ(SUiDef::GetUiDef(), nullptr);
    EXPECT_EQ(SUiDef::getSingleton().GetUiDef(), nullptr);
}

TEST(Modules, LoadByNameAndGiveTheirFactories) {
    for (const wchar_t* dll : {L"render-gdi.dll", L"imgdecoder-gdip.dll"}) {
        soui_test::LoadedFactory f = soui_test::LoadFactory(dll);
        ASSERT_NE(f.module, nullptr) << dll;
        ASSERT_NE(f.object, nullptr) << dll;
        EXPECT_EQ(f.object->AddRef(), 2);
        EXPECT_EQ(f.object->Release(), 1);
        EXPECT_EQ(f.object->Release(), 0);
    }
    // A resource-only module: loads, no code to call.
    HMODULE sys = LoadLibraryW(L"soui-sys-resource.dll");
    ASSERT_NE(sys, nullptr);
    FreeLibrary(sys);
}

TEST(UiDef, LoadsFromResourcesAndReadsNamedStrings) {
    TestApp::Get();
    IUiDefInfo* def = SUiDef::GetUiDef();
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(def->GetNamedString()->Get(L"@string/title"), L"测试窗口1.0");
    EXPECT_EQ(def->GetNamedString()->Get(L"@string/query"), L"a=1&b=2");
    EXPECT_EQ(def->GetNamedString()->Get(L"@string/missing"), L"");
    EXPECT_EQ(def->GetNamedString()->Get(L"@string/Title"), L"") << "keys compare exactly";
    EXPECT_EQ(
        souitest::takeRefusals(),
        (std::vector<std::wstring>{L"refused named string \"@string/missing\": the string table has no such string",
                                   L"refused named string \"@string/Title\": the string table has no such string"}));
    EXPECT_EQ(def->GetNamedString()->Get(L"plain text"), L"plain text");
    EXPECT_EQ(def->GetNamedColor()->Get(L"@color/red"), RGBA(255, 0, 0, 255));
    EXPECT_EQ(def->GetDefFontFace(), L"微软雅黑");
    EXPECT_EQ(def->GetDefFontSize(), 14);
    const SAttrList* cls = def->GetStyleClass(L"normalbtn");
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls->size(), 6u);
    EXPECT_EQ((*cls)[0].first, L"font");
    EXPECT_NE(def->GetSkin(L"btn_test_imglist"), nullptr);
    EXPECT_EQ(def->GetSkin(L"no_such_skin"), nullptr);
}

TEST(Resources, LookupsIgnoreTheCaseOfTypeAndName) {
    SApplication& app = TestApp::Get().app();
    std::string upper, lower, mixed;
    ASSERT_TRUE(app.GetRawBuffer(L"IMG:BTN_TEST_PNG", upper));
    ASSERT_TRUE(app.GetRawBuffer(L"img:btn_test_png", lower));
    ASSERT_TRUE(app.GetRawBuffer(L"Img:Btn_Test_Png", mixed));
    EXPECT_EQ(upper, lower);
    EXPECT_EQ(upper, mixed);
    EXPECT_EQ(upper.substr(1, 3), "PNG");
    EXPECT_TRUE(app.HasResource(L"values:string"));
    EXPECT_TRUE(app.HasResource(L"layout:xml_testwnd"));
    EXPECT_TRUE(app.HasResource(L"values:english_only")) << "another language when 2052 has none";
    EXPECT_FALSE(app.HasResource(L"img:nothing"));
    EXPECT_FALSE(app.HasResource(L"no colon"));
    EXPECT_FALSE(app.HasResource(L":"));
}

TEST(Resources, LoadsSystemCursorsById) {
    SApplication& app = TestApp::Get().app();
    EXPECT_EQ(app.LoadCursorW(IDC_HAND, FALSE), LoadCursorW(nullptr, IDC_HAND));
    EXPECT_EQ(app.LoadCursorW(IDC_SIZEALL, FALSE), LoadCursorW(nullptr, IDC_SIZEALL));
}

TEST(Resources, UnknownProviderKindIsRefused) {
    IObjRef* obj = nullptr;
    EXPECT_FALSE(CreateResProvider(static_cast<BUILTIN_RESTYPE>(7), &obj));
    EXPECT_EQ(obj, nullptr);
}

TEST(NamedIds, ResolveCaseSensitivelyFromASortedTable) {
    SApplication& app = TestApp::Get().app();
    static const TNAMEDVALUE<int> table[] = {
        {L"_name_start", 65535}, {L"btn_close", 65540}, {L"btn_dir_cancel", 2},
        {L"btn_dir_ok", 1},      {L"pdf_control", 101}, {L"root", 65536},
    };
    EXPECT_EQ(app.InitXmlNamedID(table, 6, TRUE), 6);
    EXPECT_EQ(app.GetNamedID(L"btn_close"), 65540);
    EXPECT_EQ(app.GetNamedID(L"btn_dir_ok"), 1);
    EXPECT_EQ(app.GetNamedID(L"btn_dir_cancel"), 2);
    EXPECT_EQ(app.GetNamedID(L"pdf_control"), 101);
    EXPECT_EQ(app.GetNamedID(L"root"), 65536);
    EXPECT_EQ(app.GetNamedID(L"BTN_CLOSE"), 0) << "letter case counts";
    EXPECT_EQ(app.GetNamedID(L"btn_clos"), 0);
    EXPECT_EQ(app.GetNamedID(nullptr), 0);
    // A table handed over unsorted still resolves.
    static const TNAMEDVALUE<int> unsorted[] = {{L"zeta", 3}, {L"alpha", 1}, {L"Mid", 2}};
    app.InitXmlNamedID(unsorted, 3, FALSE);
    EXPECT_EQ(app.GetNamedID(L"alpha"), 1);
    EXPECT_EQ(app.GetNamedID(L"Mid"), 2);
    EXPECT_EQ(app.GetNamedID(L"zeta"), 3);
    EXPECT_EQ(souitest::takeRefusals(), std::vector<std::wstring>{});
    // One that claims to be sorted but is not would make a look-up by halves miss.
    app.InitXmlNamedID(unsorted, 3, TRUE);
    EXPECT_EQ(souitest::takeRefusals(),
              std::vector<std::wstring>{
                  L"refused InitXmlNamedID(3 records, sorted): the records are not in ordinal order of their names"});
    EXPECT_EQ(app.GetNamedID(L"zeta"), 3);
    app.InitXmlNamedID(table, 6, TRUE);
}

TEST(Images, PngStateStripDecodesWithSizeAndAlpha) {
    TestApp& t = TestApp::Get();
    std::string png;
    ASSERT_TRUE(t.app().GetRawBuffer(L"img:btn_test_png", png));
    IImgX* img = nullptr;
    ASSERT_TRUE(t.decoder()->DecodeImage(png.data(), png.size(), &img));
    EXPECT_EQ(img->Width(), 40u);
    EXPECT_EQ(img->Height(), 160u);
    auto px = [img](UINT x, UINT y) { return img->Pixels() + (static_cast<size_t>(y) * img->Width() + x) * 4; };
    EXPECT_EQ(px(0, 0)[3], 0) << "corner transparent";
    EXPECT_EQ(px(10, 10)[3], 255);
    // Face 2 (pressed) is #DD2421: BGRA order.
    const BYTE* pressed = px(10, 80 + 10);
    EXPECT_EQ(pressed[2], 0xDD);
    EXPECT_EQ(pressed[1], 0x24);
    EXPECT_EQ(pressed[0], 0x21);
    img->Release();

    // Half-transparent pixels arrive premultiplied.
    std::string logo;
    ASSERT_TRUE(t.app().GetRawBuffer(L"img:logo_png", logo));
    ASSERT_TRUE(t.decoder()->DecodeImage(logo.data(), logo.size(), &img));
    const BYTE* centre = img->Pixels() + (11 * 22 + 11) * 4;
    EXPECT_EQ(centre[3], 128);
    EXPECT_NEAR(centre[0], 0xD5 * 128 / 255, 1);
    img->Release();
}

TEST(Images, JpegDecodesAndGarbageIsRefused) {
    TestApp& t = TestApp::Get();
    std::string jpg;
    ASSERT_TRUE(t.app().GetRawBuffer(L"img:photo_jpg", jpg));
    IImgX* img = nullptr;
    ASSERT_TRUE(t.decoder()->DecodeImage(jpg.data(), jpg.size(), &img));
    EXPECT_EQ(img->Width(), 16u);
    EXPECT_EQ(img->Height(), 12u);
    EXPECT_EQ(img->Pixels()[3], 255);
    img->Release();
    const char junk[] = "not an image at all";
    img = nullptr;
    EXPECT_FALSE(t.decoder()->DecodeImage(junk, sizeof(junk), &img));
    EXPECT_EQ(img, nullptr);
}

TEST(Skins, StripFacesAreDividedEvenly) {
    TestApp::Get();
    ISkinObj* vertical = SUiDef::GetUiDef()->GetSkin(L"btn_test_imglist");
    ASSERT_NE(vertical, nullptr);
    EXPECT_EQ(vertical->GetStates(), 4);
    EXPECT_EQ(vertical->GetSkinSize().cx, 40);
    EXPECT_EQ(vertical->GetSkinSize().cy, 40);
    ISkinObj* horizontal = SUiDef::GetUiDef()->GetSkin(L"strip_h_imglist");
    ASSERT_NE(horizontal, nullptr);
    EXPECT_EQ(horizontal->GetSkinSize().cx, 100);
    EXPECT_EQ(horizontal->GetSkinSize().cy, 26);
}

TEST(Skins, SystemSkinsOutliveTheirModule) {
    SApplication& app = TestApp::Get().app();
    HMODULE sys = LoadLibraryW(L"soui-sys-resource.dll");
    ASSERT_NE(sys, nullptr);
    IObjRef* obj = nullptr;
    ASSERT_TRUE(CreateResProvider(RES_PE, &obj));
    auto* provider = static_cast<IResProvider*>(obj);
    ASSERT_TRUE(provider->Init(reinterpret_cast<WPARAM>(sys), 0));
    EXPECT_EQ(app.LoadSystemNamedResource(provider), 1u);
    FreeLibrary(sys);
    EXPECT_EQ(provider->Release(), 0);

    // Drawn after the module went: its face is in memory.
    SWindow probe;
    probe.SetAttribute(L"skin", L"_skin.btn.wechatDlg_close", TRUE);
    ASSERT_NE(probe.GetSkin(), nullptr);
    EXPECT_EQ(probe.GetSkin()->GetStates(), 4);
    EXPECT_EQ(probe.GetSkin()->GetSkinSize().cx, 34);
    EXPECT_EQ(probe.GetSkin()->GetSkinSize().cy, 34);
    IRenderTarget* target = nullptr;
    ASSERT_TRUE(TestApp::Get().render()->CreateRenderTarget(&target, 34, 34));
    target->Clear(0);
    probe.GetSkin()->Draw(target, {0, 0, 34, 34}, 0, 255);
    HDC dc = target->GetDC(0);
    EXPECT_EQ(GetPixel(dc, 2, 2), RGB(0xF0, 0xF0, 0xF0));
    target->ReleaseDC(dc);
    target->Release();
}

TEST(Factories, RegisterCopiesAndKeepsTheFirstUnlessReplaced) {
    SApplication& app = TestApp::Get().app();
    EXPECT_TRUE(app.HasFactory(L"imgbtn"));
    EXPECT_FALSE(app.RegisterFactory(TplSObjectFactory<SStatic>(), FALSE)) << "text is registered already";
    {
        TplSObjectFactory<SImageButton> temporary;
        EXPECT_TRUE(app.RegisterFactory(temporary, TRUE));
    }
    SWindow* w = app.CreateWindowByName(L"imgbtn");
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->IsClass(L"imgbtn"));
    EXPECT_TRUE(w->IsClass(L"button"));
    EXPECT_TRUE(w->IsClass(L"window"));
    EXPECT_FALSE(w->IsClass(L"text"));
    delete w;
    EXPECT_EQ(app.CreateWindowByName(L"ImgBtn"), nullptr) << "class names compare exactly";
}

TEST(Strings, CodePageConversionsOfCountedStrings) {
    // The thread's code page is 936 under the test runner; the system relies on it and on UTF-8.
    const SStringW tip = L"提示";
    const SStringA acp = SStrCpCvt::CvtW2A(tip, CP_THREAD_ACP);
    EXPECT_EQ(acp.GetLength(), 4);
    EXPECT_EQ(SStrCpCvt::CvtA2W(acp, CP_THREAD_ACP), tip);
    const SStringA utf8 = SStrCpCvt::CvtW2A(tip, CP_UTF8);
    EXPECT_EQ(utf8.GetLength(), 6);
    EXPECT_EQ(SStrCpCvt::CvtA2W(utf8, CP_UTF8), tip);
    EXPECT_TRUE(SStrCpCvt::CvtW2A(SStringW(), 0).IsEmpty());
    SStringA cmd;
    cmd.Format("regsvr32  \"%s\" ", SStrCpCvt::CvtW2A(L"C:\\app\\wke.dll", 0).c_str());
    EXPECT_EQ(cmd, "regsvr32  \"C:\\app\\wke.dll\" ");
}

}  // namespace

namespace {

// The target's pixels (premultiplied BGRA, top row first), read through its DC.
std::vector<BYTE> ReadPixels(IRenderTarget* target) {
    const SIZE sz = target->GetSize();
    std::vector<BYTE> bits(static_cast<size_t>(sz.cx) * sz.cy * 4);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = sz.cx;
    bi.bmiHeader.biHeight = -sz.cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    HDC dc = target->GetDC(0);
    GetDIBits(dc, static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP)), 0, sz.cy, bits.data(), &bi, DIB_RGB_COLORS);
    target->ReleaseDC(dc);
    return bits;
}

TEST(Render, GdiOutputThroughTheTargetsDcBecomesOpaque) {
    IRenderTarget* target = nullptr;
    ASSERT_TRUE(TestApp::Get().render()->CreateRenderTarget(&target, 20, 20));
    target->Clear(0);
    target->PushClipRect({0, 0, 10, 20});
    HDC dc = target->GetDC(0);
    RECT all = {0, 0, 20, 20};
    HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
    FillRect(dc, &all, brush);  // clipped to the left half
    DeleteObject(brush);
    target->ReleaseDC(dc);
    target->PopClip();
    // Read the pixels back: left half opaque, right half untouched (transparent).
    const std::vector<BYTE> pixels = ReadPixels(target);
    const BYTE* px = pixels.data();
    EXPECT_EQ(px[(5 * 20 + 2) * 4 + 3], 255);
    EXPECT_EQ(px[(5 * 20 + 2) * 4 + 2], 10);
    EXPECT_EQ(px[(5 * 20 + 15) * 4 + 3], 0);
    target->Release();
}

TEST(Render, TextKeepsAlphaAndColour) {
    IRenderTarget* target = nullptr;
    ASSERT_TRUE(TestApp::Get().render()->CreateRenderTarget(&target, 60, 30));
    target->Clear(0);
    IFont* font = nullptr;
    LOGFONTW lf = {};
    lf.lfHeight = -20;
    lf.lfWeight = FW_BOLD;
    wcscpy(lf.lfFaceName, L"微软雅黑");
    ASSERT_TRUE(TestApp::Get().render()->CreateFont(&font, lf));
    target->DrawText(L"国", 1, {0, 0, 60, 30}, DT_LEFT | DT_TOP | DT_SINGLELINE, font, RGBA(255, 0, 0, 255));
    const SIZE sz = target->MeasureText(L"国国", 2, font, DT_SINGLELINE, -1);
    EXPECT_GT(sz.cx, 20);
    EXPECT_GE(sz.cy, 20);
    const std::vector<BYTE> bits = ReadPixels(target);
    int opaque = 0;
    for (int i = 0; i < 60 * 30; ++i) {
        const BYTE* p = bits.data() + i * 4;
        if (p[3] == 255) {
            ++opaque;
            EXPECT_EQ(p[2], 255);
            EXPECT_EQ(p[1], 0);
        }
        EXPECT_LE(p[2], p[3]) << "premultiplied";
    }
    EXPECT_GT(opaque, 10) << "the glyph's inside is fully covered";
    font->Release();
    target->Release();
}

// The columns (or rows) that hold ink of any alpha, [first, last], or {-1, -1} for none.
std::pair<int, int> InkSpan(IRenderTarget* target, bool columns) {
    const SIZE sz = target->GetSize();
    const std::vector<BYTE> bits = ReadPixels(target);
    const int outer = columns ? sz.cx : sz.cy;
    const int inner = columns ? sz.cy : sz.cx;
    std::pair<int, int> ink = {-1, -1};
    for (int i = 0; i < outer; ++i) {
        for (int j = 0; j < inner; ++j) {
            const int x = columns ? i : j;
            const int y = columns ? j : i;
            if (bits[(static_cast<size_t>(y) * sz.cx + x) * 4 + 3] != 0) {
                ink.first = ink.first < 0 ? i : ink.first;
                ink.second = i;
                break;
            }
        }
    }
    return ink;
}
std::pair<int, int> InkColumns(IRenderTarget* target) {
    return InkSpan(target, true);
}
std::pair<int, int> InkRows(IRenderTarget* target) {
    return InkSpan(target, false);
}

TEST(Render, ItalicTextFitsTheExtentItIsMeasuredWith) {
    // The slant of an italic face reaches past the advance of its last character; an element sized
    // by the measure must still show all of it.
    for (const wchar_t* text : {L"如何把PDF转换为Word", L"Hdf", L"lll"}) {
        for (LONG height : {-14L, -30L}) {
            IFont* font = nullptr;
            LOGFONTW lf = {};
            lf.lfHeight = height;
            lf.lfItalic = TRUE;
            wcscpy(lf.lfFaceName, L"微软雅黑");
            ASSERT_TRUE(TestApp::Get().render()->CreateFont(&font, lf));
            const int length = static_cast<int>(wcslen(text));
            IRenderTarget* target = nullptr;
            ASSERT_TRUE(TestApp::Get().render()->CreateRenderTarget(&target, 400, 60));
            const SIZE extent = target->MeasureText(text, length, font, DT_SINGLELINE, -1);
            // Drawn with room to spare, the ink stays inside the measured extent...
            target->Clear(0);
            const int left = 20;
            target->DrawText(text, length, {left, 0, 400, 60}, DT_LEFT | DT_TOP | DT_SINGLELINE, font,
                             RGBA(0, 0, 0, 255));
            const std::pair<int, int> wide = InkColumns(target);
            ASSERT_GE(wide.first, 0) << "nothing drawn";
            EXPECT_GE(wide.first, left) << height;
            EXPECT_LT(wide.second, left + extent.cx) << height;
            // ... so drawn in exactly that extent, with a clip of it, nothing is lost.
            target->Clear(0);
            const RECT exact = {left, 0, left + extent.cx, extent.cy};
            target->PushClipRect(exact);
            target->DrawText(text, length, exact, DT_LEFT | DT_TOP | DT_SINGLELINE, font, RGBA(0, 0, 0, 255));
            target->PopClip();
            EXPECT_EQ(InkColumns(target), wide) << height;
            target->Release();
            font->Release();
        }
    }
}

// A text element whose text a test paints straight into a target.
class PaintedText : public SStatic {
  public:
    PaintedText(const wchar_t* text, int spacing) {
        SetAttribute(L"multiLines", L"1", TRUE);
        SetAttribute(L"font", L"size:13", TRUE);
        SetAttribute(L"lineSpacing", std::to_wstring(spacing).c_str(), TRUE);
        SetWindowText(text);
    }
    void Paint(IRenderTarget* target, const RECT& rc) { DrawWindowText(target, rc); }
};

TEST(Render, MultiLineTextKeepsItsLineSpacing) {
    const int width = 120;
    // Measured: the spacing adds to the height once between each two lines, and the lines are the
    // ones the text has without spacing (wrapped between ideographs, or at blanks).
    for (const wchar_t* wrapped : {L"这是一段会换行的较长的文字，用来检查多行文本的排列是否正确。",
                                   L"The quick brown fox jumps over the lazy dog, twice over.", L"one\ntwo\n\nfour"}) {
        const int h0 = PaintedText(wrapped, 0).GetDesiredSize(width).cy;
        const int h3 = PaintedText(wrapped, 3).GetDesiredSize(width).cy;
        const int h9 = PaintedText(wrapped, 9).GetDesiredSize(width).cy;
        ASSERT_EQ((h9 - h3) % 6, 0);
        const int lines = (h9 - h3) / 6 + 1;
        ASSERT_GE(lines, 3) << "the text wraps";
        EXPECT_EQ(h3 - 3 * (lines - 1), h0) << "the same lines as without spacing: " << lines;
    }
    const wchar_t* text = L"这是一段会换行的较长的文字，用来检查多行文本的排列是否正确。";
    const int lines =
        (PaintedText(text, 9).GetDesiredSize(width).cy - PaintedText(text, 3).GetDesiredSize(width).cy) / 6 + 1;

    // Drawn: the ink of the block grows by the spacing between each two lines.
    IRenderTarget* target = nullptr;
    ASSERT_TRUE(TestApp::Get().render()->CreateRenderTarget(&target, width, 200));
    auto inkHeight = [&](int spacing) {
        target->Clear(0);
        PaintedText(text, spacing).Paint(target, {0, 0, width, 200});
        const std::pair<int, int> rows = InkRows(target);
        return rows.second - rows.first;
    };
    const int plain = inkHeight(0);
    EXPECT_EQ(inkHeight(12), plain + 12 * (lines - 1));
    EXPECT_EQ(inkHeight(0), plain) << "no spacing draws as before";
    target->Release();
}

}  // namespace
