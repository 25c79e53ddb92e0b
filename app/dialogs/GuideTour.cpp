#include "GuideTour.h"

#include <cwchar>

namespace {

// The picture of page n (1 to 10).
const wchar_t* pageSkin(int page) {
    static const wchar_t* const skins[] = {
        L"bg_guide1_imglist", L"bg_guide2_imglist", L"bg_guide3_imglist", L"bg_guide4_imglist", L"bg_guide5_imglist",
        L"bg_guide6_imglist", L"bg_guide7_imglist", L"bg_guide8_imglist", L"bg_guide9_imglist", L"bg_guide10_imglist",
    };
    return skins[page - 1];
}

// Where "btn_iKown" stands on the tour pages 3 to 8 (page 2 keeps the layout's place).
const wchar_t* iKownPos(int page) {
    static const wchar_t* const positions[] = {L"490,390", L"649,390", L"593,470", L"561,483", L"341,361", L"490,394"};
    return positions[page - 3];
}

bool named(const wchar_t* name, const wchar_t* expected) {
    return std::wcscmp(name, expected) == 0;
}

}  // namespace

void CGuideTour::reset() {
    step_ = 1;
    savedStep_ = 1;
}

bool CGuideTour::onCommand(const wchar_t* name, int id) {
    if (name) {
        if (named(name, L"btn_start")) {
            onStart();
            return true;
        }
        if (named(name, L"btn_reGuide")) {
            restartTour();
            return true;
        }
        if (named(name, L"btn_iKown")) {
            nextStep();
            return true;
        }
        if (named(name, L"btn_end")) {
            onEnd();
            return true;
        }
        if (named(name, L"btn_cancel")) {
            onCancel();
            return true;
        }
        if (named(name, L"btn_close")) {
            onEnd();
            return true;
        }
        if (named(name, L"btn_dir_cancel")) {
            view_.endTour(2);
            return true;
        }
    }
    if (id == 1) {
        view_.endTour(1);
        return true;
    }
    return false;
}

void CGuideTour::onStart() {
    ++step_;
    if (step_ == 2) {
        view_.showButton(GuideButton::Start, false);
        view_.showButton(GuideButton::IKown, true);
        view_.setPageSkin(pageSkin(2));
    } else if (step_ == kQuitPage) {
        view_.endTour(kEndCode);
    }
}

void CGuideTour::nextStep() {
    ++step_;
    view_.showButton(GuideButton::ReGuide, false);
    view_.showButton(GuideButton::Start, false);
    view_.showButton(GuideButton::IKown, true);
    view_.showButton(GuideButton::Cancel, false);
    view_.showButton(GuideButton::End, false);
    if (step_ >= 3 && step_ <= 8) {
        view_.setPageSkin(pageSkin(step_));
        view_.setButtonPos(GuideButton::IKown, iKownPos(step_));
    } else if (step_ == 9) {
        view_.setPageSkin(pageSkin(9));
        view_.setButtonPos(GuideButton::ReGuide, L"412,420");
        view_.setButtonPos(GuideButton::Start, L"221,420");
        view_.showButton(GuideButton::ReGuide, true);
        view_.showButton(GuideButton::Start, true);
        view_.showButton(GuideButton::IKown, false);
    }
}

void CGuideTour::restartTour() {
    view_.showButton(GuideButton::ReGuide, false);
    view_.showButton(GuideButton::Start, false);
    view_.showButton(GuideButton::IKown, true);
    view_.setPageSkin(pageSkin(2));
    view_.setButtonPos(GuideButton::IKown, L"203, 417");
    step_ = 2;
}

void CGuideTour::onEnd() {
    if (step_ == kQuitPage) {
        view_.endTour(kEndCode);
        return;
    }
    savedStep_ = step_;
    step_ = kQuitPage;
    view_.setPageSkin(pageSkin(kQuitPage));
    view_.showButton(GuideButton::ReGuide, false);
    view_.showButton(GuideButton::Start, false);
    view_.showButton(GuideButton::IKown, false);
    view_.showButton(GuideButton::Cancel, true);
    view_.showButton(GuideButton::End, true);
}

void CGuideTour::onCancel() {
    view_.showButton(GuideButton::ReGuide, false);
    view_.showButton(GuideButton::Start, false);
    view_.showButton(GuideButton::IKown, false);
    view_.showButton(GuideButton::Cancel, false);
    view_.showButton(GuideButton::End, false);
    if (savedStep_ == 1) {
        view_.showButton(GuideButton::Start, true);
        view_.setPageSkin(pageSkin(1));
        view_.setButtonPos(GuideButton::Start, L"468,510");
        step_ = 1;
    } else if (savedStep_ == 2) {
        restartTour();
    } else {
        step_ = savedStep_ - 1;
        nextStep();
    }
}
