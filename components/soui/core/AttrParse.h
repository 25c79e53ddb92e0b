#pragma once

// Parsers of the layout syntax's values (LAYOUTS.md, section 2).
#include <windows.h>

#include <soui/SWindow.h>

#include <initializer_list>
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
// "IDOK", "IDCANCEL", "IDCLOSE" or a number; FALSE when neither.
BOOL ParseId(const std::wstring& text, int& id);
// A font spec over a base font (face and pixel size given).
LOGFONTW ParseFont(const std::wstring& spec, const std::wstring& defFace, int defSize);
// A cursor name to a system cursor id (IDC_*); IDC_ARROW for unknown names.
LPCWSTR ParseCursor(const std::wstring& name);
// Case-insensitive comparison of ASCII-only attribute names and keywords.
BOOL SameNoCase(const std::wstring& a, const wchar_t* b);

// Strict readers of the value forms: TRUE when the whole text (blanks around it and around the
// parts of a list aside) is in the form, with its value. What is not in its form is refused by the
// caller, so a misspelt value never passes as a default.
// A number: decimal with an optional "-", or hexadecimal with "0x".
BOOL ReadInt(const std::wstring& text, int& value);
// A flag: "0" or "1".
BOOL ReadFlag(const std::wstring& text, BOOL& value);
// Four numbers "l,t,r,b".
BOOL ReadFour(const std::wstring& text, RECT& value);
// A position: two or four parts, each "n", "-n" or "[n" with n a decimal number.
BOOL ReadPos(const std::wstring& text, SPosItem (&items)[4], int& count);
// One part of "size": -1 (natural), -2 (fill) or a length of 0 or more.
BOOL ReadSizePart(const std::wstring& text, int& value);
// A colour literal: "#RRGGBB", "#RRGGBBAA", "rgb(r,g,b)", "rgba(r,g,b,a)" with parts 0-255.
BOOL ReadColorLiteral(const std::wstring& text, COLORREF& value);
// Why a font spec is not in its form ("key:value" pairs of face, size, bold, italic, underline,
// strike, weight; empty is the default font); empty when it is.
std::wstring FontSpecProblem(const std::wstring& spec);
// A cursor name of the list in LAYOUTS.md.
BOOL ReadCursor(const std::wstring& name, LPCWSTR& id);

// The same forms for the attribute loops of elements, hosts, menus and skins: TRUE with the value
// in `target`, or FALSE with the target as it was and the reason, in the words of every refusal,
// in `wrong`.
BOOL TakeFlag(const std::wstring& text, BOOL& target, std::wstring& wrong);
BOOL TakeFour(const std::wstring& text, RECT& target, std::wstring& wrong);
// A number from low to high; `form` says what was expected.
template <class T>
BOOL TakeInt(const std::wstring& text, T& target, int low, int high, const wchar_t* form, std::wstring& wrong) {
    int number = 0;
    if (!ReadInt(text, number) || number < low || number > high) {
        wrong = form;
        return FALSE;
    }
    target = static_cast<T>(number);
    return TRUE;
}
// Any number.
inline constexpr int kAnyLow = -0x7FFFFFFF;
inline constexpr int kAnyHigh = 0x7FFFFFFF;
// The index of the keyword the text is (ignoring case), or -1.
int KeywordIndex(const std::wstring& text, std::initializer_list<const wchar_t*> words);

}  // namespace SOUI
