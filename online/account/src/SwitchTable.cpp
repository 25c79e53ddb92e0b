#include "online/account/SwitchTable.h"

#include <foundation/AppState.h>

#include "online/account/SwitchText.h"

namespace {

struct FlagSwitch {
    const wchar_t* key;
    int CAppState::*flag;
};

// Ribbon tabs in the order of CAppState::ribbonTabVisible.
const wchar_t* const kRibbonTabs[10] = {L"开始",     L"视图",      L"注释", L"保护", L"表单",
                                        L"页面组织", L"菜单_转换", L"共享", L"审阅", L"帮助"};

const FlagSwitch kFlags[] = {
    {L"dologin", &CAppState::doLogin},           {L"pdfconv", &CAppState::pdfConv},
    {L"编辑", &CAppState::editButtonVisible},    {L"阅读", &CAppState::readButtonVisible},
    {L"转换", &CAppState::convertButtonVisible},
};

}  // namespace

void applySwitch(CAppState& state, const SOUI::SStringW& key, const SOUI::SStringW& value) {
    const int on = value == L"1" ? 1 : 0;
    for (const FlagSwitch& s : kFlags) {
        if (key == s.key) {
            state.*s.flag = on;
            return;
        }
    }
    for (int i = 0; i < 10; ++i) {
        if (key == kRibbonTabs[i]) {
            state.ribbonTabVisible[i] = on;
            return;
        }
    }
    if (key == L"qq") {
        SOUI::SStringW lowered(value);
        state.qq = lowered.MakeLower();
    } else if (key == L"kfurl" && isWebAddress(value.str())) {
        state.customUrl = value;
    }
}

void applySwitchText(CAppState& state, SOUI::SStringW text) {
    text.Remove(L' ');
    for (const SwitchItem& item : parseSwitchText(text.str())) {
        SOUI::SStringW key(item.key);
        applySwitch(state, key.MakeLower(), SOUI::SStringW(item.value));
    }
}
