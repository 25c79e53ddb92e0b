#include "ControlJournal.h"

namespace dlgtest {

std::vector<std::wstring>& controlJournal() {
    static std::vector<std::wstring> journal;
    return journal;
}

void recordControlChange(const SOUI::SWindow& w, const wchar_t* what, const wchar_t* value) {
    controlJournal().push_back(std::wstring(w.GetName().c_str()) + L"." + what + L"=" + (value ? value : L""));
}

}  // namespace dlgtest
