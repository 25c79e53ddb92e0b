#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace SOUI {
class SWindow;
}

namespace dlgtest {

// The web engine's test hook, asked from inside the process: the one view's page, its elements
// and their places. Records are "key=value" fields; empty when there is no view.
using PageRecord = std::map<std::wstring, std::wstring>;
PageRecord askPage(const std::wstring& request);

// Posts a click to the host window at the centre of the page's element with this id, shown in
// the web-view control; false when the page does not show the element.
bool clickPageElement(HWND host, SOUI::SWindow* webView, const std::wstring& id);

}  // namespace dlgtest
