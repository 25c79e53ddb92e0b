#pragma once

#include <string>
#include <vector>

// Removes, in turn, the runs of ' ', '\t', '\r' and '\n' at the start, then the same at the end;
// each kind once, so a mixed run can survive in part.
std::wstring trim(std::wstring text);

// Cuts text at every delimiter (a one-character text; a longer one is matched as a whole) and
// appends the trimmed pieces to list, empty pieces included. An empty delimiter gives one piece.
void splitAndTrim(std::vector<std::wstring>& list, const std::wstring& text, const std::wstring& delimiter);

// The first occurrence of search replaced; text unchanged when either is empty or search is absent.
std::wstring replaceFirst(const std::wstring& text, const std::wstring& search, const std::wstring& replacement);
