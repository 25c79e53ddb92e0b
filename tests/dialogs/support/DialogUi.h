#pragma once

#include <soui/SApplication.h>

namespace dlgtest {

// The UI library over the program's own resources, started once for the test program as the
// program starts it (named IDs, resource provider, UI definition), with the journal's classes in
// place of the library's texts and image buttons. Null when it could not be started.
SOUI::SApplication* dialogUi();

}  // namespace dlgtest
