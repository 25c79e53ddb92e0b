#pragma once

#include <cstdint>
#include <string>

// The current local time as "YYYYMMDD#hh-mm-ss"; "Error,GetDateTime" when it cannot be had.
std::wstring localDateTimeText();

// "hh-mm-ss.mmm" of a count of milliseconds (hours unbounded), wide by default or narrow (OEM code
// page) as formatDurationMs<std::string>; the two-count forms take the absolute difference.
template <class Text = std::wstring>
Text formatDurationMs(uint32_t ms);
template <class Text = std::wstring>
Text formatDurationMs(uint32_t first, uint32_t second);

template <>
std::wstring formatDurationMs<std::wstring>(uint32_t ms);
template <>
std::string formatDurationMs<std::string>(uint32_t ms);
template <>
std::wstring formatDurationMs<std::wstring>(uint32_t first, uint32_t second);
template <>
std::string formatDurationMs<std::string>(uint32_t first, uint32_t second);
