// The version order over any three texts (lines): a strict total order. Never newer than itself,
// never both ways, one way for any two different texts, and transitive.
#include "FuzzInput.h"
#include "online/account/VersionOrder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> texts = fuzz::linesOf(data, size);
    texts.resize(3);
    const std::string& a = texts[0];
    const std::string& b = texts[1];
    const std::string& c = texts[2];
    FUZZ_CHECK(!isNewerVersion(a, a));
    FUZZ_CHECK(!(isNewerVersion(a, b) && isNewerVersion(b, a)));
    FUZZ_CHECK(a == b || isNewerVersion(a, b) || isNewerVersion(b, a));
    FUZZ_CHECK(!(isNewerVersion(a, b) && isNewerVersion(b, c)) || isNewerVersion(a, c));
    // A text that starts with another is the newer one.
    FUZZ_CHECK(a.size() <= b.size() || a.compare(0, b.size(), b) != 0 || isNewerVersion(a, b));
    return 0;
}
