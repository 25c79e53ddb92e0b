// md5_throughput: hashes one buffer with CMd5Digest and with OpenSSL's MD5, taking turns, in this
// one process, and prints one line "NAME MB/S" per pass (MB = 10^6 bytes). Both digests of every
// pass must agree, or the program fails.
//
//   md5_throughput [--runs N] [--megabytes M]
#include <windows.h>

#include <openssl/evp.h>
#include <stdio.h>

#include <cstring>
#include <vector>

#include "foundation/Md5Digest.h"

namespace {

double nowSeconds() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool opensslMd5(const std::vector<unsigned char>& data, unsigned char out[16]) {
    unsigned int size = 0;
    return EVP_Digest(data.data(), data.size(), out, &size, EVP_md5(), nullptr) == 1 && size == 16;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 9;
    int megabytes = 64;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--runs") == 0) {
            runs = atoi(argv[i + 1]);
        } else if (std::strcmp(argv[i], "--megabytes") == 0) {
            megabytes = atoi(argv[i + 1]);
        }
    }
    if (runs < 1 || megabytes < 1 || megabytes > 1024) {
        fprintf(stderr, "usage: md5_throughput [--runs N] [--megabytes M]\n");
        return 2;
    }
    // Bytes that no compiler can fold: a linear congruential sequence.
    std::vector<unsigned char> data(static_cast<size_t>(megabytes) * 1000000u);
    uint32_t seed = 12345;
    for (unsigned char& value : data) {
        seed = seed * 1103515245u + 12345u;
        value = static_cast<unsigned char>(seed >> 24);
    }
    const double mb = static_cast<double>(data.size()) / 1e6;

    for (int pass = -1; pass < runs; ++pass) {  // pass -1 warms the caches, untimed
        CMd5Digest own{};
        double begin = nowSeconds();
        own.compute(data.data(), static_cast<uint32_t>(data.size()));
        const double ownSeconds = nowSeconds() - begin;

        unsigned char reference[16] = {};
        begin = nowSeconds();
        if (!opensslMd5(data, reference)) {
            fprintf(stderr, "md5_throughput: OpenSSL's MD5 failed\n");
            return 1;
        }
        const double opensslSeconds = nowSeconds() - begin;

        if (std::memcmp(own.bytes, reference, 16) != 0) {
            fprintf(stderr, "md5_throughput: the digests differ\n");
            return 1;
        }
        if (pass >= 0) {
            printf("md5_own %.1f\nmd5_openssl %.1f\n", mb / ownSeconds, mb / opensslSeconds);
            fflush(stdout);
        }
    }
    return 0;
}
