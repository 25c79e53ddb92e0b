#pragma once

#include <windows.h>

#include <soui/SButton.h>
#include <soui/SStatic.h>

#include <string>
#include <vector>

namespace dlgtest {

// What code did to the texts and image buttons of the windows, in order, as lines
// "name.text=value" and "name.attribute=value" (layout loading is not recorded).
std::vector<std::wstring>& controlJournal();
void recordControlChange(const SOUI::SWindow& w, const wchar_t* what, const wchar_t* value);

// A library class that records into the journal; registered in place of the library's own, so
// the program's layouts make it.
template <class Base>
class Journalled : public Base {
  public:
    static int GetClassType() { return Base::GetClassType(); }
    void SetWindowText(LPCWSTR text) override {
        recordControlChange(*this, L"text", text);
        Base::SetWindowText(text);
    }
    HRESULT SetAttribute(const SOUI::SStringW& name, const SOUI::SStringW& value, BOOL loading = FALSE) override {
        if (!loading) {
            recordControlChange(*this, name.c_str(), value.c_str());
        }
        return Base::SetAttribute(name, value, loading);
    }
};

using JournalStatic = Journalled<SOUI::SStatic>;
using JournalImageButton = Journalled<SOUI::SImageButton>;
using JournalButton = Journalled<SOUI::SButton>;

}  // namespace dlgtest
