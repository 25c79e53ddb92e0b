#pragma once

#include <cstdint>

// The first-start guide's page sequence, apart from its window: ten pages, each a picture with a
// few buttons over it. The dialog gives it a view that shows, hides and places the buttons, sets the
// page picture and ends the dialog; the tour decides what happens on each button.

enum class GuideButton : std::uint8_t { Start, ReGuide, IKown, End, Cancel };

class GuideView {
  public:
    virtual ~GuideView() = default;
    virtual void showButton(GuideButton button, bool visible) = 0;
    virtual void setButtonPos(GuideButton button, const wchar_t* pos) = 0;
    // The page picture: the skin of the window that fills the dialog.
    virtual void setPageSkin(const wchar_t* skin) = 0;
    virtual void endTour(int code) = 0;
};

// Pages: 1 start page, 2 to 8 tour pages, 9 final page, 10 quit confirmation.
class CGuideTour {
  public:
    static constexpr int kQuitPage = 10;
    // What the dialog ends with when the user finishes or quits the tour.
    static constexpr int kEndCode = 8;

    explicit CGuideTour(GuideView& view) : view_(view) {}
    CGuideTour(const CGuideTour&) = delete;
    CGuideTour& operator=(const CGuideTour&) = delete;

    // Back to the start page, as when the dialog is initialised.
    void reset();

    // A command from the named control (null when it has none) with its numeric id; false when the
    // tour does not answer it. Names are compared exactly, in a fixed order.
    bool onCommand(const wchar_t* name, int id);

    // The buttons' actions.
    void onStart();      // btn_start
    void nextStep();     // btn_iKown
    void restartTour();  // btn_reGuide
    void onEnd();        // btn_end and btn_close
    void onCancel();     // btn_cancel: back from the quit confirmation

    int step() const { return step_; }
    int savedStep() const { return savedStep_; }

  private:
    GuideView& view_;
    int step_ = 1;
    int savedStep_ = 1;
};
