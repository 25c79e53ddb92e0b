// The hand-off text over any 16-bit units. Decoding the encoding gives the units back exactly; the
// encoding is printable ASCII without blank and "@", which the settings pass unchanged; and the
// units taken as a stored form are refused or decode to a text whose encoding is that form again,
// so one text has one stored form.
#include "FuzzInput.h"
#include "HandOffText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::u16string units = fuzz::unitsOf(data, size);

    const std::u16string encoded = encodeHandOffText(units);
    for (const char16_t unit : encoded) {
        FUZZ_CHECK(unit > u' ' && unit <= u'~' && unit != u'@');
    }
    FUZZ_CHECK(decodeHandOffText(encoded) == units);

    if (const std::optional<std::u16string> text = decodeHandOffText(units)) {
        FUZZ_CHECK(encodeHandOffText(*text) == units);
    }
    return 0;
}
