#include "foundation/Md5Digest.h"

#include <cstring>

namespace {

const unsigned char kPadding[64] = {0x80};

constexpr uint32_t rotl(uint32_t x, int s) {
    return (x << s) | (x >> (32 - s));
}

void encodeWords(unsigned char* out, const uint32_t* in, int count) {
    for (int i = 0; i < count; ++i) {
        out[4 * i] = static_cast<unsigned char>(in[i]);
        out[4 * i + 1] = static_cast<unsigned char>(in[i] >> 8);
        out[4 * i + 2] = static_cast<unsigned char>(in[i] >> 16);
        out[4 * i + 3] = static_cast<unsigned char>(in[i] >> 24);
    }
}

// Sine-derived constants, shift amounts and message-word orders of the four rounds.
constexpr uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};
constexpr int kShift[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

}  // namespace

void md5Init(Md5Context& ctx) {
    ctx.bitCount[0] = 0;
    ctx.bitCount[1] = 0;
    ctx.state[0] = 0x67452301;
    ctx.state[1] = 0xefcdab89;
    ctx.state[2] = 0x98badcfe;
    ctx.state[3] = 0x10325476;
}

void md5Transform(Md5Context& ctx, const unsigned char block[64]) {
    uint32_t x[16];
    for (int i = 0; i < 16; ++i) {
        x[i] = static_cast<uint32_t>(block[4 * i]) | (static_cast<uint32_t>(block[4 * i + 1]) << 8) |
               (static_cast<uint32_t>(block[4 * i + 2]) << 16) | (static_cast<uint32_t>(block[4 * i + 3]) << 24);
    }
    uint32_t a = ctx.state[0];
    uint32_t b = ctx.state[1];
    uint32_t c = ctx.state[2];
    uint32_t d = ctx.state[3];
    for (int i = 0; i < 64; ++i) {
        const int round = i / 16;
        uint32_t f = 0;
        int k = 0;
        switch (round) {
            case 0:
                f = (b & c) | (~b & d);
                k = i;
                break;
            case 1:
                f = (b & d) | (c & ~d);
                k = (5 * i + 1) % 16;
                break;
            case 2:
                f = b ^ c ^ d;
                k = (3 * i + 5) % 16;
                break;
            default:
                f = c ^ (b | ~d);
                k = (7 * i) % 16;
                break;
        }
        const uint32_t rotated = rotl(a + f + x[k] + kSine[i], kShift[round][i % 4]);
        a = d;
        d = c;
        c = b;
        b = b + rotated;
    }
    ctx.state[0] += a;
    ctx.state[1] += b;
    ctx.state[2] += c;
    ctx.state[3] += d;
}

void md5Update(Md5Context& ctx, const unsigned char* data, uint32_t length) {
    uint32_t index = (ctx.bitCount[0] >> 3) & 0x3F;
    const uint32_t addedLow = length << 3;
    ctx.bitCount[0] += addedLow;
    if (ctx.bitCount[0] < addedLow) {
        ++ctx.bitCount[1];
    }
    ctx.bitCount[1] += length >> 29;

    if (index != 0 && length >= 64 - index) {
        const uint32_t part = 64 - index;
        std::memcpy(&ctx.buffer[index], data, part);
        md5Transform(ctx, ctx.buffer);
        data += part;
        length -= part;
        index = 0;
    }
    while (length >= 64) {
        md5Transform(ctx, data);
        data += 64;
        length -= 64;
    }
    if (length != 0) {
        std::memcpy(&ctx.buffer[index], data, length);
    }
}

void md5Final(Md5Context& ctx, unsigned char out[16]) {
    unsigned char bits[8];
    encodeWords(bits, ctx.bitCount, 2);
    const uint32_t index = (ctx.bitCount[0] >> 3) & 0x3F;
    const uint32_t padLength = index < 56 ? 56 - index : 120 - index;
    md5Update(ctx, kPadding, padLength);
    md5Update(ctx, bits, 8);
    encodeWords(out, ctx.state, 4);
}

CMd5Digest& CMd5Digest::compute(const void* data, uint32_t length) {
    Md5Context ctx;
    md5Init(ctx);
    if (length != 0) {
        md5Update(ctx, static_cast<const unsigned char*>(data), length);
    }
    md5Final(ctx, bytes);
    return *this;
}

std::string CMd5Digest::toHexString() const {
    static const char kDigits[] = "0123456789abcdef";
    std::string text(32, '0');
    for (int i = 0; i < 16; ++i) {
        text[2 * i] = kDigits[bytes[i] >> 4];
        text[2 * i + 1] = kDigits[bytes[i] & 0x0F];
    }
    return text;
}

CMd5Digest& CMd5Digest::fromHexString(const std::string& text) {
    if (text.empty()) {
        return clear();
    }
    for (size_t i = 0; i < 16; ++i) {
        const size_t at = 2 * i;
        const std::string pair = at < text.size() ? text.substr(at, 2) : std::string();
        bytes[i] = static_cast<unsigned char>(hexToInt(pair) & 0xFF);
    }
    return *this;
}

CMd5Digest& CMd5Digest::clear() {
    std::memset(bytes, 0, sizeof(bytes));
    return *this;
}

CMd5Digest& CMd5Digest::assign(const CMd5Digest& other) {
    std::memcpy(bytes, other.bytes, sizeof(bytes));
    return *this;
}

CMd5Digest CMd5Digest::xorWith(CMd5Digest other) const {
    CMd5Digest result;
    for (int i = 0; i < 16; ++i) {
        result.bytes[i] = static_cast<unsigned char>(bytes[i] ^ other.bytes[i]);
    }
    return result;
}

bool CMd5Digest::equals(CMd5Digest other) const {
    for (int word = 0; word < 4; ++word) {
        if (std::memcmp(&bytes[4 * word], &other.bytes[4 * word], 4) != 0) {
            return false;
        }
    }
    return true;
}

int hexToInt(const std::string& text) {
    size_t i = 0;
    if (text.size() >= 2 && text[0] == '0' && text[1] == 'X') {
        i = 2;
    }
    uint32_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = hexDigit(text[i]);
        if (digit < 0) {
            break;
        }
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    return static_cast<int>(value);
}
