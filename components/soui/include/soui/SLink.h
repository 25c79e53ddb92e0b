#pragma once

#include <soui/SButton.h>

namespace SOUI {

// "link": a text that opens its "href" address with the shell when clicked, after sending the
// command event.
class SOUI_EXP SLink : public SButton {
  public:
    SLink();
    static LPCWSTR GetClassName() { return L"link"; }
    BOOL IsClass(LPCWSTR className) const override;
    LPCWSTR GetObjectClass() const override;
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading = FALSE) override;
    SIZE GetDesiredSize(int width) override;
    const SStringW& GetHref() const { return href_; }

  protected:
    void OnPaint(IRenderTarget* target) override;
    void OnClick() override;

  private:
    SStringW href_;
};

}  // namespace SOUI
