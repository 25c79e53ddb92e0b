#include "machinecode/DiskSerialDecoder.h"

#include <cstring>
#include <utility>

namespace {

bool isWhite(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isPrintable(unsigned char c) {
    return c >= 0x20 && c <= 0x7E;
}

bool isAsciiAlnum(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A hex digit after lower-casing, white space counting as '0'; -1 for anything else.
int serialHexDigit(unsigned char c) {
    if (isWhite(c)) {
        return 0;
    }
    if (c >= 'A' && c <= 'Z') {
        c = static_cast<unsigned char>(c - 'A' + 'a');
    }
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// The whole source must read as pairs of digits making zero or printable bytes. Decoded bytes
// beyond capacity are checked but not kept. False when the source is not such hex text.
bool decodeHex(const unsigned char* source, size_t length, char* out, size_t capacity, size_t& n) {
    n = 0;
    int high = -1;
    for (size_t i = 0; i < length; ++i) {
        const int digit = serialHexDigit(source[i]);
        if (digit < 0) {
            return false;
        }
        if (high < 0) {
            high = digit;
            continue;
        }
        const auto byte = static_cast<unsigned char>(high * 16 + digit);
        high = -1;
        if (byte != 0 && !isPrintable(byte)) {
            return false;
        }
        if (n < capacity) {
            out[n] = static_cast<char>(byte);
        }
        ++n;
    }
    if (n > capacity) {
        n = capacity;
    }
    return true;
}

// The source as it is, all printable, cut to capacity; n is 0 when any byte is not printable.
void copyPlain(const unsigned char* source, size_t length, char* out, size_t capacity, size_t& n) {
    for (size_t i = 0; i < length; ++i) {
        if (!isPrintable(source[i])) {
            n = 0;
            return;
        }
    }
    n = length < capacity ? length : capacity;
    std::memcpy(out, source, n);
}

void trimWhite(char* text) {
    const size_t length = std::strlen(text);
    size_t first = 0;
    while (first < length && isWhite(static_cast<unsigned char>(text[first]))) {
        ++first;
    }
    if (first == length) {
        return;
    }
    size_t last = length - 1;
    while (isWhite(static_cast<unsigned char>(text[last]))) {
        --last;
    }
    const size_t kept = last - first + 1;
    std::memmove(text, text + first, kept);
    text[kept] = '\0';
}

}  // namespace

int32_t serialOffsetOf(const unsigned char* descriptor, size_t descriptorBytes) {
    if (descriptor == nullptr || descriptorBytes < kSerialOffsetField + 4) {
        return 0;
    }
    const unsigned char* field = descriptor + kSerialOffsetField;
    const uint32_t value = static_cast<uint32_t>(field[0]) | (static_cast<uint32_t>(field[1]) << 8) |
                           (static_cast<uint32_t>(field[2]) << 16) | (static_cast<uint32_t>(field[3]) << 24);
    return static_cast<int32_t>(value);
}

char* decodeDiskSerial(const unsigned char* descriptor,
                       size_t descriptorBytes,
                       int32_t offset,
                       char* out,
                       size_t outSize) {
    if (out == nullptr || outSize == 0) {
        return out;
    }
    out[0] = '\0';
    if (descriptor == nullptr || offset <= 0 || static_cast<size_t>(offset) >= descriptorBytes) {
        return out;
    }
    const unsigned char* source = descriptor + offset;
    const size_t available = descriptorBytes - static_cast<size_t>(offset);
    const void* zero = std::memchr(source, 0, available);
    const size_t length =
        zero != nullptr ? static_cast<size_t>(static_cast<const unsigned char*>(zero) - source) : available;
    // One byte stays free for the terminator, which the pair exchange below may take part in.
    const size_t capacity = outSize - 1;
    size_t n = 0;
    if (!decodeHex(source, length, out, capacity, n)) {
        copyPlain(source, length, out, capacity, n);
    }
    out[n] = '\0';
    for (size_t i = 0; i < n; i += 2) {
        std::swap(out[i], out[i + 1]);
    }
    trimWhite(out);
    return out;
}

int acceptDiskSerial(const char* decoded, char* out, size_t outSize) {
    if (decoded == nullptr || out == nullptr || outSize == 0 || !isAsciiAlnum(static_cast<unsigned char>(decoded[0]))) {
        return 0;
    }
    size_t length = std::strlen(decoded);
    length = length > 255 ? 255 : length;
    length = length > outSize - 1 ? outSize - 1 : length;
    std::memcpy(out, decoded, length);
    out[length] = '\0';
    return static_cast<int>(length);
}

void swapBytePairs(unsigned char* buffer, uint16_t length) {
    for (uint32_t i = 0; i < length; i += 2) {
        std::swap(buffer[i], buffer[i + 1]);
    }
}
