#include "online/account/SwitchText.h"

#include <algorithm>

std::vector<SwitchItem> parseSwitchText(std::wstring_view text) {
    std::vector<SwitchItem> items;
    size_t at = 0;
    while (at < text.size()) {
        if (text[at] == L';') {
            ++at;
            continue;
        }
        const size_t end = std::min(text.find(L';', at), text.size());
        std::wstring_view item = text.substr(at, end - at);
        at = end;

        // Leading ":" belong to no key: the key is the first run without ":".
        const size_t keyStart = item.find_first_not_of(L':');
        if (keyStart == std::wstring_view::npos) {
            continue;
        }
        const size_t keyEnd = std::min(item.find(L':', keyStart), item.size());
        SwitchItem parsed;
        parsed.key = item.substr(keyStart, keyEnd - keyStart);
        if (keyEnd < item.size()) {
            parsed.value = item.substr(keyEnd + 1);
        }
        items.push_back(std::move(parsed));
    }
    return items;
}

namespace {

// The scheme is compared without case; the rest of the address keeps its own.
bool startsWithScheme(std::wstring_view text, std::wstring_view scheme) {
    if (text.size() <= scheme.size()) {
        return false;
    }
    for (std::size_t i = 0; i < scheme.size(); ++i) {
        const wchar_t c = text[i];
        if ((c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c) != scheme[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool isWebAddress(std::wstring_view text) {
    if (text.size() > kMaxWebAddressLength) {
        return false;
    }
    if (!startsWithScheme(text, L"http://") && !startsWithScheme(text, L"https://")) {
        return false;
    }
    for (const wchar_t c : text) {
        if (c <= L' ' || c == L'"' || c == 0x7F) {
            return false;
        }
    }
    return true;
}
