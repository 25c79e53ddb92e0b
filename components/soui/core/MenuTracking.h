#pragma once

// The popup menu window and its tracking loop (used by SMenu and the inspection).
#include <windows.h>

#include <string>
#include <vector>

namespace SOUI {

struct MenuStyle {
    std::wstring itemSkin;
    std::wstring iconSkin;
    COLORREF colorBkgnd = 0xFFFFFFFF;
    COLORREF colorText = 0xFF333333;
    COLORREF colorTextSel = 0xFF333333;
    COLORREF colorTextDisable = 0xFFA0A0A0;
    std::wstring font;
    int itemHeight = 26;
    int iconMargin = 2;
    int textMargin = 4;
    int minWidth = 80;
    int maxWidth = 0;
    DWORD contextHelpId = 0;
};

struct MenuItem {
    UINT id = 0;
    std::wstring text;
    BOOL separator = FALSE;
    BOOL disabled = FALSE;
    int icon = -1;
    RECT rect = {0, 0, 0, 0};  // in the menu window's client coordinates
};

struct MenuState {
    MenuStyle style;
    std::vector<MenuItem> items;
};

// Shows the menu at the screen point and tracks it; the chosen item's ID, 0 for none.
UINT RunMenu(MenuState& state, int x, int y, HWND owner);

// The menu being tracked (its window and state), for the inspection; null when none is open.
HWND ActiveMenuWindow();
const MenuState* ActiveMenuState();

}  // namespace SOUI
