#include <windows.h>

#include <soui/SStrCpCvt.h>
#include <soui/SUiDef.h>

#include "foundation/AppState.h"

namespace {

SOUI::SStringW namedString(SOUI::IUiDefInfo& definition, const wchar_t* name) {
    const SOUI::SNamedString* strings = definition.GetNamedString();
    return strings != nullptr ? strings->Get(name) : SOUI::SStringW();
}

}  // namespace

int CAppState::loadAppStrings() {
    SOUI::IUiDefInfo* definition = SOUI::SUiDef::GetUiDef();
    if (definition == nullptr) {
        return 0;
    }
    prover = SOUI::SStrCpCvt::CvtW2A(namedString(*definition, L"@string/prover"), CP_THREAD_ACP);
    version = namedString(*definition, L"@string/version");
    title = namedString(*definition, L"@string/title");
    webUrl = namedString(*definition, L"@string/webUrl");
    customUrl = namedString(*definition, L"@string/customUrl");
    versionInformation = pid + prover + sid;
    return 1;
}
