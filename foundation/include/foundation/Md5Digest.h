#pragma once

#include <cstdint>
#include <string>

// MD5 (RFC 1321). The account requests sign with it and the machine code is built from it.

// Streaming state: message length in bits (low word first), chaining values A-D, pending tail.
struct Md5Context {
    uint32_t bitCount[2];
    uint32_t state[4];
    unsigned char buffer[64];
};

void md5Init(Md5Context& ctx);
void md5Transform(Md5Context& ctx, const unsigned char block[64]);
void md5Update(Md5Context& ctx, const unsigned char* data, uint32_t length);
void md5Final(Md5Context& ctx, unsigned char out[16]);

// The 16 digest bytes in RFC 1321 output order; a plain value.
class CMd5Digest {
  public:
    CMd5Digest& compute(const void* data, uint32_t length);

    // 32 lower-case hexadecimal digits, byte 0 first.
    std::string toHexString() const;
    // Two characters per byte, parsed as hexToInt does; characters past the end of a short text
    // read as its terminator.
    CMd5Digest& fromHexString(const std::string& text);

    CMd5Digest& clear();
    CMd5Digest& assign(const CMd5Digest& other);
    CMd5Digest xorWith(CMd5Digest other) const;
    bool equals(CMd5Digest other) const;

    unsigned char bytes[16];
};

static_assert(sizeof(CMd5Digest) == 16);

// Lower-case hexadecimal digits only, after an optional "0X"; stops at the first other character.
int hexToInt(const std::string& text);
