#include "WebViewUi.h"

#include <gtest/gtest.h>
#include <soui/SObjectFactory.h>
#include <webview/SWkeWebkit.h>
#include <webview/WkeEngine.h>

#include "DialogUi.h"

namespace dlgtest {

SOUI::SApplication* dialogUiWithWebView() {
    SOUI::SApplication* app = dialogUi();
    static const bool engine = loadWebEngine();
    if (!app || !engine) {
        ADD_FAILURE() << "the web engine node.dll did not load";
        return nullptr;
    }
    static const bool registered = app->RegisterFactory(SOUI::TplSObjectFactory<SOUI::SWkeWebkit>(), TRUE);
    return registered ? app : nullptr;
}

}  // namespace dlgtest
