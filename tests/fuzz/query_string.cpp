// URL coding and the query builder over any bytes (lines: the text, then names and values in
// turn). Decoding what was encoded gives the text back, except that the characters whose escapes
// decoding keeps as written come back as those escapes. An encoded query cuts back into its
// pairs, in name order.
#include <algorithm>
#include <cstring>

#include "FuzzInput.h"
#include "foundation/QueryString.h"

namespace {

// What decoding the encoded text gives: the text, with the kept escapes in place of their characters.
std::string roundTripOf(const std::string& text) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        if (c != '\0' && std::strchr("!$&'()+,/:;=?@", c) != nullptr) {
            const auto byte = static_cast<unsigned char>(c);
            out += '%';
            out += kDigits[byte >> 4];
            out += kDigits[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

bool isEncoded(const std::string& text) {
    return text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789._-*+%") ==
           std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> lines = fuzz::linesOf(data, size);
    for (const std::string& text : lines) {
        const std::string encoded = urlEncode(text);
        FUZZ_CHECK(isEncoded(encoded));
        FUZZ_CHECK(urlDecode(encoded) == roundTripOf(text));
        FUZZ_CHECK(urlDecode(text).size() <= text.size());
    }

    QueryPairs pairs;
    for (size_t i = 1; i + 1 < lines.size(); i += 2) {
        pairs[lines[i]] = lines[i + 1];
    }
    const std::string query = buildQueryString(pairs, 1);
    FUZZ_CHECK(appendQueryString(lines[0], pairs, 1) == lines[0] + "?" + query);
    auto pair = pairs.begin();
    for (size_t start = 0; !query.empty() && start <= query.size(); ++pair) {
        FUZZ_CHECK(pair != pairs.end());
        const size_t end = std::min(query.find('&', start), query.size());
        const std::string piece = query.substr(start, end - start);
        const size_t equals = piece.find('=');
        FUZZ_CHECK(equals != std::string::npos && piece.find('=', equals + 1) == std::string::npos);
        FUZZ_CHECK(urlDecode(piece.substr(0, equals)) == roundTripOf(pair->first));
        FUZZ_CHECK(urlDecode(piece.substr(equals + 1)) == roundTripOf(pair->second));
        start = end + 1;
    }
    FUZZ_CHECK(pair == pairs.end());
    buildQueryString(pairs, 0);
    return 0;
}
