#pragma once

#include <soui/SApplication.h>

namespace dlgtest {

// dialogUi with the web engine loaded and the program's web view registered for "wkeWebkit", as
// the program's start-up does; null when either failed.
SOUI::SApplication* dialogUiWithWebView();

}  // namespace dlgtest
