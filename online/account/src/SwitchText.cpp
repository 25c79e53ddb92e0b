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

bool isWebAddress(std::wstring_view text) {
    const bool schemeOk =
        (text.size() > 7 && text.substr(0, 7) == L"http://") || (text.size() > 8 && text.substr(0, 8) == L"https://");
    if (!schemeOk) {
        return false;
    }
    for (const wchar_t c : text) {
        if (c <= L' ' || c == L'"' || c == 0x7F) {
            return false;
        }
    }
    return true;
}
