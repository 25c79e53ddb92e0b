#pragma once

#include <windows.h>

#include <soui/SHostDialog.h>
#include <soui/SWindow.h>

#include <functional>
#include <vector>

namespace dlgtest {

// Drives a modal dialog from inside its own message loop. A thread timer ticks while DoModal pumps;
// once the dialog's window is shown, each tick runs the next step. A step returns true when it is
// done and false to be asked again on the next tick (waiting for something). Clicks are real mouse
// messages to the host window, so they go through the UI library's hit testing and events.
class ModalScript {
  public:
    // The code DoModal gives when the script timed out and ended the dialog itself.
    static constexpr INT_PTR kTimedOut = -77;

    ModalScript& then(std::function<void()> action);
    ModalScript& waitFor(std::function<bool()> condition);
    // A left click at the centre of the named element of the dialog (any depth).
    ModalScript& click(const wchar_t* name);
    // A left click at the centre of an element of any host window.
    ModalScript& click(std::function<SOUI::SWindow*()> element, std::function<HWND()> host);

    // DoModal with the steps running; the dialog's code, or kTimedOut when the steps did not all
    // run or the dialog did not end within the time.
    INT_PTR run(SOUI::SHostDialog& dialog, HWND owner = nullptr, DWORD timeoutMs = 10000);

    bool allStepsRan() const { return next_ == steps_.size(); }

  private:
    static void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD) noexcept;
    void tick();

    std::vector<std::function<bool()>> steps_;
    size_t next_ = 0;
    SOUI::SHostDialog* dialog_ = nullptr;
    DWORD started_ = 0;
    DWORD timeoutMs_ = 0;
    bool busy_ = false;
    bool timedOut_ = false;
};

// Posts the mouse messages of a left click at the element's centre to its host window.
void postClick(HWND host, SOUI::SWindow* element);

}  // namespace dlgtest
