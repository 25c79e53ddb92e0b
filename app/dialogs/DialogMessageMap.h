#pragma once

#include <windows.h>

#include <soui/SEvents.h>
#include <soui/SHostDialog.h>

#include "MessageMapSupport.h"

// The tail of every dialog's message map: the host dialog's own processing, then the notifications
// reflected back to the child windows they came from. A WM_CTLCOLOR* answer of 0 from a child is
// left to the system's default handling. Only the map with ID 0 answers.
BOOL chainDialogMessage(SOUI::SHostDialog& dialog,
                        HWND hwnd,
                        UINT msg,
                        WPARAM wParam,
                        LPARAM lParam,
                        LRESULT& result,
                        DWORD msgMapId);

// The message map of a dialog whose only message of its own is WM_INITDIALOG: the dialog's
// onInitDialog gives the result; everything else goes down the chain. Errors of the dialog's
// handlers end here.
template <class Dialog>
BOOL initDialogMessageMap(Dialog& dialog,
                          HWND hwnd,
                          UINT msg,
                          WPARAM wParam,
                          LPARAM lParam,
                          LRESULT& result,
                          DWORD msgMapId) {
    CHandledFlagScope scope(dialog.msgHandled);
    return runMessageMap(L"dialog message", result, [&]() -> BOOL {
        if (msgMapId == 0 && msg == WM_INITDIALOG) {
            dialog.msgHandled = 1;
            result = dialog.onInitDialog();
            return TRUE;
        }
        return chainDialogMessage(dialog, hwnd, msg, wParam, lParam, result, msgMapId);
    });
}

// A command event whose sender has exactly this name (letter case counts).
bool isCommandFrom(const SOUI::EventArgs* evt, const wchar_t* name);
