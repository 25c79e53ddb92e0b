#pragma once

#include <windows.h>

#include <soui/SString.h>
#include <soui/SouiDefs.h>

namespace SOUI {

// Element states, also the state faces of button skins.
enum {
    WndState_Normal = 0,
    WndState_Hover = 1,
    WndState_PushDown = 2,
    WndState_Disable = 3,
};

// The drawing style of an element, from its attributes.
struct SwndStyle {
    BYTE alpha = 255;                                                                  // opacity of the element, 0-255
    COLORREF colorBkgnd = CR_INVALID;                                                  // background colour
    COLORREF colorText[4] = {RGBA(0, 0, 0, 255), CR_INVALID, CR_INVALID, CR_INVALID};  // by state
    SStringW font;                                         // font spec ("size:15"), empty: the default font
    SStringW fontHover;                                    // font while hovered, empty: font
    UINT textMode = DT_LEFT | DT_VCENTER | DT_SINGLELINE;  // DrawText flags
    int marginX = 0;                                       // text inset
    int marginY = 0;
    int lineSpacing = 0;  // extra pixels between lines
    SStringW cursor;      // cursor name, empty: arrow

    BYTE GetAlpha() const { return alpha; }
    // The text colour of a state, falling back to the normal one.
    COLORREF GetTextColor(int state) const {
        return (state > 0 && state < 4 && colorText[state] != CR_INVALID) ? colorText[state] : colorText[0];
    }
};

}  // namespace SOUI
