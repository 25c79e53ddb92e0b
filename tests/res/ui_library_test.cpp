#include "ui_library.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <soui/soui.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "UiRefusals.h"
#include "expected.h"
#include "xml_fixture.h"

namespace {

using resfixture::utf8;

// The library's log lines (its debugger output) while it lives, taken from the exception by which
// OutputDebugString reaches a debugger.
class LibraryLog {
  public:
    LibraryLog() : handler_(AddVectoredExceptionHandler(1, &LibraryLog::onException)) { current_ = this; }
    LibraryLog(const LibraryLog&) = delete;
    LibraryLog& operator=(const LibraryLog&) = delete;
    ~LibraryLog() {
        RemoveVectoredExceptionHandler(handler_);
        current_ = nullptr;
    }
    const std::vector<std::string>& lines() const { return lines_; }

  private:
    static LONG CALLBACK onException(EXCEPTION_POINTERS* info) {
        const EXCEPTION_RECORD* record = info->ExceptionRecord;
        // The narrow form comes for every line, also after the wide one.
        if (current_ && record->ExceptionCode == DBG_PRINTEXCEPTION_C && record->NumberParameters >= 2) {
            const auto* text = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
            std::string line(text, record->ExceptionInformation[0] ? record->ExceptionInformation[0] - 1 : 0);
            if (line.rfind("soui: ", 0) == 0)
                current_->lines_.push_back(line);
        }
        return EXCEPTION_CONTINUE_SEARCH;
    }

    static inline LibraryLog* current_ = nullptr;
    PVOID handler_;
    std::vector<std::string> lines_;
};

// One UI library for the whole run, started as the program starts it.
class UiEnvironment : public testing::Environment {
  public:
    void SetUp() override {
        LibraryLog log;
        library_ = std::make_unique<resfixture::UiLibrary>();
        error_ = library_->start();
        startLog_ = log.lines();
    }
    void TearDown() override { library_.reset(); }

    static resfixture::UiLibrary& library() { return *instance_->library_; }
    static const std::wstring& error() { return instance_->error_; }
    static const std::vector<std::string>& startLog() { return instance_->startLog_; }
    static UiEnvironment* instance_;

  private:
    std::unique_ptr<resfixture::UiLibrary> library_;
    std::wstring error_;
    std::vector<std::string> startLog_;
};

UiEnvironment* UiEnvironment::instance_ =
    static_cast<UiEnvironment*>(testing::AddGlobalTestEnvironment(new UiEnvironment));

#define ASSERT_LIBRARY_STARTED() ASSERT_EQ(utf8(UiEnvironment::error()), "") << "UI library did not start"

SOUI::IUiDefInfo* uiDef() {
    return SOUI::SUiDef::GetUiDef();
}

void forEachElement(SOUI::SWindow* element, const std::function<void(SOUI::SWindow*)>& visit) {
    visit(element);
    for (int i = 0; i < element->GetChildrenCount(); ++i)
        forEachElement(element->GetChild(i), visit);
}

std::wstring layoutResource(const expected::LayoutInfo& layout) {
    return L"LAYOUT:" + std::wstring(layout.resource);
}

std::wstring elementClass(std::string_view kind) {
    return kind == "root" ? L"window" : std::wstring(kind.begin(), kind.end());
}

// A host window built from a layout, destroyed at the end of the scope.
class BuiltLayout {
  public:
    explicit BuiltLayout(const std::wstring& resource) : host_(resource.c_str()), hwnd_(host_.Create(nullptr)) {}
    BuiltLayout(const BuiltLayout&) = delete;
    BuiltLayout& operator=(const BuiltLayout&) = delete;
    ~BuiltLayout() {
        if (host_.IsWindow())
            host_.DestroyWindow();
        SOUI::SFlushDeferredDeletes();
    }

    SOUI::SHostWnd& host() { return host_; }
    HWND hwnd() const { return hwnd_; }
    SOUI::SWindow* find(const wchar_t* name) { return host_.FindChildByName(name); }

  private:
    SOUI::SHostWnd host_;
    HWND hwnd_;
};

}  // namespace

namespace {

class LayoutInLibrary : public testing::TestWithParam<expected::LayoutInfo> {
  protected:
    void SetUp() override {
        ASSERT_LIBRARY_STARTED();
        LibraryLog log;
        built_ = std::make_unique<BuiltLayout>(layoutResource(GetParam()));
        buildLog_ = log.lines();
        host_ = &built_->host();
        hwnd_ = built_->hwnd();
        ASSERT_NE(hwnd_, nullptr) << "the layout did not build";
    }
    void TearDown() override { built_.reset(); }

    std::unique_ptr<BuiltLayout> built_;
    std::vector<std::string> buildLog_;
    SOUI::SHostWnd* host_ = nullptr;
    HWND hwnd_ = nullptr;
};

TEST_P(LayoutInLibrary, TakesTheLayoutsSizeTitleAndLook) {
    const auto& want = GetParam();
    RECT rc;
    ASSERT_TRUE(GetWindowRect(hwnd_, &rc));
    EXPECT_EQ(rc.right - rc.left, want.width);
    EXPECT_EQ(rc.bottom - rc.top, want.height);
    EXPECT_EQ(host_->IsResizable() != FALSE, want.resizable);
    EXPECT_EQ(host_->IsTranslucent() != FALSE, want.translucent);

    wchar_t title[128] = {};
    GetWindowTextW(hwnd_, title, 128);
    const std::wstring wantTitle = want.title == L"@string/title" ? L"BravikPDF编辑器3.2.7" : std::wstring(want.title);
    EXPECT_EQ(utf8(title), utf8(wantTitle));

    // The program's icon for the main window and the guide; the dialogs name one it does not hold.
    const bool ownIcon = want.bigIcon == L"ICON_LOGO:32";
    EXPECT_EQ(SendMessageW(hwnd_, WM_GETICON, ICON_BIG, 0) != 0, ownIcon);
    EXPECT_EQ(SendMessageW(hwnd_, WM_GETICON, ICON_SMALL, 0) != 0, ownIcon);
}

// Unknown attributes, element kinds, skins or style classes are only logged by the library, so a
// misspelt one would silently do nothing.
TEST_P(LayoutInLibrary, BuildsWithoutAComplaintFromTheLibrary) {
    for (const auto& line : buildLog_)
        ADD_FAILURE() << line;
}

TEST_P(LayoutInLibrary, HoldsItsNamedControlsWithKindAndId) {
    const auto& layout = GetParam();
    for (const auto& named : expected::kNamedIds) {
        const std::wstring name(named.name);
        std::vector<SOUI::SWindow*> found;
        forEachElement(host_, [&](SOUI::SWindow* e) {
            if (e->GetName() == name.c_str())
                found.push_back(e);
        });
        if (!(named.layouts & layout.bit)) {
            EXPECT_TRUE(found.empty()) << utf8(name) << " is not declared here";
            continue;
        }
        ASSERT_EQ(found.size(), static_cast<size_t>(named.count)) << utf8(name);
        EXPECT_EQ(host_->FindChildByName(name.c_str()), found.front()) << utf8(name);
        for (SOUI::SWindow* element : found) {
            EXPECT_EQ(utf8(element->GetObjectClass()), utf8(elementClass(named.kind))) << utf8(name);
            EXPECT_EQ(element->GetID(), expected::idIn(layout.bit, named)) << utf8(name);
        }
    }
}

TEST_P(LayoutInLibrary, EverySkinItNamesIsFound) {
    int skinned = 0;
    forEachElement(host_, [&](SOUI::SWindow* e) {
        if (e->GetSkinName().IsEmpty())
            return;
        ++skinned;
        EXPECT_NE(e->GetSkin(), nullptr) << utf8(e->GetSkinName().c_str()) << " of " << utf8(e->GetName().c_str());
    });
    EXPECT_GT(skinned, 0);
}

INSTANTIATE_TEST_SUITE_P(Layouts, LayoutInLibrary, testing::ValuesIn(expected::kLayouts), [](const auto& param) {
    return utf8(param.param.resource);
});

TEST(LayoutDetails, MainWindowAsksForThePdfControlsWindow) {
    ASSERT_LIBRARY_STARTED();
    const size_t before = UiEnvironment::library().realWndRequests().size();
    BuiltLayout main(L"LAYOUT:XML_MAINWND");
    ASSERT_NE(main.hwnd(), nullptr);
    const auto& requests = UiEnvironment::library().realWndRequests();
    ASSERT_EQ(requests.size(), before + 1);
    const auto& request = requests.back();
    EXPECT_EQ(utf8(request.name), "pdf_control");
    EXPECT_EQ(utf8(request.className), "PXVControl");
    EXPECT_EQ(utf8(request.windowName), "pdf_control_wnd");
    EXPECT_EQ(request.id, 101);
    // Restore starts hidden under maximise.
    EXPECT_FALSE(main.find(L"btn_restore")->IsVisible());
    EXPECT_TRUE(main.find(L"btn_max")->IsVisible());
    EXPECT_EQ(utf8(main.find(L"user_name")->GetWindowText().c_str()), "未登录");
}

TEST(LayoutDetails, SignInDialogGivesTheWebViewAnEmptyAddress) {
    ASSERT_LIBRARY_STARTED();
    BuiltLayout dialog(L"LAYOUT:XML_WKEDLG");
    ASSERT_NE(dialog.hwnd(), nullptr);
    auto* view = dialog.host().FindChildByName2<resfixture::TestWebView>(L"wke_test");
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->urlGiven);
    EXPECT_TRUE(view->url.IsEmpty());
    EXPECT_EQ(utf8(dialog.find(L"title_name")->GetWindowText().c_str()), "登录");
}

TEST(LayoutDetails, PromptsOkButtonIsCommandOne) {
    ASSERT_LIBRARY_STARTED();
    BuiltLayout tip(L"LAYOUT:XML_TIP");
    ASSERT_NE(tip.hwnd(), nullptr);
    EXPECT_EQ(tip.host().FindChildByID(1), tip.find(L"btn_dir_ok"));
    EXPECT_EQ(tip.host().FindChildByID(2), tip.find(L"btn_dir_cancel"));
    EXPECT_EQ(tip.host().FindChildByID(8), tip.find(L"btn_close"));
}

TEST(LayoutDetails, GuideStartsOnItsFirstPageWithOnlyStartAndClose) {
    ASSERT_LIBRARY_STARTED();
    BuiltLayout guide(L"LAYOUT:XML_GUIDE");
    ASSERT_NE(guide.hwnd(), nullptr);
    EXPECT_EQ(utf8(guide.find(L"root")->GetSkinName().c_str()), "bg_guide1_imglist");
    for (const wchar_t* shown : {L"btn_close", L"btn_start"})
        EXPECT_TRUE(guide.find(shown)->IsVisible());
    for (const wchar_t* hidden : {L"btn_reGuide", L"btn_iKown", L"btn_end", L"btn_cancel"}) {
        EXPECT_FALSE(guide.find(hidden)->IsVisible()) << utf8(hidden);
    }
}

TEST(UiDefinition, LoadsWithItsTablesWithoutAComplaint) {
    ASSERT_LIBRARY_STARTED();
    for (const auto& line : UiEnvironment::startLog())
        ADD_FAILURE() << line;
    ASSERT_NE(uiDef(), nullptr);
    EXPECT_EQ(utf8(uiDef()->GetDefFontFace().c_str()), "微软雅黑");
    EXPECT_EQ(uiDef()->GetDefFontSize(), 14);
    EXPECT_NE(uiDef()->GetStyleClass(L"normalbtn"), nullptr);
    EXPECT_NE(uiDef()->GetStyleClass(L"cls_btn_weblink"), nullptr);
    // Colours carry their opacity in the top byte.
    EXPECT_EQ(uiDef()->GetNamedColor()->Get(L"@color/gray"), 0xFF000000u | RGB(0x80, 0x80, 0x80));
    EXPECT_EQ(uiDef()->GetNamedColor()->Get(L"@color/red"), 0xFF000000u | RGB(255, 0, 0));
    EXPECT_EQ(uiDef()->GetNamedColor()->Get(L"@color/white"), 0xFF000000u | RGB(255, 255, 255));
}

TEST(StringTable, ReadsBackThroughTheLibrary) {
    ASSERT_LIBRARY_STARTED();
    ASSERT_NE(uiDef(), nullptr);
    SOUI::SNamedString* strings = uiDef()->GetNamedString();
    ASSERT_NE(strings, nullptr);
    EXPECT_EQ(utf8(strings->Get(L"@string/title").c_str()), "BravikPDF编辑器3.2.7");
    EXPECT_EQ(utf8(strings->Get(L"@string/version").c_str()), "3.2.7");
    EXPECT_EQ(utf8(strings->Get(L"@string/prover").c_str()), "327");
    EXPECT_EQ(utf8(strings->Get(L"@string/controlFile").c_str()), "wke.dll");
    // The query's separators arrive unescaped.
    const std::string custom = utf8(strings->Get(L"@string/customUrl").c_str());
    EXPECT_NE(custom.find("&wp=1&gid="), std::string::npos) << custom;
    EXPECT_EQ(utf8(strings->Get(L"@string/Title").c_str()), "") << "keys compare exactly";
    EXPECT_EQ(
        souitest::takeRefusals(),
        std::vector<std::wstring>{L"refused named string \"@string/Title\": the string table has no such string"});
}

TEST(SkinTable, EverySkinDecodesIntoItsStates) {
    ASSERT_LIBRARY_STARTED();
    for (const auto& want : expected::kSkins) {
        const std::wstring name(want.name);
        SOUI::ISkinObj* skin = uiDef()->GetSkin(name.c_str());
        ASSERT_NE(skin, nullptr) << utf8(name);
        EXPECT_EQ(skin->GetStates(), want.states) << utf8(name);
        const auto image = std::find_if(std::begin(expected::kImages), std::end(expected::kImages),
                                        [&](const auto& i) { return i.name == want.image; });
        ASSERT_NE(image, std::end(expected::kImages));
        const SIZE face = skin->GetSkinSize();
        EXPECT_EQ(face.cx, want.vertical ? image->width : image->width / want.states) << utf8(name);
        EXPECT_EQ(face.cy, want.vertical ? image->height / want.states : image->height) << utf8(name);
    }
}

TEST(SkinTable, CodesSkinsAreThere) {
    ASSERT_LIBRARY_STARTED();
    for (const auto name : expected::kSkinsNamedByCode) {
        EXPECT_NE(uiDef()->GetSkin(std::wstring(name).c_str()), nullptr) << utf8(name);
    }
    // The library's own skin comes from its system resources, not from the program's table.
    EXPECT_EQ(uiDef()->GetSkin(std::wstring(expected::kSystemSkin).c_str()), nullptr);
    EXPECT_TRUE(UiEnvironment::library().systemResourcesLoaded());
}

TEST(NamedIds, LibraryFindsExactNamesOnly) {
    ASSERT_LIBRARY_STARTED();
    SOUI::SApplication* app = UiEnvironment::library().app();
    EXPECT_EQ(UiEnvironment::library().namedIdsRegistered(), 46);
    for (const auto& named : expected::kNamedIds) {
        EXPECT_EQ(app->GetNamedID(std::wstring(named.name).c_str()), named.id) << utf8(named.name);
    }
    for (const wchar_t* other : {L"BTN_CLOSE", L"Btn_close", L"btn_ikown", L"ROOT", L"PDF_CONTROL"}) {
        EXPECT_EQ(app->GetNamedID(other), 0) << utf8(other);
    }
}

TEST(Icons, ProgramIconLoadsAtBothSizesAndTheDialogsIconIsAbsent) {
    ASSERT_LIBRARY_STARTED();
    SOUI::SApplication* app = UiEnvironment::library().app();
    for (const wchar_t* name : {L"ICON_LOGO:32", L"ICON_LOGO:16", L"icon_logo:32"}) {
        HICON icon = app->LoadIconW(name);
        EXPECT_NE(icon, nullptr) << utf8(name);
        if (icon)
            DestroyIcon(icon);
    }
    EXPECT_EQ(app->LoadIconW(L"LOGO:32"), nullptr);
}

TEST(MenuStyle, LoadsThroughTheLibrary) {
    ASSERT_LIBRARY_STARTED();
    LibraryLog log;
    SOUI::SMenu menu;
    EXPECT_TRUE(menu.LoadMenuW(L"menu", L"SMENU"));
    EXPECT_EQ(menu.GetItemCount(), 0);
    for (const auto& line : log.lines())
        ADD_FAILURE() << line;
}

}  // namespace
