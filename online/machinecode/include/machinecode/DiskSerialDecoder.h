#pragma once

#include <cstddef>
#include <cstdint>

// The disk serial number as a storage device descriptor holds it. No platform calls: the bytes can
// come from any source.

// Byte position of SerialNumberOffset in a storage device descriptor.
constexpr size_t kSerialOffsetField = 24;

// The serial offset field of a descriptor; 0 when the descriptor is too short to hold it.
int32_t serialOffsetOf(const unsigned char* descriptor, size_t descriptorBytes);

// Decodes the zero-terminated serial at offset inside the first descriptorBytes bytes of
// descriptor into out (outSize bytes, at least 1): hexadecimal when the whole serial reads as hex
// pairs of printable bytes, else the text itself when it is all printable; then byte pairs are
// exchanged and blanks trimmed. An offset outside the descriptor gives an empty text; the serial
// ends at the descriptor's end, and the decoded text is cut to outSize - 1 bytes. Returns out.
char* decodeDiskSerial(const unsigned char* descriptor,
                       size_t descriptorBytes,
                       int32_t offset,
                       char* out,
                       size_t outSize);

// The acceptance rule: a decoded text that starts with an ASCII letter or digit is copied (its
// first 255 bytes at most, cut further to outSize - 1) to out and its length returned; otherwise
// 0 and out is not written.
int acceptDiskSerial(const char* decoded, char* out, size_t outSize);

// Exchanges buffer[i] and buffer[i + 1] for i = 0, 2, 4 ... below length; with an odd length the
// byte at buffer[length] takes part, so the buffer must hold length + 1 bytes then.
void swapBytePairs(unsigned char* buffer, uint16_t length);
