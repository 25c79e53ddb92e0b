#include "foundation/TimeText.h"

#include <stdio.h>

#include <ctime>
#include <cwchar>

#include "foundation/CodePage.h"

namespace {

constexpr size_t kTextChars = 260;

uint32_t distance(uint32_t a, uint32_t b) {
    return a > b ? a - b : b - a;
}

}  // namespace

std::wstring localDateTimeText() {
    const std::time_t now = std::time(nullptr);
    // msvcrt keeps localtime's result per thread.
    const std::tm* local = now == static_cast<std::time_t>(-1) ? nullptr : std::localtime(&now);
    if (local == nullptr) {
        return L"Error,GetDateTime";
    }
    wchar_t text[kTextChars] = {};
    std::wcsftime(text, kTextChars, L"%Y%m%d#%H-%M-%S", local);
    return text;
}

template <>
std::wstring formatDurationMs<std::wstring>(uint32_t ms) {
    wchar_t text[kTextChars] = {};
    // msvcrt's formatter: "%d" takes a 32-bit int, as the format was written for.
    _snwprintf(text, kTextChars - 1, L"%.2d-%.2d-%.2d.%.3d", static_cast<int>(ms / 3600000),
               static_cast<int>(ms % 3600000 / 60000), static_cast<int>(ms % 60000 / 1000),
               static_cast<int>(ms % 1000));
    return text;
}

template <>
std::string formatDurationMs<std::string>(uint32_t ms) {
    return wideToOem(formatDurationMs<std::wstring>(ms));
}

template <>
std::wstring formatDurationMs<std::wstring>(uint32_t first, uint32_t second) {
    return formatDurationMs<std::wstring>(distance(first, second));
}

template <>
std::string formatDurationMs<std::string>(uint32_t first, uint32_t second) {
    return formatDurationMs<std::string>(distance(first, second));
}
