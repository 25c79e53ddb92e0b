// The settings file's text over any bytes (lines: the section, the key, the value, then the file's
// text to its end), as bytes and as 16-bit units. A line ends at LF, a CR directly before it
// belonging to the line end; a blank is 0x20.
// - Taking a file's bytes apart and joining them gives the same bytes, whatever they are.
// - Writing a pair keeps every other line whole and in its order: the result is the text's lines
//   with "key = value" in place of the key's first line in the first section of the name (the
//   line whose blank-free copy begins with key and "="), else as the last line of that section's
//   body, else after a new header "[section]" at the end; every line ends with CR LF.
// - Reading gives back what was written, without its blanks, when the format can hold it: the
//   section and the key without blank or LF, the key not beginning with "[" (it would read as a
//   header), the value without LF. An empty value or one of blanks alone is not held: the reader
//   passes over its line as if it were not there.
#include <algorithm>
#include <optional>

#include "FuzzInput.h"
#include "foundation/IniText.h"

namespace {

template <class Char>
using Text = std::basic_string<Char>;

template <class Char>
Text<Char> blankFree(Text<Char> line) {
    line.erase(std::remove(line.begin(), line.end(), Char(' ')), line.end());
    return line;
}

template <class Char>
bool startsWith(const Text<Char>& text, const Text<Char>& start) {
    return text.compare(0, start.size(), start) == 0;
}

template <class Char>
std::vector<Text<Char>> linesOf(const Text<Char>& text) {
    std::vector<Text<Char>> lines;
    for (size_t start = 0; start < text.size();) {
        const size_t lf = text.find(Char('\n'), start);
        if (lf == Text<Char>::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        const size_t end = lf > start && text[lf - 1] == Char('\r') ? lf - 1 : lf;
        lines.push_back(text.substr(start, end - start));
        start = lf + 1;
    }
    return lines;
}

template <class Char>
Text<Char> joined(const std::vector<Text<Char>>& lines) {
    Text<Char> text;
    for (const Text<Char>& line : lines) {
        text += line;
        text += Char('\r');
        text += Char('\n');
    }
    return text;
}

// The lines the writer must give, and the index of the written line among them.
template <class Char>
size_t expectedLines(std::vector<Text<Char>>& lines,
                     const Text<Char>& header,
                     const Text<Char>& key,
                     const Text<Char>& pair) {
    auto at = std::find_if(lines.begin(), lines.end(), [&](const Text<Char>& l) { return blankFree(l) == header; });
    if (at == lines.end()) {
        lines.push_back(header);
        lines.push_back(pair);
        return lines.size() - 1;
    }
    const Text<Char> keyLineStart = key + Char('=');
    for (++at; at != lines.end() && !startsWith(blankFree(*at), Text<Char>(1, Char('['))); ++at) {
        if (startsWith(blankFree(*at), keyLineStart)) {
            *at = pair;
            return static_cast<size_t>(at - lines.begin());
        }
    }
    return static_cast<size_t>(lines.insert(at, pair) - lines.begin());
}

// Whether the format holds the text as a section, a key or (with blanks) a value: no LF cuts it.
template <class Char>
bool holds(const Text<Char>& text, bool blanksAllowed) {
    return text.find(Char('\n')) == Text<Char>::npos && (blanksAllowed || text.find(Char(' ')) == Text<Char>::npos);
}

template <class Char>
void checkWrite(const Text<Char>& text, const Text<Char>& section, const Text<Char>& key, const Text<Char>& value) {
    using View = std::basic_string_view<Char>;
    const Text<Char> written = setIniValue(View(text), View(section), View(key), View(value));

    std::vector<Text<Char>> lines = linesOf(text);
    const Text<Char> pair = key + Char(' ') + Char('=') + Char(' ') + value;
    const size_t at = expectedLines(lines, Char('[') + section + Char(']'), key, pair);
    FUZZ_CHECK(written == joined(lines));

    if (!holds(section, false) || !holds(key, false) || startsWith(key, Text<Char>(1, Char('['))) ||
        !holds(value, true)) {
        return;
    }
    const std::optional<Text<Char>> read = findIniValue(View(written), View(section), View(key));
    if (!blankFree(value).empty()) {
        FUZZ_CHECK(read == blankFree(value));
    } else {
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
        FUZZ_CHECK(read == findIniValue(View(joined(lines)), View(section), View(key)));
    }
}

std::u16string unitsOf(const std::string& bytes) {
    return fuzz::unitsOf(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(joinIniFile(splitIniFile(bytes)) == bytes);

    std::vector<std::string> parts = fuzz::linesOf(data, size);
    parts.resize(std::max<size_t>(parts.size(), 4));
    std::string text = parts[3];
    for (size_t i = 4; i < parts.size(); ++i) {
        text += '\n' + parts[i];
    }
    checkWrite(text, parts[0], parts[1], parts[2]);

    const IniFileText file = splitIniFile(text);
    FUZZ_CHECK(joinIniFile(file) == text);
    const std::u16string units = file.units.empty() ? unitsOf(text) : file.units;
    checkWrite(units, unitsOf(parts[0]), unitsOf(parts[1]), unitsOf(parts[2]));
    return 0;
}
