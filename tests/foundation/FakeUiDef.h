#pragma once

#include <soui/SUiDef.h>

// A UI definition with a string table of the test's choosing, made current for the test's
// lifetime through the library's own SUiDef.
class FakeUiDef : public SOUI::TObjRefImpl<SOUI::IUiDefInfo> {
  public:
    SOUI::SNamedString* GetNamedString() override { return &strings; }
    SOUI::SNamedColor* GetNamedColor() override { return &colors_; }
    SOUI::ISkinObj* GetSkin(LPCWSTR) override { return nullptr; }
    const SOUI::SStringW& GetDefFontFace() const override { return face_; }
    int GetDefFontSize() const override { return 12; }
    const SOUI::SAttrList* GetStyleClass(LPCWSTR) const override { return nullptr; }
    const SOUI::SAttrList* GetObjAttr(LPCWSTR) const override { return nullptr; }

    SOUI::SNamedString strings;

  private:
    SOUI::SNamedColor colors_;
    SOUI::SStringW face_ = L"SimSun";
};

class CurrentUiDef {
  public:
    CurrentUiDef() : def_(new FakeUiDef) { SOUI::SUiDef::SetUiDef(def_); }
    ~CurrentUiDef() {
        SOUI::SUiDef::SetUiDef(nullptr);
        def_->Release();
    }
    CurrentUiDef(const CurrentUiDef&) = delete;
    CurrentUiDef& operator=(const CurrentUiDef&) = delete;

    SOUI::SNamedString& strings() { return def_->strings; }

  private:
    FakeUiDef* def_;
};
