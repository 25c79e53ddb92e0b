#include "foundation/Md5Digest.h"

#include <cstring>

namespace {

const unsigned char kPadding[64] = {0x80};

void encodeWords(unsigned char* out, const uint32_t* in, int count) {
    for (int i = 0; i < count; ++i) {
        out[4 * i] = static_cast<unsigned char>(in[i]);
        out[4 * i + 1] = static_cast<unsigned char>(in[i] >> 8);
        out[4 * i + 2] = static_cast<unsigned char>(in[i] >> 16);
        out[4 * i + 3] = static_cast<unsigned char>(in[i] >> 24);
    }
}

// The message word i of a block, little-endian whatever the host's byte order.
inline uint32_t loadWord(const unsigned char* block, int i) {
    uint32_t word;
    std::memcpy(&word, block + 4 * i, 4);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    word = __builtin_bswap32(word);
#endif
    return word;
}

// The auxiliary functions of RFC 1321 in forms with the same values and fewer operations after
// the newest chaining value x is known (the chain the steps wait on): F's selection as a masked
// exclusive-or, H with y ^ z first.
#define MD5_F(x, y, z) ((z) ^ ((x) & ((y) ^ (z))))
#define MD5_H(x, y, z) ((x) ^ ((y) ^ (z)))
#define MD5_I(x, y, z) ((y) ^ ((x) | ~(z)))
// One step: a := b + ((a + f(b, c, d) + X[k] + T[i]) <<< s), the word and constant added first.
#define MD5_STEP(f, a, b, c, d, k, t, s)    \
    do {                                    \
        a += loadWord(block, k) + (t);      \
        a += f(b, c, d);                    \
        a = (a << (s)) | (a >> (32 - (s))); \
        a += b;                             \
    } while (0)
// The steps of the second round: G(b, c, d) = (b & d) | (c & ~d) selects disjoint bits, so it is
// also their sum, and the half without b is added before b is known.
#define MD5_STEP_G(a, b, c, d, k, t, s)               \
    do {                                              \
        a += loadWord(block, k) + (t) + ((c) & ~(d)); \
        a += (b) & (d);                               \
        a = (a << (s)) | (a >> (32 - (s)));           \
        a += b;                                       \
    } while (0)

// The compression of count consecutive 64-byte blocks into state. The rounds are written out with
// their sine-derived constants, shift amounts and message-word orders, so the chaining values stay
// in registers across the steps and the words are read straight from the message.
void transformBlocks(uint32_t state[4], const unsigned char* block, uint32_t count) {
    uint32_t a = state[0];
    uint32_t b = state[1];
    uint32_t c = state[2];
    uint32_t d = state[3];
    for (; count != 0; --count, block += 64) {
        const uint32_t aa = a;
        const uint32_t bb = b;
        const uint32_t cc = c;
        const uint32_t dd = d;

        MD5_STEP(MD5_F, a, b, c, d, 0, 0xd76aa478, 7);
        MD5_STEP(MD5_F, d, a, b, c, 1, 0xe8c7b756, 12);
        MD5_STEP(MD5_F, c, d, a, b, 2, 0x242070db, 17);
        MD5_STEP(MD5_F, b, c, d, a, 3, 0xc1bdceee, 22);
        MD5_STEP(MD5_F, a, b, c, d, 4, 0xf57c0faf, 7);
        MD5_STEP(MD5_F, d, a, b, c, 5, 0x4787c62a, 12);
        MD5_STEP(MD5_F, c, d, a, b, 6, 0xa8304613, 17);
        MD5_STEP(MD5_F, b, c, d, a, 7, 0xfd469501, 22);
        MD5_STEP(MD5_F, a, b, c, d, 8, 0x698098d8, 7);
        MD5_STEP(MD5_F, d, a, b, c, 9, 0x8b44f7af, 12);
        MD5_STEP(MD5_F, c, d, a, b, 10, 0xffff5bb1, 17);
        MD5_STEP(MD5_F, b, c, d, a, 11, 0x895cd7be, 22);
        MD5_STEP(MD5_F, a, b, c, d, 12, 0x6b901122, 7);
        MD5_STEP(MD5_F, d, a, b, c, 13, 0xfd987193, 12);
        MD5_STEP(MD5_F, c, d, a, b, 14, 0xa679438e, 17);
        MD5_STEP(MD5_F, b, c, d, a, 15, 0x49b40821, 22);

        MD5_STEP_G(a, b, c, d, 1, 0xf61e2562, 5);
        MD5_STEP_G(d, a, b, c, 6, 0xc040b340, 9);
        MD5_STEP_G(c, d, a, b, 11, 0x265e5a51, 14);
        MD5_STEP_G(b, c, d, a, 0, 0xe9b6c7aa, 20);
        MD5_STEP_G(a, b, c, d, 5, 0xd62f105d, 5);
        MD5_STEP_G(d, a, b, c, 10, 0x02441453, 9);
        MD5_STEP_G(c, d, a, b, 15, 0xd8a1e681, 14);
        MD5_STEP_G(b, c, d, a, 4, 0xe7d3fbc8, 20);
        MD5_STEP_G(a, b, c, d, 9, 0x21e1cde6, 5);
        MD5_STEP_G(d, a, b, c, 14, 0xc33707d6, 9);
        MD5_STEP_G(c, d, a, b, 3, 0xf4d50d87, 14);
        MD5_STEP_G(b, c, d, a, 8, 0x455a14ed, 20);
        MD5_STEP_G(a, b, c, d, 13, 0xa9e3e905, 5);
        MD5_STEP_G(d, a, b, c, 2, 0xfcefa3f8, 9);
        MD5_STEP_G(c, d, a, b, 7, 0x676f02d9, 14);
        MD5_STEP_G(b, c, d, a, 12, 0x8d2a4c8a, 20);

        MD5_STEP(MD5_H, a, b, c, d, 5, 0xfffa3942, 4);
        MD5_STEP(MD5_H, d, a, b, c, 8, 0x8771f681, 11);
        MD5_STEP(MD5_H, c, d, a, b, 11, 0x6d9d6122, 16);
        MD5_STEP(MD5_H, b, c, d, a, 14, 0xfde5380c, 23);
        MD5_STEP(MD5_H, a, b, c, d, 1, 0xa4beea44, 4);
        MD5_STEP(MD5_H, d, a, b, c, 4, 0x4bdecfa9, 11);
        MD5_STEP(MD5_H, c, d, a, b, 7, 0xf6bb4b60, 16);
        MD5_STEP(MD5_H, b, c, d, a, 10, 0xbebfbc70, 23);
        MD5_STEP(MD5_H, a, b, c, d, 13, 0x289b7ec6, 4);
        MD5_STEP(MD5_H, d, a, b, c, 0, 0xeaa127fa, 11);
        MD5_STEP(MD5_H, c, d, a, b, 3, 0xd4ef3085, 16);
        MD5_STEP(MD5_H, b, c, d, a, 6, 0x04881d05, 23);
        MD5_STEP(MD5_H, a, b, c, d, 9, 0xd9d4d039, 4);
        MD5_STEP(MD5_H, d, a, b, c, 12, 0xe6db99e5, 11);
        MD5_STEP(MD5_H, c, d, a, b, 15, 0x1fa27cf8, 16);
        MD5_STEP(MD5_H, b, c, d, a, 2, 0xc4ac5665, 23);

        MD5_STEP(MD5_I, a, b, c, d, 0, 0xf4292244, 6);
        MD5_STEP(MD5_I, d, a, b, c, 7, 0x432aff97, 10);
        MD5_STEP(MD5_I, c, d, a, b, 14, 0xab9423a7, 15);
        MD5_STEP(MD5_I, b, c, d, a, 5, 0xfc93a039, 21);
        MD5_STEP(MD5_I, a, b, c, d, 12, 0x655b59c3, 6);
        MD5_STEP(MD5_I, d, a, b, c, 3, 0x8f0ccc92, 10);
        MD5_STEP(MD5_I, c, d, a, b, 10, 0xffeff47d, 15);
        MD5_STEP(MD5_I, b, c, d, a, 1, 0x85845dd1, 21);
        MD5_STEP(MD5_I, a, b, c, d, 8, 0x6fa87e4f, 6);
        MD5_STEP(MD5_I, d, a, b, c, 15, 0xfe2ce6e0, 10);
        MD5_STEP(MD5_I, c, d, a, b, 6, 0xa3014314, 15);
        MD5_STEP(MD5_I, b, c, d, a, 13, 0x4e0811a1, 21);
        MD5_STEP(MD5_I, a, b, c, d, 4, 0xf7537e82, 6);
        MD5_STEP(MD5_I, d, a, b, c, 11, 0xbd3af235, 10);
        MD5_STEP(MD5_I, c, d, a, b, 2, 0x2ad7d2bb, 15);
        MD5_STEP(MD5_I, b, c, d, a, 9, 0xeb86d391, 21);

        a += aa;
        b += bb;
        c += cc;
        d += dd;
    }
    state[0] = a;
    state[1] = b;
    state[2] = c;
    state[3] = d;
}

#undef MD5_STEP
#undef MD5_I
#undef MD5_H
#undef MD5_STEP_G
#undef MD5_F

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
    transformBlocks(ctx.state, block, 1);
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
    if (length >= 64) {
        const uint32_t blocks = length / 64;
        transformBlocks(ctx.state, data, blocks);
        data += 64 * blocks;
        length -= 64 * blocks;
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
