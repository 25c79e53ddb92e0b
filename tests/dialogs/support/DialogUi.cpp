#include "DialogUi.h"

#include <gtest/gtest.h>
#include <soui/SObjectFactory.h>

#include "ControlJournal.h"
#include "ui_library.h"

namespace dlgtest {

SOUI::SApplication* dialogUi() {
    static resfixture::UiLibrary ui;
    static const std::wstring error = ui.start();
    static const bool journalled = [] {
        if (!ui.app()) {
            return false;
        }
        ui.app()->RegisterFactory(SOUI::TplSObjectFactory<JournalStatic>(), TRUE);
        ui.app()->RegisterFactory(SOUI::TplSObjectFactory<JournalImageButton>(), TRUE);
        ui.app()->RegisterFactory(SOUI::TplSObjectFactory<JournalButton>(), TRUE);
        return true;
    }();
    if (!error.empty() || !journalled) {
        ADD_FAILURE() << "the UI library did not start: " << testing::PrintToString(error);
        return nullptr;
    }
    return ui.app();
}

}  // namespace dlgtest
