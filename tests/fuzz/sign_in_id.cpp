// The sign-in id rule over any 16-bit units, and over the same text as wide characters one for one
// and with its surrogate pairs as single characters; the wide-text conversions give the units back. The rule: an id is taken when it is 1 to 128
// units long and holds no control character (U+0000-U+001F, U+007F-U+009F), no blank or line
// break of any kind (Unicode's white space: U+0009-U+000D, U+0020, U+0085, U+00A0, U+1680,
// U+2000-U+200A, U+2028, U+2029, U+202F, U+205F, U+3000), no surrogate outside a high-low pair, and
// none of ; & = # % + " ' \ .
#include "FuzzInput.h"
#include "SignInId.h"

namespace {

// Controls and white space together: up to the blank, and from DEL to the no-break space.
bool isRefusedCharacter(char16_t c) {
    return c <= 0x20 || (c >= 0x7F && c <= 0xA0) || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 ||
           c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000 ||
           std::u16string_view(u";&=#%+\"'\\").find(c) != std::u16string_view::npos;
}

bool isHigh(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool isLow(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

bool followsTheRule(std::u16string_view id) {
    if (id.empty() || id.size() > 128) {
        return false;
    }
    for (size_t i = 0; i < id.size(); ++i) {
        const bool paired = isHigh(id[i]) && i + 1 < id.size() && isLow(id[i + 1]);
        if (paired) {
            ++i;
        } else if (isRefusedCharacter(id[i]) || isHigh(id[i]) || isLow(id[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::u16string units = fuzz::unitsOf(data, size);
    const bool accepted = isAcceptedSignInId(units);
    FUZZ_CHECK(accepted == followsTheRule(units));
    FUZZ_CHECK(isAcceptedSignInId(fuzz::wideOf(units)) == accepted);
    // The conversions between wide text and units give back every unit sequence.
    FUZZ_CHECK(toUtf16(fromUtf16(units)) == units);
    if constexpr (sizeof(wchar_t) > sizeof(char16_t)) {
        // Each surrogate pair as one character, as a 32-bit wchar_t holds it.
        const std::wstring joined = fromUtf16(units);
        FUZZ_CHECK(isAcceptedSignInId(joined) == accepted);
        FUZZ_CHECK(!isAcceptedSignInId(joined + static_cast<wchar_t>(0x110000)));
    }
    return 0;
}
