#pragma once

#include <exception>
#include <string>
#include <string_view>

// Conversions between UTF-8, the system's ANSI and OEM code pages and UTF-16 on standard strings.
// The bool forms leave the output untouched on failure; the value forms give "" on failure.
// A text converts up to its first zero byte or unit.

bool utf8ToWide(const std::string& input, std::wstring& output);
std::wstring utf8ToWide(const std::string& input);

bool acpToWide(const std::string& input, std::wstring& output);
std::wstring acpToWide(const std::string& input);

bool wideToUtf8(const std::wstring& input, std::string& output);
std::string wideToUtf8(const std::wstring& input);

bool wideToOem(const std::wstring& input, std::string& output);
std::string wideToOem(const std::wstring& input);

// Through UTF-16; the bool forms return the result of the last step taken.
bool acpToUtf8(const std::string& input, std::string& output);
std::string acpToUtf8(const std::string& input);

bool utf8ToOem(const std::string& input, std::string& output);
std::string utf8ToOem(const std::string& input);

// The two platform steps behind every form above, for any code page.
bool multiByteToWide(unsigned codePage, const std::string& input, std::wstring& output);
bool wideToMultiByte(unsigned codePage, const std::wstring& input, std::string& output);

// Every byte converts, zero bytes included, as a file's content must; an empty input gives an
// empty text. False, the output untouched, when the platform cannot convert the bytes.
bool bytesToWide(unsigned codePage, std::string_view bytes, std::wstring& output);

// The exception's message read as ANSI text; "" when it does not convert.
std::wstring exceptionText(const std::exception& e);
