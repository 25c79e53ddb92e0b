#pragma once

#include <optional>
#include <string>
#include <string_view>

// The form in which a second instance stores its command line in the settings for the running
// instance. The settings accessors turn blanks into "@" and back and convert through the ANSI code
// page, so the stored form is plain ASCII without either: letters, digits and "-._~" stand for
// themselves, every other 16-bit unit (blank, "@", "%", any non-ASCII letter, a lone surrogate, a
// zero) is "%" and its four upper-case hex digits. Every unit sequence comes back exactly. No
// Windows calls: the texts are 16-bit units whatever wchar_t is.

std::u16string encodeHandOffText(std::u16string_view text);

// The text back, or nothing when the stored form is not exactly what encodeHandOffText writes
// (a foreign character, a short or lower-case escape, an escape of a character that stands for
// itself), so a damaged value never opens a guessed path.
std::optional<std::u16string> decodeHandOffText(std::u16string_view encoded);
