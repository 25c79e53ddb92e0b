#pragma once

#include <optional>
#include <string>
#include <string_view>

// The settings file format over the file's text, without any file or platform call.
//
// A line ends at LF; a CR directly before that LF belongs to the line end, a CR anywhere else and
// every other byte (zero and 0x1A included) belong to the line. Lines are matched on their copy
// without blanks (0x20): a header is "[section]", the section ends at the next line that begins
// with "[", a key line begins with the key and "=". Only the first section of a name counts.
//
// Each operation exists for narrow text (bytes of the ANSI code page, or UTF-8) and for UTF-16
// code units, so that a file saved as UTF-16 is worked on in its own units.

// The line without any blank (0x20); every other byte stays, in its order.
std::string removeSpaces(std::string line);

// The value of the first line of the key in the first section that has one: the rest of the
// blank-removed line after the key's "=". None when the section ends before such a line.
std::optional<std::string> findIniValue(std::string_view text, std::string_view section, std::string_view key);
std::optional<std::u16string> findIniValue(std::u16string_view text,
                                           std::u16string_view section,
                                           std::u16string_view key);

// The text with the line "key = value" in place of the key's first line of the first section (an
// empty value counts), else as the last line of that section, else after a new header at the end. Every other line is
// kept whole and in its order; every line of the result ends with CR LF.
std::string setIniValue(std::string_view text, std::string_view section, std::string_view key, std::string_view value);
std::u16string setIniValue(std::u16string_view text,
                           std::u16string_view section,
                           std::u16string_view key,
                           std::u16string_view value);

// How a settings file holds its text, by its byte-order mark: none (bytes as they are), UTF-8,
// UTF-16 little-endian or big-endian.
enum class IniEncoding { Bytes, Utf8, Utf16Le, Utf16Be };

// A settings file's bytes taken apart: the text after the mark in its own units, and an odd last
// byte of a UTF-16 file, which belongs to no unit and is kept as it was.
struct IniFileText {
    IniEncoding encoding = IniEncoding::Bytes;
    std::string narrow;    // Bytes, Utf8
    std::u16string units;  // Utf16Le, Utf16Be
    std::string oddByte;
};

IniFileText splitIniFile(std::string_view bytes);
// The bytes of the file again: mark, text, odd byte. joinIniFile(splitIniFile(b)) == b for any b.
std::string joinIniFile(const IniFileText& text);
