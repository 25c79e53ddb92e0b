#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "machinecode/DiskSerialDecoder.h"
#include "machinecode/MachineCode.h"

// A storage device descriptor whose serial field points at the given bytes, placed at offset.
inline std::vector<unsigned char> descriptorWithSerial(const std::string& serial,
                                                       int32_t offset = 64,
                                                       bool terminate = true) {
    std::vector<unsigned char> bytes(static_cast<size_t>(offset) + serial.size() + (terminate ? 1 : 0), 0);
    const auto field = static_cast<uint32_t>(offset);
    for (int i = 0; i < 4; ++i) {
        bytes[kSerialOffsetField + static_cast<size_t>(i)] = static_cast<unsigned char>(field >> (8 * i));
    }
    std::copy(serial.begin(), serial.end(), bytes.begin() + offset);
    return bytes;
}

// CPUID words and descriptors chosen by the test; a drive without a descriptor cannot be opened.
class FakeMachineProbe : public MachineProbe {
  public:
    std::array<uint32_t, 4> cpuid(uint32_t leaf, uint32_t /*subleaf*/) const override {
        const auto found = leaves.find(leaf);
        return found == leaves.end() ? std::array<uint32_t, 4>{} : found->second;
    }
    long queryStorageDescriptor(int drive, unsigned char* buffer, uint32_t size) const override {
        const auto found = drives.find(drive);
        if (found == drives.end()) {
            return -1;
        }
        const size_t n = std::min<size_t>(found->second.size(), size);
        std::memcpy(buffer, found->second.data(), n);
        return static_cast<long>(returnedOverride >= 0 ? returnedOverride : static_cast<long>(n));
    }

    std::map<uint32_t, std::array<uint32_t, 4>> leaves;  // EAX, EBX, ECX, EDX
    std::map<int, std::vector<unsigned char>> drives;
    long returnedOverride = -1;
};
