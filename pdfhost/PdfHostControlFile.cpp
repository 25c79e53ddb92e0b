#include "PdfHostInputs.h"
#include "soui/SUiDef.h"

namespace PXV {

// The named string of the current UI definition; empty while none is loaded.
std::wstring hostControlFile() {
    SOUI::IUiDefInfo* uiDef = SOUI::SUiDef::GetUiDef();
    SOUI::SNamedString* strings = uiDef ? uiDef->GetNamedString() : nullptr;
    if (!strings) {
        return std::wstring();
    }
    return strings->Get(SOUI::SStringW(L"@string/controlFile")).c_str();
}

}  // namespace PXV
