#include <soui/SHostDialog.h>

namespace SOUI {

SHostDialog::SHostDialog(LPCWSTR layoutName) : SHostWnd(layoutName) {}
SHostDialog::~SHostDialog() = default;

BOOL SHostDialog::_HandleEvent(EventArgs* evt) {
    if (evt && evt->GetID() == EVT_CMD && (evt->idFrom == IDOK || evt->idFrom == IDCANCEL || evt->idFrom == IDCLOSE)) {
        EndDialog(evt->idFrom);
        return TRUE;
    }
    return FALSE;
}

INT_PTR SHostDialog::DoModal(HWND owner) {
    ending_ = FALSE;
    code_ = IDCANCEL;
    if (!Create(owner)) {
        return -1;
    }
    const HWND hwnd = m_hWnd;
    const BOOL disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner) {
        ::EnableWindow(owner, FALSE);
    }
    ::SendMessageW(hwnd, WM_INITDIALOG, reinterpret_cast<WPARAM>(hwnd), 0);
    if (::IsWindow(hwnd) && !ending_) {
        CenterWindow(owner);
        ShowWindow(SW_SHOWNORMAL);
    }
    MSG msg;
    while (!ending_ && ::IsWindow(hwnd)) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // Leave the quit request to the loop outside.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0) {
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // The owner is enabled before the dialog goes, so the activation returns to it.
    if (disableOwner) {
        ::EnableWindow(owner, TRUE);
    }
    if (::IsWindow(hwnd)) {
        if (owner && ::GetActiveWindow() == hwnd) {
            ::SetActiveWindow(owner);
        }
        ::DestroyWindow(hwnd);
    }
    return code_;
}

void SHostDialog::EndDialog(INT_PTR code) {
    code_ = code;
    ending_ = TRUE;
    if (m_hWnd) {
        PostMessage(WM_NULL);
    }
}

BOOL SHostDialog::ProcessWindowMessage(HWND hwnd,
                                       UINT msg,
                                       WPARAM wParam,
                                       LPARAM lParam,
                                       LRESULT& result,
                                       DWORD msgMapId) {
    if (msgMapId == 0 && msg == WM_CLOSE) {
        EndDialog(IDCANCEL);
        result = 0;
        return TRUE;
    }
    return SHostWnd::ProcessWindowMessage(hwnd, msg, wParam, lParam, result, msgMapId);
}

}  // namespace SOUI
