#include "MsgDlg.h"

#include <foundation/AppState.h>

#include <cwchar>

#include "DialogMessageMap.h"
#include "HandlerBoundary.h"
#include "MainWindowLink.h"
#include "PdfControlAccess.h"
#include "WkeDlg.h"

namespace {

const int kListItems = 4;
const wchar_t* const kItemNames[kListItems] = {L"list_item1", L"list_item2", L"list_item3", L"list_item4"};
const wchar_t* const kDeleteNames[kListItems] = {L"btn_delete1", L"btn_delete2", L"btn_delete3", L"btn_delete4"};

bool isOneOf(const SOUI::EventArgs* evt, const wchar_t* const (&names)[kListItems]) {
    for (const wchar_t* name : names) {
        if (isCommandFrom(evt, name)) {
            return true;
        }
    }
    return false;
}

}  // namespace

CMsgDlg::CMsgDlg() : SOUI::SHostDialog(L"LAYOUT:XML_MSG") {}

CMsgDlg::~CMsgDlg() = default;

int CMsgDlg::onInitDialog() {
    fillRecentList();
    updateLoginButton();
    return 1;
}

BOOL CMsgDlg::ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD msgMapId) {
    return initDialogMessageMap(*this, hwnd, msg, wParam, lParam, result, msgMapId);
}

BOOL CMsgDlg::_HandleEvent(SOUI::EventArgs* evt) {
    if (isOneOf(evt, kItemNames)) {
        openRecentItem(evt);
        return TRUE;
    }
    if (isOneOf(evt, kDeleteNames)) {
        removeRecentItem(evt);
        return TRUE;
    }
    if (isCommandFrom(evt, L"btn_clean")) {
        clearRecentList();
        return TRUE;
    }
    if (isCommandFrom(evt, L"btn_openMore")) {
        browseForOpen();
        return TRUE;
    }
    if (isCommandFrom(evt, L"btn_login")) {
        onBtnLogin();
        return TRUE;
    }
    return SOUI::SHostDialog::_HandleEvent(evt);
}

void CMsgDlg::fillRecentList() {
    updateLoginButton();
    SOUI::SWindow* items[kListItems];
    for (int k = 0; k < kListItems; ++k) {
        items[k] = FindChildByName(kItemNames[k]);
        if (items[k]) {
            items[k]->SetAttribute(L"show", L"0", FALSE);
        }
    }
    const std::vector<RecentDoc>& records = recentDocs.records();
    const int n = recentDocs.count();
    // Item 1 shows the last record, item 2 the one before it, and so on.
    for (int k = 0; k < kListItems && n - 1 - k >= 0; ++k) {
        SOUI::SWindow* item = items[k];
        if (!item) {
            continue;
        }
        const RecentDoc& record = records[static_cast<size_t>(n - 1 - k)];
        if (SOUI::SWindow* name = item->FindChildByName(L"txt_fileName")) {
            name->SetWindowText(record.name);
        }
        item->SetAttribute(L"tip", record.path, FALSE);
        if (SOUI::SWindow* pages = item->FindChildByName(L"txt_pageNum")) {
            SOUI::SStringW text;
            text.Format(L"%d页", record.pageCount);
            pages->SetWindowText(text);
        }
        item->SetAttribute(L"show", L"1", FALSE);
    }
}

void CMsgDlg::updateLoginButton() {
    SOUI::SWindow* button = FindChildByName(L"btn_login");
    if (!button) {
        return;
    }
    if (SOUI::SWindow* text = button->FindChildByName(L"txt_login")) {
        text->SetWindowText(g_appState.user.loggedIn ? L"账户信息" : L"登陆");
    }
    button->SetVisible(g_appState.doLogin != 0 ? TRUE : FALSE, FALSE);
}

int CMsgDlg::recordIndexOf(const SOUI::SWindow* item) const {
    if (!item) {
        return -1;
    }
    // Item N shows the N-th record from the end; a user data outside the list names no record.
    const long long index =
        static_cast<long long>(recentDocs.count()) - 1 - static_cast<long long>(item->GetUserData());
    return index >= 0 && index < recentDocs.count() ? static_cast<int>(index) : -1;
}

void CMsgDlg::focusRoot() {
    SOUI::SWindow::SetFocus();
}

void CMsgDlg::openRecentItem(SOUI::EventArgs* evt) {
    focusRoot();
    const int index = recordIndexOf(evt->sender);
    MainWindowLink* main = mainWindowLink();
    if (index >= 0 && main) {
        // A copy: the record may leave the list below.
        const SOUI::SStringW path = recentDocs.records()[static_cast<size_t>(index)].path;
        if (!main->openFile(path)) {
            recentDocs.removeByPath(path);
            fillRecentList();
        }
    }
    focusRoot();
}

void CMsgDlg::removeRecentItem(SOUI::EventArgs* evt) {
    const int index = recordIndexOf(evt->sender ? evt->sender->GetParent() : nullptr);
    if (index < 0) {
        return;
    }
    const SOUI::SStringW path = recentDocs.records()[static_cast<size_t>(index)].path;
    recentDocs.removeByPath(path);
    fillRecentList();
}

void CMsgDlg::clearRecentList() {
    recentDocs.clear();
    fillRecentList();
}

void CMsgDlg::browseForOpen() {
    PXV::PdfEditControl* control = getPdfControl();
    if (!control) {
        return;
    }
    // Without the control's instance object (no control window yet, or a failed query) the page
    // does nothing: the error would otherwise leave the UI library's event dispatch.
    PXV::runAtBoundary(L"start page's browse",
                       [&] { PXV::runCommand(control->takeInstance(), pdfc::kCommandBrowseForOpen); });
}

void CMsgDlg::onBtnLogin() {
    MainWindowLink* main = mainWindowLink();
    if (!main) {
        return;
    }
    if (g_appState.user.loggedIn) {
        main->showUserInfoDialog();
        return;
    }
    // Kept by the main window as its newest sign-in dialog, as its own are.
    runNewSignInDialog(main->newestSignInDialog());
}
