#pragma once

#include <string>

#include "RealWndOperations.h"

// A layout's real-window element as the UI library would hand it over, over a plain host window.
class FakeElement final : public PXV::RealWndElement {
  public:
    FakeElement(std::wstring className, HWND container, UINT id = 101)
        : className_(std::move(className)), container_(container), id_(id) {}

    const wchar_t* className() const override { return className_.c_str(); }
    const wchar_t* windowName() const override { return L"pdf_control_wnd"; }
    UINT id() const override { return id_; }
    HWND containerWindow() const override { return container_; }
    HWND realWindow() const override { return real_; }
    void setRealWindow(HWND hwnd) override { real_ = hwnd; }

  private:
    std::wstring className_;
    HWND container_;
    UINT id_;
    HWND real_ = nullptr;
};
