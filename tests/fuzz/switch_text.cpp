// The account service's switch text over any wide text. The items are the text's pieces in order:
// between them only ";" and the ":" that lead an item are dropped. A customer-service address that
// passes the rule starts with a web scheme and holds nothing the shell could split or run.
#include "FuzzInput.h"
#include "online/account/SwitchText.h"

namespace {

bool onlySeparators(std::wstring_view text) {
    return text.find_first_not_of(L";:") == std::wstring_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring text = fuzz::wideOf(fuzz::unitsOf(data, size));
    const std::wstring_view rest(text);
    size_t at = 0;
    for (const SwitchItem& item : parseSwitchText(text)) {
        FUZZ_CHECK(!item.key.empty());
        FUZZ_CHECK(item.key.find_first_of(L";:") == std::wstring::npos);
        FUZZ_CHECK(item.value.find(L';') == std::wstring::npos);
        const size_t key = rest.find(item.key, at);
        FUZZ_CHECK(key != std::wstring_view::npos && onlySeparators(rest.substr(at, key - at)));
        at = key + item.key.size();
        if (at < rest.size() && rest[at] == L':') {
            FUZZ_CHECK(rest.compare(at + 1, item.value.size(), item.value) == 0);
            at += 1 + item.value.size();
        } else {
            FUZZ_CHECK(item.value.empty());
        }
        FUZZ_CHECK(at == rest.size() || rest[at] == L';');

        if (isWebAddress(item.value)) {
            const std::wstring_view address(item.value);
            std::wstring scheme(address.substr(0, 8));
            for (wchar_t& c : scheme) {
                c = (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
            }
            FUZZ_CHECK(scheme.compare(0, 7, L"http://") == 0 || scheme == L"https://");
            FUZZ_CHECK(address.size() <= kMaxWebAddressLength);
            FUZZ_CHECK(address.find_first_of(L" \t\r\n\"") == std::wstring_view::npos);
        }
    }
    FUZZ_CHECK(onlySeparators(rest.substr(at)));
    return 0;
}
