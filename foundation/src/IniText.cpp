#include "foundation/IniText.h"

namespace {

template <class Char>
using View = std::basic_string_view<Char>;
template <class Char>
using Text = std::basic_string<Char>;

// The next line from pos without its line end; false at the end of the text. A last line without
// a line end is a line; an empty text has none.
template <class Char>
bool nextLine(View<Char> text, size_t& pos, View<Char>& line) {
    if (pos >= text.size()) {
        return false;
    }
    const size_t lf = text.find(Char('\n'), pos);
    size_t end = lf == View<Char>::npos ? text.size() : lf;
    const size_t next = lf == View<Char>::npos ? text.size() : lf + 1;
    if (lf != View<Char>::npos && end > pos && text[end - 1] == Char('\r')) {
        --end;
    }
    line = text.substr(pos, end - pos);
    pos = next;
    return true;
}

template <class Char>
Text<Char> withoutBlanks(View<Char> line) {
    Text<Char> stripped;
    stripped.reserve(line.size());
    for (Char c : line) {
        if (c != Char(' ')) {
            stripped += c;
        }
    }
    return stripped;
}

template <class Char>
Text<Char> header(View<Char> section) {
    Text<Char> target(1, Char('['));
    target += section;
    target += Char(']');
    return target;
}

template <class Char>
bool isSectionStart(const Text<Char>& stripped) {
    return !stripped.empty() && stripped[0] == Char('[');
}

// The writer needs only the "=" after the key; the reader also needs a byte after it.
template <class Char>
bool isKeyLine(const Text<Char>& stripped, View<Char> key) {
    return stripped.size() > key.size() && View<Char>(stripped).substr(0, key.size()) == key &&
           stripped[key.size()] == Char('=');
}

template <class Char>
std::optional<Text<Char>> findValue(View<Char> text, View<Char> section, View<Char> key) {
    const Text<Char> target = header(section);
    size_t pos = 0;
    View<Char> line;
    bool inSection = false;
    while (!inSection && nextLine(text, pos, line)) {
        inSection = withoutBlanks(line) == target;
    }
    while (inSection && nextLine(text, pos, line)) {
        const Text<Char> stripped = withoutBlanks(line);
        if (isSectionStart(stripped)) {
            return std::nullopt;
        }
        if (stripped.size() >= key.size() + 2 && isKeyLine(stripped, key)) {
            return stripped.substr(key.size() + 1);
        }
    }
    return std::nullopt;
}

template <class Char>
void appendLine(Text<Char>& out, View<Char> line) {
    out += line;
    out += Char('\r');
    out += Char('\n');
}

template <class Char>
Text<Char> withValue(View<Char> text, View<Char> section, View<Char> key, View<Char> value) {
    const Text<Char> target = header(section);
    Text<Char> pair(key);
    pair += Char(' ');
    pair += Char('=');
    pair += Char(' ');
    pair += value;

    Text<Char> out;
    out.reserve(text.size() + pair.size() + target.size() + 8);
    bool done = false;
    size_t pos = 0;
    View<Char> line;
    while (nextLine(text, pos, line)) {
        appendLine(out, line);
        if (done || withoutBlanks(line) != target) {
            continue;
        }
        done = true;
        bool bodyEnded = false;
        while (!bodyEnded && nextLine(text, pos, line)) {
            const Text<Char> stripped = withoutBlanks(line);
            if (isSectionStart(stripped)) {
                appendLine<Char>(out, pair);
                appendLine(out, line);
                bodyEnded = true;
            } else if (isKeyLine(stripped, key)) {
                appendLine<Char>(out, pair);
                bodyEnded = true;
            } else {
                appendLine(out, line);
            }
        }
        if (!bodyEnded) {
            appendLine<Char>(out, pair);
        }
    }
    if (!done) {
        appendLine<Char>(out, target);
        appendLine<Char>(out, pair);
    }
    return out;
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

std::string_view markOf(IniEncoding encoding) {
    switch (encoding) {
        case IniEncoding::Utf8:
            return kUtf8Mark;
        case IniEncoding::Utf16Le:
            return kUtf16LeMark;
        case IniEncoding::Utf16Be:
            return kUtf16BeMark;
        case IniEncoding::Bytes:
            break;
    }
    return {};
}

}  // namespace

std::string removeSpaces(std::string line) {
    return withoutBlanks<char>(line);
}

std::optional<std::string> findIniValue(std::string_view text, std::string_view section, std::string_view key) {
    return findValue(text, section, key);
}

std::optional<std::u16string> findIniValue(std::u16string_view text,
                                           std::u16string_view section,
                                           std::u16string_view key) {
    return findValue(text, section, key);
}

std::string setIniValue(std::string_view text, std::string_view section, std::string_view key, std::string_view value) {
    return withValue(text, section, key, value);
}

std::u16string setIniValue(std::u16string_view text,
                           std::u16string_view section,
                           std::u16string_view key,
                           std::u16string_view value) {
    return withValue(text, section, key, value);
}

IniFileText splitIniFile(std::string_view bytes) {
    IniFileText text;
    for (IniEncoding encoding : {IniEncoding::Utf8, IniEncoding::Utf16Le, IniEncoding::Utf16Be}) {
        if (bytes.substr(0, markOf(encoding).size()) == markOf(encoding)) {
            text.encoding = encoding;
            bytes.remove_prefix(markOf(encoding).size());
            break;
        }
    }
    if (text.encoding == IniEncoding::Bytes || text.encoding == IniEncoding::Utf8) {
        text.narrow = bytes;
        return text;
    }
    const bool little = text.encoding == IniEncoding::Utf16Le;
    text.units.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text.units += static_cast<char16_t>(little ? first | (second << 8) : (first << 8) | second);
    }
    if (bytes.size() % 2 != 0) {
        text.oddByte = bytes.substr(bytes.size() - 1);
    }
    return text;
}

std::string joinIniFile(const IniFileText& text) {
    std::string bytes(markOf(text.encoding));
    if (text.encoding == IniEncoding::Bytes || text.encoding == IniEncoding::Utf8) {
        return bytes + text.narrow;
    }
    const bool little = text.encoding == IniEncoding::Utf16Le;
    bytes.reserve(bytes.size() + text.units.size() * 2 + text.oddByte.size());
    for (char16_t unit : text.units) {
        const auto low = static_cast<char>(unit & 0xFF);
        const auto high = static_cast<char>(unit >> 8);
        bytes += little ? low : high;
        bytes += little ? high : low;
    }
    return bytes + text.oddByte;
}
