#include "online/account/Nonce.h"

#include <windows.h>

#include <bcrypt.h>

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr unsigned kAlphabetSize = sizeof(kAlphabet) - 1;               // 62
constexpr unsigned kAcceptBelow = 256 / kAlphabetSize * kAlphabetSize;  // 248: keeps every character equally likely
constexpr int kLength = 32;

}  // namespace

SOUI::SStringA makeNonce() {
    SOUI::SStringA nonce;
    unsigned char random[64];
    while (nonce.GetLength() < kLength) {
        if (!BCRYPT_SUCCESS(BCryptGenRandom(nullptr, random, sizeof(random), BCRYPT_USE_SYSTEM_PREFERRED_RNG))) {
            return SOUI::SStringA();
        }
        for (unsigned char value : random) {
            if (value < kAcceptBelow && nonce.GetLength() < kLength) {
                nonce.AppendChar(kAlphabet[value % kAlphabetSize]);
            }
        }
    }
    return nonce;
}
