#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The items of the service's switch text "key:value;key:value": items are runs of characters
// other than ";" (runs of ";" are skipped); the key is an item's first run of characters other
// than ":", the value everything after the ":" that ends the key (it may hold ":" itself). An item
// without ":" has an empty value; an item made only of ":" is skipped. Blanks are not removed
// here, and nothing is lower-cased.
struct SwitchItem {
    std::wstring key;
    std::wstring value;
};

std::vector<SwitchItem> parseSwitchText(std::wstring_view text);

// The longest customer-service address taken; a longer one is refused like any other malformed one.
inline constexpr std::size_t kMaxWebAddressLength = 2048;

// True for "http://" or "https://" (either in any case) followed by at least one character, at
// most kMaxWebAddressLength characters in all, without blanks, quotes or control characters: what
// the customer-service switch may hand to the shell.
bool isWebAddress(std::wstring_view text);
