// The guide's pages under any sequence of button presses (one byte each: s start, g reGuide,
// k iKown, e end, c cancel, x close, d btn_dir_cancel, 1 a nameless control with id 1, anything
// else a control the tour does not know). Pressed as a user can, only visible buttons answer: the
// page is always one of the ten with its own picture, the quit confirmation offers exactly its two
// buttons, and the tour ends only with 8. Pressed regardless of visibility, nothing breaks.
#include <array>
#include <string>

#include "FuzzInput.h"
#include "GuideTour.h"

namespace {

constexpr int kButtons = 5;

class ModelView final : public GuideView {
  public:
    void showButton(GuideButton button, bool visible) override { visible_[index(button)] = visible; }
    void setButtonPos(GuideButton, const wchar_t* pos) override { FUZZ_CHECK(pos != nullptr && *pos != L'\0'); }
    void setPageSkin(const wchar_t* skin) override {
        FUZZ_CHECK(skin != nullptr);
        skin_ = skin;
    }
    void endTour(int code) override {
        FUZZ_CHECK(code == CGuideTour::kEndCode || code == 1 || code == 2);
        endCode_ = code;
    }

    bool visible(GuideButton button) const { return visible_[index(button)]; }
    const std::wstring& skin() const { return skin_; }
    int endCode() const { return endCode_; }

  private:
    static size_t index(GuideButton button) { return static_cast<size_t>(button); }

    // As the layout shows the page at first.
    std::array<bool, kButtons> visible_{true, false, false, false, false};
    std::wstring skin_ = L"bg_guide1_imglist";
    int endCode_ = 0;
};

// Whether the guide layout lets a user press it.
enum class Shown : std::uint8_t { Always, WhenVisible, Never };

struct Press {
    const wchar_t* name;
    int id;
    bool known;  // the tour answers it
    Shown shown;
    GuideButton button;  // for WhenVisible
};

Press pressOf(uint8_t byte) {
    switch (byte) {
        case 's':
            return {L"btn_start", 101, true, Shown::WhenVisible, GuideButton::Start};
        case 'g':
            return {L"btn_reGuide", 102, true, Shown::WhenVisible, GuideButton::ReGuide};
        case 'k':
            return {L"btn_iKown", 103, true, Shown::WhenVisible, GuideButton::IKown};
        case 'e':
            return {L"btn_end", 104, true, Shown::WhenVisible, GuideButton::End};
        case 'c':
            return {L"btn_cancel", 105, true, Shown::WhenVisible, GuideButton::Cancel};
        case 'x':
            return {L"btn_close", 106, true, Shown::Always, GuideButton::Start};
        case 'd':
            return {L"btn_dir_cancel", 107, true, Shown::Never, GuideButton::Start};
        case '1':
            return {nullptr, 1, true, Shown::Never, GuideButton::Start};
        default:  // never id 1, which any control may carry
            return {L"btn_other", byte == 1 ? 2 : byte, false, Shown::Never, GuideButton::Start};
    }
}

void checkPage(const CGuideTour& tour, const ModelView& view) {
    FUZZ_CHECK(tour.step() >= 1 && tour.step() <= CGuideTour::kQuitPage);
    FUZZ_CHECK(view.skin() == L"bg_guide" + std::to_wstring(tour.step()) + L"_imglist");
    if (tour.step() == CGuideTour::kQuitPage) {
        FUZZ_CHECK(view.visible(GuideButton::End) && view.visible(GuideButton::Cancel));
        FUZZ_CHECK(!view.visible(GuideButton::Start) && !view.visible(GuideButton::ReGuide) &&
                   !view.visible(GuideButton::IKown));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // As a user can press: the guide layout has only the six image buttons.
    ModelView userView;
    CGuideTour userTour(userView);
    for (size_t i = 0; i < size && userView.endCode() == 0; ++i) {
        const Press press = pressOf(data[i]);
        if (press.shown == Shown::Never || (press.shown == Shown::WhenVisible && !userView.visible(press.button))) {
            continue;
        }
        FUZZ_CHECK(userTour.onCommand(press.name, press.id));
        if (userView.endCode() == 0) {
            checkPage(userTour, userView);
        }
    }
    FUZZ_CHECK(userView.endCode() == 0 || userView.endCode() == CGuideTour::kEndCode);

    // Any command, whatever is shown.
    ModelView anyView;
    CGuideTour anyTour(anyView);
    for (size_t i = 0; i < size; ++i) {
        const Press press = pressOf(data[i]);
        FUZZ_CHECK(anyTour.onCommand(press.name, press.id) == press.known);
    }
    return 0;
}
