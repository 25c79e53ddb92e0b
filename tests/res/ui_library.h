#pragma once

// The UI library started over the program's own resources, as the program's start-up does it:
// render module and image decoder, application object, system resources, the named-ID table,
// then the executable as resource provider with its UI definition.

#include <windows.h>

#include <soui/soui.h>

#include <string>
#include <vector>

namespace resfixture {

// A stand-in for the program's web-view control, so the sign-in layout's "wkeWebkit" element is
// made as it is in the program; it keeps the address the layout gives it.
class TestWebView : public SOUI::SWindow {
  public:
    static LPCWSTR GetClassName() { return L"wkeWebkit"; }
    static int GetClassType() { return SOUI::SWindow::GetClassType(); }
    BOOL IsClass(LPCWSTR className) const override;
    LPCWSTR GetObjectClass() const override { return GetClassName(); }
    HRESULT SetAttribute(const SOUI::SStringW& name, const SOUI::SStringW& value, BOOL loading = FALSE) override;

    bool urlGiven = false;
    SOUI::SStringW url;
};

// What the real-window handler was asked to make.
struct RealWndRequest {
    std::wstring name, className, windowName;
    int id;
};

class RecordingRealWndHandler;

class UiLibrary {
  public:
    UiLibrary() = default;
    UiLibrary(const UiLibrary&) = delete;
    UiLibrary& operator=(const UiLibrary&) = delete;
    ~UiLibrary();

    // Empty on success, else what failed.
    std::wstring start();

    SOUI::SApplication* app() const { return app_; }
    bool systemResourcesLoaded() const { return systemSkins_ > 0; }
    int namedIdsRegistered() const { return namedIds_; }
    const std::vector<RealWndRequest>& realWndRequests() const;

  private:
    HMODULE render_ = nullptr;
    HMODULE decoder_ = nullptr;
    SOUI::IRenderFactory* renderFactory_ = nullptr;
    SOUI::IImgDecoderFactory* decoderFactory_ = nullptr;
    SOUI::SApplication* app_ = nullptr;
    SOUI::IResProvider* provider_ = nullptr;
    RecordingRealWndHandler* handler_ = nullptr;
    UINT systemSkins_ = 0;
    int namedIds_ = 0;
};

}  // namespace resfixture
