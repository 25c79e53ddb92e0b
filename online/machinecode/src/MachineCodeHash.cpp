#include "machinecode/MachineCodeHash.h"

#include "foundation/Md5Digest.h"

namespace {

void appendHexWord(std::string& text, uint32_t word) {
    static const char kDigits[] = "0123456789ABCDEF";
    for (int shift = 28; shift >= 0; shift -= 4) {
        text += kDigits[(word >> shift) & 0x0F];
    }
}

}  // namespace

std::string cpuIdTextFrom(uint32_t leaf1Edx, uint32_t leaf1Eax, uint32_t leaf3Edx, uint32_t leaf3Ecx) {
    std::string text;
    text.reserve(32);
    appendHexWord(text, leaf1Edx);
    appendHexWord(text, leaf1Eax);
    appendHexWord(text, leaf3Edx);
    appendHexWord(text, leaf3Ecx);
    return text;
}

std::string machineCodeFrom(const std::string& cpuText, const std::string& diskSerial) {
    const std::string salted = "Mirv" + cpuText + diskSerial + "7orb";
    CMd5Digest digest{};
    digest.compute(salted.data(), static_cast<uint32_t>(salted.size()));
    const std::string hex = digest.toHexString();
    return hex.substr(0, 8) + "-" + hex.substr(8, 8) + "-" + hex.substr(16, 8) + "-" + hex.substr(24, 8);
}
