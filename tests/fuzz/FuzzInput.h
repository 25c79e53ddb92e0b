#pragma once

// What the fuzz targets share: the fuzzer's bytes read as the texts the program receives, and a
// property check that keeps the input when it fails.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

// A property that must hold for every input: when it does not, the process aborts and libFuzzer
// keeps the input as a crash.
#define FUZZ_CHECK(condition) ((condition) ? static_cast<void>(0) : ::fuzz::fail(#condition, __FILE__, __LINE__))

namespace fuzz {

[[noreturn]] inline void fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, what);
    std::abort();
}

// The bytes as 16-bit units, the wide text Windows hands over. Read as UTF-8 widened so that every
// unit sequence is reachable: a three-byte form gives any unit, a lone surrogate included, and a
// byte that starts no complete form gives the unit of its own value. So seeds stay readable text.
inline std::u16string unitsOf(const uint8_t* data, size_t size) {
    std::u16string units;
    size_t i = 0;
    while (i < size) {
        const uint8_t lead = data[i];
        const size_t length = lead < 0x80             ? 1
                              : (lead & 0xE0) == 0xC0 ? 2
                              : (lead & 0xF0) == 0xE0 ? 3
                              : (lead & 0xF8) == 0xF0 ? 4
                                                      : 0;
        uint32_t value = length == 1 ? lead : length == 2 ? lead & 0x1Fu : length == 3 ? lead & 0x0Fu : lead & 0x07u;
        bool complete = length > 0 && i + length <= size;
        for (size_t k = 1; complete && k < length; ++k) {
            complete = (data[i + k] & 0xC0) == 0x80;
            value = (value << 6) | (data[i + k] & 0x3Fu);
        }
        if (!complete || value > 0x10FFFF) {
            units += static_cast<char16_t>(lead);
            ++i;
            continue;
        }
        if (value > 0xFFFF) {
            value -= 0x10000;
            units += static_cast<char16_t>(0xD800 + (value >> 10));
            units += static_cast<char16_t>(0xDC00 + (value & 0x3FF));
        } else {
            units += static_cast<char16_t>(value);
        }
        i += length;
    }
    return units;
}

// The units as wchar_t, one for one: a core that takes wchar_t (4 bytes here, 2 on Windows) gets
// exactly the values it would get on Windows, surrogates unpaired or not.
inline std::wstring wideOf(std::u16string_view units) {
    return std::wstring(units.begin(), units.end());
}

// The bytes cut at each '\n' into texts (an empty input gives one empty text).
inline std::vector<std::string> linesOf(const uint8_t* data, size_t size) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            lines.emplace_back();
        } else {
            lines.back() += static_cast<char>(data[i]);
        }
    }
    return lines;
}

}  // namespace fuzz
