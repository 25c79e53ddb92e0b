#pragma once

// Kind and size of a PNG or JPEG picture, read from its header bytes.

#include <cstdint>
#include <optional>
#include <string_view>

#include "expected.h"

namespace resfixture {

struct ImageHeader {
    expected::Kind kind;
    int width;
    int height;
};

inline uint32_t bigEndian(std::string_view bytes, size_t at, size_t count) {
    uint32_t value = 0;
    for (size_t i = 0; i < count; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

inline std::optional<ImageHeader> readImageHeader(std::string_view bytes) {
    constexpr std::string_view kPng("\x89PNG\r\n\x1a\n", 8);
    if (bytes.size() >= 24 && bytes.substr(0, 8) == kPng && bytes.substr(12, 4) == "IHDR") {
        return ImageHeader{expected::Kind::png, static_cast<int>(bigEndian(bytes, 16, 4)),
                           static_cast<int>(bigEndian(bytes, 20, 4))};
    }
    if (bytes.size() < 4 || bigEndian(bytes, 0, 2) != 0xFFD8)
        return std::nullopt;
    // Walk the JPEG segments to the first start-of-frame marker.
    size_t at = 2;
    while (at + 9 <= bytes.size() && static_cast<unsigned char>(bytes[at]) == 0xFF) {
        const uint32_t marker = static_cast<unsigned char>(bytes[at + 1]);
        const uint32_t length = bigEndian(bytes, at + 2, 2);
        const bool startOfFrame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (startOfFrame) {
            return ImageHeader{expected::Kind::jpeg, static_cast<int>(bigEndian(bytes, at + 7, 2)),
                               static_cast<int>(bigEndian(bytes, at + 5, 2))};
        }
        at += 2 + length;
    }
    return std::nullopt;
}

}  // namespace resfixture
