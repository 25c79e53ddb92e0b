#pragma once

#include <windows.h>

class CWnd;

// Which window object belongs to a handle: permanent entries for windows this library made or
// attached, wrappers of their own for any other handle asked for.
namespace classlib_detail {

void mapPermanent(HWND hwnd, CWnd* wnd);
void unmapPermanent(HWND hwnd, CWnd* wnd);
CWnd* permanentWindow(HWND hwnd);
CWnd* wrapperFor(HWND hwnd);

}  // namespace classlib_detail
