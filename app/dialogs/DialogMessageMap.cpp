#include "DialogMessageMap.h"

#include <cwchar>

BOOL chainDialogMessage(SOUI::SHostDialog& dialog,
                        HWND hwnd,
                        UINT msg,
                        WPARAM wParam,
                        LPARAM lParam,
                        LRESULT& result,
                        DWORD msgMapId) {
    if (msgMapId != 0) {
        return FALSE;
    }
    if (dialog.SOUI::SHostDialog::ProcessWindowMessage(hwnd, msg, wParam, lParam, result, msgMapId)) {
        return TRUE;
    }
    BOOL handled = TRUE;
    const LRESULT reflected = dialog.ReflectNotifications(msg, wParam, lParam, handled);
    if (reflectionAnswered(msg, handled, reflected)) {
        result = reflected;
        return TRUE;
    }
    return FALSE;
}

bool isCommandFrom(const SOUI::EventArgs* evt, const wchar_t* name) {
    return evt && evt->GetID() == SOUI::EVT_CMD && evt->nameFrom && std::wcscmp(evt->nameFrom, name) == 0;
}
