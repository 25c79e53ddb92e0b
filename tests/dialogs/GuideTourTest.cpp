// The guide's page sequence, against a view that keeps what the page shows, starting as the
// guide's layout starts it.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "GuideTour.h"
#include "xml_fixture.h"

namespace {

const wchar_t* nameOf(GuideButton b) {
    switch (b) {
        case GuideButton::Start:
            return L"btn_start";
        case GuideButton::ReGuide:
            return L"btn_reGuide";
        case GuideButton::IKown:
            return L"btn_iKown";
        case GuideButton::End:
            return L"btn_end";
        case GuideButton::Cancel:
            return L"btn_cancel";
    }
    return L"?";
}

std::wstring wide(const char* ascii) {
    return std::wstring(ascii, ascii + std::char_traits<char>::length(ascii));
}

// What the guide's layout ("LAYOUT:XML_GUIDE") shows before the tour's first call: the five tour
// buttons it shows and their places, and the page picture.
struct LayoutStart {
    std::set<std::wstring> shown;
    std::map<std::wstring, std::wstring> pos;
    std::wstring skin;
};

const LayoutStart& layoutStart() {
    static const LayoutStart start = [] {
        LayoutStart s;
        const auto doc = resfixture::loadXml(L"LAYOUT", L"XML_GUIDE");
        const pugi::xml_node root = doc->child("host").child("root");
        s.skin = wide(root.attribute("skin").value());
        for (GuideButton b :
             {GuideButton::Start, GuideButton::ReGuide, GuideButton::IKown, GuideButton::End, GuideButton::Cancel}) {
            const std::wstring name = nameOf(b);
            const pugi::xml_node button =
                root.find_child_by_attribute("imgbtn", "name", std::string(name.begin(), name.end()).c_str());
            EXPECT_TRUE(button) << "the layout has no " << testing::PrintToString(name);
            s.pos[name] = wide(button.attribute("pos").value());
            if (button.attribute("show").as_int(1) != 0) {
                s.shown.insert(name);
            }
        }
        return s;
    }();
    return start;
}

std::wstring layoutPos(const wchar_t* name) {
    return layoutStart().pos.at(name);
}

// The page as the layout starts it, changed by the tour's calls; every call is also logged.
class PageView : public GuideView {
  public:
    void showButton(GuideButton b, bool visible) override {
        log.push_back(std::wstring(visible ? L"show " : L"hide ") + nameOf(b));
        if (visible) {
            shown.insert(nameOf(b));
        } else {
            shown.erase(nameOf(b));
        }
    }
    void setButtonPos(GuideButton b, const wchar_t* p) override {
        log.push_back(std::wstring(L"pos ") + nameOf(b) + L" " + p);
        pos[nameOf(b)] = p;
    }
    void setPageSkin(const wchar_t* s) override {
        log.push_back(std::wstring(L"skin ") + s);
        skin = s;
    }
    void endTour(int code) override {
        log.push_back(L"end " + std::to_wstring(code));
        ended.push_back(code);
    }

    std::set<std::wstring> shown = layoutStart().shown;
    std::map<std::wstring, std::wstring> pos = layoutStart().pos;
    std::wstring skin = layoutStart().skin;
    std::vector<int> ended;
    std::vector<std::wstring> log;
};

class GuideTour : public testing::Test {
  protected:
    void press(const wchar_t* name) { ASSERT_TRUE(tour.onCommand(name, 65000)) << testing::PrintToString(name); }
    // From the start page to page n (2 to 9) through the tour's own buttons.
    void walkTo(int page) {
        press(L"btn_start");
        while (tour.step() < page) {
            press(L"btn_iKown");
        }
        ASSERT_EQ(tour.step(), page);
    }
    void expectPage(int page, std::set<std::wstring> buttons) {
        EXPECT_EQ(tour.step(), page);
        EXPECT_EQ(view.skin, L"bg_guide" + std::to_wstring(page) + L"_imglist");
        EXPECT_EQ(view.shown, buttons);
    }

    PageView view;
    CGuideTour tour{view};
};

TEST_F(GuideTour, StartsOnThePageOneAndTheStartButtonLeadsToTheFirstTourPage) {
    // The layout shows the start page: its picture and the start button alone.
    EXPECT_EQ(view.skin, L"bg_guide1_imglist");
    EXPECT_EQ(view.shown, std::set<std::wstring>{L"btn_start"});
    EXPECT_EQ(tour.step(), 1);
    EXPECT_EQ(tour.savedStep(), 1);
    press(L"btn_start");
    expectPage(2, {L"btn_iKown"});
    EXPECT_EQ(view.pos[L"btn_iKown"], layoutPos(L"btn_iKown")) << "page 2 keeps the layout's place";
    EXPECT_TRUE(view.ended.empty());
}

TEST_F(GuideTour, EachTourPageShowsOnlyItsButtonAtItsPlace) {
    struct Page {
        int step;
        const wchar_t* pos;
    };
    press(L"btn_start");
    for (const Page& p : {Page{3, L"490,390"}, Page{4, L"649,390"}, Page{5, L"593,470"}, Page{6, L"561,483"},
                          Page{7, L"341,361"}, Page{8, L"490,394"}}) {
        press(L"btn_iKown");
        expectPage(p.step, {L"btn_iKown"});
        EXPECT_EQ(view.pos[L"btn_iKown"], p.pos) << p.step;
    }
    press(L"btn_iKown");
    expectPage(9, {L"btn_reGuide", L"btn_start"});
    EXPECT_EQ(view.pos[L"btn_reGuide"], L"412,420");
    EXPECT_EQ(view.pos[L"btn_start"], L"221,420");
    EXPECT_TRUE(view.ended.empty());
}

TEST_F(GuideTour, FinalPageStartButtonEndsTheTourWithEight) {
    walkTo(9);
    press(L"btn_start");
    EXPECT_EQ(view.ended, std::vector<int>{8});
}

TEST_F(GuideTour, RestartFromTheFinalPageWalksTheTourAgain) {
    walkTo(9);
    press(L"btn_reGuide");
    expectPage(2, {L"btn_iKown"});
    EXPECT_EQ(view.pos[L"btn_iKown"], L"203, 417");
    for (int i = 0; i < 7; ++i) {
        press(L"btn_iKown");
    }
    expectPage(9, {L"btn_reGuide", L"btn_start"});
    EXPECT_TRUE(view.ended.empty());
}

TEST_F(GuideTour, CloseFromEveryPageAsksAndCancelGoesBackToThatPage) {
    for (int page = 1; page <= 9; ++page) {
        PageView v;
        CGuideTour t(v);
        if (page > 1) {
            t.onCommand(L"btn_start", 0);
            while (t.step() < page) {
                t.onCommand(L"btn_iKown", 0);
            }
        }
        const std::map<std::wstring, std::wstring> before = v.pos;
        ASSERT_TRUE(t.onCommand(L"btn_close", 0));
        EXPECT_EQ(t.step(), 10) << page;
        EXPECT_EQ(t.savedStep(), page);
        EXPECT_EQ(v.skin, L"bg_guide10_imglist");
        EXPECT_EQ(v.shown, (std::set<std::wstring>{L"btn_cancel", L"btn_end"})) << page;
        EXPECT_EQ(v.pos[L"btn_end"], layoutPos(L"btn_end"));
        EXPECT_EQ(v.pos[L"btn_cancel"], layoutPos(L"btn_cancel"));

        ASSERT_TRUE(t.onCommand(L"btn_cancel", 0));
        EXPECT_EQ(t.step(), page);
        EXPECT_EQ(v.skin, L"bg_guide" + std::to_wstring(page) + L"_imglist") << page;
        EXPECT_TRUE(v.ended.empty());
        if (page == 1) {
            EXPECT_EQ(v.shown, std::set<std::wstring>{L"btn_start"});
            EXPECT_EQ(v.pos[L"btn_start"], layoutPos(L"btn_start")) << "back at the layout's place";
        } else if (page == 9) {
            EXPECT_EQ(v.shown, (std::set<std::wstring>{L"btn_reGuide", L"btn_start"}));
            EXPECT_EQ(v.pos[L"btn_reGuide"], L"412,420");
            EXPECT_EQ(v.pos[L"btn_start"], L"221,420");
        } else {
            EXPECT_EQ(v.shown, std::set<std::wstring>{L"btn_iKown"}) << page;
            // Page 2 comes back through the restart, with a blank in its position.
            EXPECT_EQ(v.pos[L"btn_iKown"], page == 2 ? L"203, 417" : before.at(L"btn_iKown")) << page;
        }
    }
}

TEST_F(GuideTour, QuitConfirmationEndsWithEightByEndOrClose) {
    for (const wchar_t* button : {L"btn_end", L"btn_close"}) {
        PageView v;
        CGuideTour t(v);
        t.onCommand(L"btn_start", 0);
        t.onCommand(L"btn_close", 0);
        ASSERT_TRUE(v.ended.empty());
        ASSERT_TRUE(t.onCommand(button, 0));
        EXPECT_EQ(v.ended, std::vector<int>{8}) << testing::PrintToString(button);
    }
}

TEST_F(GuideTour, QuitConfirmationChangesThePageInOrder) {
    walkTo(4);
    view.log.clear();
    press(L"btn_end");
    EXPECT_EQ(view.log, (std::vector<std::wstring>{L"skin bg_guide10_imglist", L"hide btn_reGuide", L"hide btn_start",
                                                   L"hide btn_iKown", L"show btn_cancel", L"show btn_end"}));
    view.log.clear();
    press(L"btn_cancel");
    EXPECT_EQ(view.log, (std::vector<std::wstring>{
                            L"hide btn_reGuide", L"hide btn_start", L"hide btn_iKown", L"hide btn_cancel",
                            L"hide btn_end", L"hide btn_reGuide", L"hide btn_start", L"show btn_iKown",
                            L"hide btn_cancel", L"hide btn_end", L"skin bg_guide4_imglist", L"pos btn_iKown 649,390"}));
}

TEST_F(GuideTour, OtherCommandsByNameAndId) {
    // Names are compared exactly; letter case counts.
    EXPECT_FALSE(tour.onCommand(L"BTN_START", 65000));
    EXPECT_FALSE(tour.onCommand(L"btn_other", 65000));
    EXPECT_FALSE(tour.onCommand(nullptr, 7));
    EXPECT_EQ(tour.step(), 1);
    EXPECT_TRUE(view.log.empty());

    EXPECT_TRUE(tour.onCommand(L"btn_dir_cancel", 2));
    EXPECT_TRUE(tour.onCommand(L"any", 1));
    EXPECT_TRUE(tour.onCommand(nullptr, 1));
    EXPECT_EQ(view.ended, (std::vector<int>{2, 1, 1}));
    // A name the tour knows wins over the id.
    view.ended.clear();
    EXPECT_TRUE(tour.onCommand(L"btn_start", 1));
    EXPECT_TRUE(view.ended.empty());
    EXPECT_EQ(tour.step(), 2);
}

TEST_F(GuideTour, ResetGoesBackToTheStartPageState) {
    walkTo(5);
    press(L"btn_close");
    tour.reset();
    EXPECT_EQ(tour.step(), 1);
    EXPECT_EQ(tour.savedStep(), 1);
}

}  // namespace
