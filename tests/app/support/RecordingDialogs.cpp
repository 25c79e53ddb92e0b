#include "support/RecordingDialogs.h"

#include "ShellDialogs.h"

namespace {

// Stand for the sign-in dialogs the shell keeps as its newest; never dereferenced by the shell.
char loginTokens[64];
int loginsMade = 0;

int take(std::deque<int>& codes) {
    if (codes.empty()) {
        return 2;
    }
    int code = codes.front();
    codes.pop_front();
    return code;
}

}  // namespace

DialogScript& dialogScript() {
    static DialogScript script;
    return script;
}

int DialogScript::count(const std::wstring& kind) const {
    int n = 0;
    for (const auto& dialog : shown) {
        n += dialog.kind == kind ? 1 : 0;
    }
    return n;
}

int runPrompt(const PromptTexts& texts, HWND owner) {
    dialogScript().shown.push_back(ShownDialog{
        L"prompt",
        {texts.text, texts.line1, texts.line2, texts.line3, texts.okCaption, texts.cancelCaption, texts.title},
        owner});
    return take(dialogScript().promptCodes);
}

int runLoginDialog(CWkeDlg*& newest) {
    newest = reinterpret_cast<CWkeDlg*>(&loginTokens[loginsMade++ % 64]);
    dialogScript().shown.push_back(ShownDialog{L"login", {}, nullptr});
    if (auto whileOpen = dialogScript().whileLoginOpen) {
        whileOpen();
    }
    return take(dialogScript().loginCodes);
}

void closeLoginDialog(CWkeDlg*) {
    dialogScript().shown.push_back(ShownDialog{L"closeLogin", {}, nullptr});
}

void runUserInfoDialog() {
    dialogScript().shown.push_back(ShownDialog{L"userInfo", {}, nullptr});
}

void runGuideTour(HWND owner) {
    dialogScript().shown.push_back(ShownDialog{L"guide", {}, owner});
}
