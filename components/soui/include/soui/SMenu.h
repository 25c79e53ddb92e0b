#pragma once

#include <windows.h>

#include <soui/SString.h>
#include <soui/SouiDefs.h>

namespace SOUI {

// A popup menu drawn with a menu style ("SMENU:menu"); items are added by code.
class SOUI_EXP SMenu {
  public:
    SMenu();
    SMenu(const SMenu&) = delete;
    SMenu& operator=(const SMenu&) = delete;
    ~SMenu();

    // Reads the style (and any items) of the resource "resType:resName".
    BOOL LoadMenuW(LPCWSTR resName, LPCWSTR resType = L"SMENU");
    // flags: MF_STRING (0), MF_SEPARATOR, MF_GRAYED / MF_DISABLED; icon: face of the style's
    // iconSkin, -1 or no iconSkin for none.
    BOOL AppendMenuW(UINT flags, UINT_PTR id, LPCWSTR text, int icon = -1);
    int GetItemCount() const;
    // Shows the menu at the screen point and tracks it until an item is chosen or the menu is
    // dismissed. The chosen item's ID is posted to `owner` as WM_COMMAND (notification code 0) and
    // returned; 0 when nothing was chosen. With TPM_RETURNCMD the ID is only returned.
    UINT TrackPopupMenu(UINT flags, int x, int y, HWND owner, LPCRECT exclude = nullptr);

  private:
    struct Impl;
    Impl* impl_;
};

}  // namespace SOUI
