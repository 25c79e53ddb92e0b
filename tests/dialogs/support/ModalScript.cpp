#include "ModalScript.h"

namespace dlgtest {

namespace {

ModalScript* g_running = nullptr;

}  // namespace

void postClick(HWND host, SOUI::SWindow* element) {
    RECT rc;
    element->GetWindowRect(&rc);
    const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    PostMessageW(host, WM_MOUSEMOVE, 0, at);
    PostMessageW(host, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(host, WM_LBUTTONUP, 0, at);
}

ModalScript& ModalScript::then(std::function<void()> action) {
    steps_.push_back([action] {
        action();
        return true;
    });
    return *this;
}

ModalScript& ModalScript::waitFor(std::function<bool()> condition) {
    steps_.push_back(std::move(condition));
    return *this;
}

ModalScript& ModalScript::click(const wchar_t* name) {
    return click([this, name] { return dialog_->FindChildByName(name); }, [this] { return dialog_->m_hWnd; });
}

ModalScript& ModalScript::click(std::function<SOUI::SWindow*()> element, std::function<HWND()> host) {
    steps_.push_back([element, host] {
        SOUI::SWindow* w = element();
        const HWND h = host();
        // Wait until the element is there and shown in a window that is up.
        if (!w || !h || !IsWindowVisible(h) || !w->IsVisible(TRUE)) {
            return false;
        }
        postClick(h, w);
        return true;
    });
    return *this;
}

INT_PTR ModalScript::run(SOUI::SHostDialog& dialog, HWND owner, DWORD timeoutMs) {
    dialog_ = &dialog;
    next_ = 0;
    timedOut_ = false;
    started_ = GetTickCount();
    timeoutMs_ = timeoutMs;
    ModalScript* outer = g_running;
    g_running = this;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &ModalScript::onTimer);
    const INT_PTR code = dialog.DoModal(owner);
    KillTimer(nullptr, timer);
    g_running = outer;
    return timedOut_ ? kTimedOut : code;
}

void CALLBACK ModalScript::onTimer(HWND, UINT, UINT_PTR, DWORD) noexcept {
    if (g_running) {
        g_running->tick();
    }
}

void ModalScript::tick() {
    // A step may run a modal loop of its own, in which this timer keeps ticking.
    if (busy_) {
        return;
    }
    if (GetTickCount() - started_ > timeoutMs_) {
        timedOut_ = true;
        dialog_->EndDialog(kTimedOut);
        return;
    }
    if (!dialog_->m_hWnd || !IsWindowVisible(dialog_->m_hWnd) || next_ >= steps_.size()) {
        return;
    }
    busy_ = true;
    if (steps_[next_]()) {
        ++next_;
    }
    busy_ = false;
}

}  // namespace dlgtest
