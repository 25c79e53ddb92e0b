#pragma once

// Parsers of the layout syntax's values (LAYOUTS.md, section 2).
#include <windows.h>

#include <soui/SWindow.h>

#include <string>
#include <vector>

namespace SOUI {

// UTF-8 (as pugixml gives it) to UTF-16; null gives an empty text.
std::wstring Utf8ToWide(const char* utf8);
// Splits at commas, trimming blanks around each part.
std::vector<std::wstring> SplitList(const std::wstring& text, wchar_t sep = L',');
std::wstring TrimBlanks(const std::wstring& text);
// Decimal or 0x hexadecimal; `fallback` when the text is no number.
int ParseInt(const std::wstring& text, int fallback = 0);
BOOL ParseBool(const std::wstring& text);
// "l,t,r,b" or one number for all four.
RECT ParseRect4(const std::wstring& text);
// "#RRGGBB", "#RRGGBBAA", "rgb(r,g,b)", "rgba(r,g,b,a)"; CR_INVALID otherwise.
COLORREF ParseColor(const std::wstring& text);
// One part of "pos": "n", "-n", "[n".
SPosItem ParsePosItem(const std::wstring& text);
// "IDOK", "IDCANCEL", "IDCLOSE" or a number; FALSE when neither.
BOOL ParseId(const std::wstring& text, int& id);
// A font spec over a base font (face and pixel size given).
LOGFONTW ParseFont(const std::wstring& spec, const std::wstring& defFace, int defSize);
// A cursor name to a system cursor id (IDC_*); IDC_ARROW for unknown names.
LPCWSTR ParseCursor(const std::wstring& name);
// Case-insensitive comparison of ASCII-only attribute names and keywords.
BOOL SameNoCase(const std::wstring& a, const wchar_t* b);

}  // namespace SOUI
