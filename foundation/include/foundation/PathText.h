#pragma once

#include <string>

// Path texts without platform calls.

// Every '\' becomes '/', except the two leading backslashes of a UNC path of 3 or more characters.
void toForwardSlashes(std::wstring& path);
bool normalizeSlashes(std::wstring& path);
// Appends '/' to a non-empty text that ends with neither '\' nor '/'.
void ensureTrailingSlash(std::wstring& path);
void normalizeFolderPath(std::wstring& path);

// Cuts the text at its last double quote and drops its first character: the path inside a quoted
// command-line text. False (text unchanged) without a quote, and when nothing is left.
bool stripQuotes(wchar_t* text);
