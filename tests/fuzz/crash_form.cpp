// The crash report's form over any texts (lines: the machine code, the user id, the version
// information, then the crash text to the input's end, line breaks and all). Read as a form
// parser reads a body (pieces between "&", the name before the first "=", "%XX" to its byte, "+"
// to a blank), the form gives the four fields exactly, in the order exception, mcode, uid, vform.
#include <algorithm>
#include <charconv>
#include <optional>
#include <utility>

#include "FuzzInput.h"
#include "online/crash/CrashReportForm.h"

namespace {

// The byte of a "%XX" escape at the start of text (hex digits of either case), if there is one.
std::optional<char> escapedByte(std::string_view text) {
    unsigned value = 0;
    if (text.size() < 3 || text[0] != '%') {
        return std::nullopt;
    }
    const auto [end, error] = std::from_chars(text.data() + 1, text.data() + 3, value, 16);
    if (error != std::errc() || end != text.data() + 3) {
        return std::nullopt;
    }
    return static_cast<char>(value);
}

std::string percentDecoded(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (const std::optional<char> byte = escapedByte(text.substr(i))) {
            out += *byte;
            i += 2;
        } else {
            out += text[i] == '+' ? ' ' : text[i];
        }
    }
    return out;
}

std::vector<std::pair<std::string, std::string>> formFields(std::string_view body) {
    std::vector<std::pair<std::string, std::string>> fields;
    for (size_t start = 0; start <= body.size();) {
        const size_t end = std::min(body.find('&', start), body.size());
        const std::string_view piece = body.substr(start, end - start);
        const size_t equals = std::min(piece.find('='), piece.size());
        fields.emplace_back(percentDecoded(piece.substr(0, equals)),
                            percentDecoded(piece.substr(std::min(equals + 1, piece.size()))));
        start = end + 1;
    }
    return fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> lines = fuzz::linesOf(data, size);
    lines.resize(std::max<size_t>(lines.size(), 4));
    std::string crashText = lines[3];
    for (size_t i = 4; i < lines.size(); ++i) {
        crashText += '\n' + lines[i];
    }
    const std::string body = crashReportFormOf(crashText, lines[0], lines[1], lines[2]);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"exception", crashText}, {"mcode", lines[0]}, {"uid", lines[1]}, {"vform", lines[2]}};
    FUZZ_CHECK(formFields(body) == expected);
    return 0;
}
