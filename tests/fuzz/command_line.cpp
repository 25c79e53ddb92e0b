// The command line's file list, quoted and unquoted, over any wide text. Each cut hands over
// exactly the paths, in the order and with the result, of a model of the format written here
// from its rules and sharing nothing with the cutter:
// - quoted form: what follows the last quotation mark is cut off, then the first character is
//   dropped whatever it is; in a list with ";" the text after the last ";" is ignored, the parts
//   before it are handed over from the last to the first, empty parts between two ";" included,
//   and the first part only when it is not empty; a single path goes over whole, at most 259
//   characters through the fixed buffer and a longer one as it stands, never cut short;
// - unquoted form: the same list rule over the whole text, or the whole text as one path;
// - either form: the unquoted one unless the text begins with a quotation mark.
// Every cut runs in a buffer exactly as long as the text, so a write past it is caught.
#include "CommandLineCutter.h"
#include "FuzzInput.h"

namespace {

struct Cut {
    int result = 0;
    std::vector<std::wstring> paths;  // in the order they were handed over

    bool operator==(const Cut&) const = default;
};

// The parts of a text between ";", read from the front: n ";" give n + 1 parts.
std::vector<std::wstring> partsOf(std::wstring_view text) {
    std::vector<std::wstring> parts(1);
    for (const wchar_t c : text) {
        if (c == L';') {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

// A list of paths each followed by ";": the part after the last ";" is not a path; the others go
// over from the last to the first, the first only when it is not empty.
Cut listModel(std::wstring_view text) {
    const std::vector<std::wstring> parts = partsOf(text);
    Cut cut;
    for (size_t i = parts.size() - 1; i-- > 1;) {
        cut.paths.push_back(parts[i]);
    }
    if (!parts.front().empty()) {
        cut.paths.push_back(parts.front());
    }
    return cut;
}

bool hasSemicolon(std::wstring_view text) {
    for (const wchar_t c : text) {
        if (c == L';') {
            return true;
        }
    }
    return false;
}

Cut quotedModel(std::wstring_view text) {
    size_t closing = text.size();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'"') {
            closing = i;
        }
    }
    if (closing == text.size()) {
        return {};  // no quotation mark at all, the empty text included
    }
    std::wstring_view inner = text.substr(0, closing);
    if (!inner.empty()) {
        inner.remove_prefix(1);
    }
    if (inner.empty()) {
        return {};
    }
    if (hasSemicolon(inner)) {
        Cut cut = listModel(inner);
        cut.result = 1;  // a list reports 1 even when every part was empty
        return cut;
    }
    return {1, {std::wstring(inner)}};
}

Cut unquotedModel(std::wstring_view text) {
    Cut cut;
    if (hasSemicolon(text)) {
        cut = listModel(text);
    } else if (!text.empty()) {
        cut.paths.emplace_back(text);
    }
    cut.result = cut.paths.empty() ? 0 : 1;
    return cut;
}

Cut eitherModel(std::wstring_view text) {
    return !text.empty() && text.front() != L'"' ? unquotedModel(text) : quotedModel(text);
}

class CollectingSink final : public PathSink {
  public:
    void openPath(const wchar_t* path) override { paths.emplace_back(path); }
    std::vector<std::wstring> paths;
};

Cut cutOf(int (*cutter)(wchar_t*, PathSink&), std::wstring_view text) {
    std::vector<wchar_t> buffer(text.begin(), text.end());
    buffer.push_back(L'\0');
    CollectingSink sink;
    const int result = cutter(buffer.data(), sink);
    return {result, std::move(sink.paths)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring wide = fuzz::wideOf(fuzz::unitsOf(data, size));
    // A command line ends at its first zero unit.
    const std::wstring_view text(wide.c_str());
    FUZZ_CHECK(cutOf(&cutQuotedFileList, text) == quotedModel(text));
    FUZZ_CHECK(cutOf(&cutUnquotedFileList, text) == unquotedModel(text));
    FUZZ_CHECK(cutOf(&cutFileList, text) == eitherModel(text));
    return 0;
}
