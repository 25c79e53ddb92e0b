#pragma once

#include <soui/SString.h>

#include <string>

// Conversions where one side is a counted string of the UI library. Each always gives a text:
// empty when the platform cannot measure the input.

// UTF-8 bytes up to their first zero.
SOUI::SStringW utf8ToWideText(std::string text);
SOUI::SStringA wideToUtf8Text(SOUI::SStringW text);
// A null text gives an empty result.
SOUI::SStringA wideToOemText(const wchar_t* text);
