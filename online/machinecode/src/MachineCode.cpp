#include "machinecode/MachineCode.h"

#include <windows.h>

#include <iphlpapi.h>

#include <cstdio>
#include <cstring>
#include <iterator>

#include "machinecode/DiskSerialDecoder.h"
#include "machinecode/MachineCodeHash.h"

using SOUI::SStringA;

namespace {

constexpr size_t kSerialWorkSize = 1000;
constexpr size_t kHexTextSize = 2048;
constexpr size_t kAddressBufferSize = 2048;
constexpr size_t kSerialTextSize = 256;

// Process-wide, as the disk and adapter helpers have always kept them; not for two threads at once.
unsigned char g_descriptor[kDescriptorBufferSize];
char g_hexText[kHexTextSize];
char g_driveSerial[kSerialTextSize];

void appendHexByte(char* text, size_t at, unsigned char byte) {
    static const char kDigits[] = "0123456789ABCDEF";
    text[at] = kDigits[byte >> 4];
    text[at + 1] = kDigits[byte & 0x0F];
    text[at + 2] = '\0';
}

}  // namespace

SStringA makeMachineCode() {
    return makeMachineCode(systemMachineProbe());
}

SStringA makeMachineCode(const MachineProbe& probe) {
    return SStringA(machineCodeFrom(getCpuIdText(probe).str(), getDiskSerialText(probe).str()));
}

SStringA getCpuIdText() {
    return getCpuIdText(systemMachineProbe());
}

SStringA getCpuIdText(const MachineProbe& probe) {
    const std::array<uint32_t, 4> leaf1 = probe.cpuid(1, 0);
    const std::array<uint32_t, 4> leaf3 = probe.cpuid(3, 0);
    return SStringA(cpuIdTextFrom(leaf1[3], leaf1[0], leaf3[3], leaf3[2]));
}

SStringA getDiskSerialText() {
    return getDiskSerialText(systemMachineProbe());
}

SStringA getDiskSerialText(const MachineProbe& probe) {
    char serial[kSerialTextSize] = {};
    readDiskSerial(serial, sizeof(serial), 0, probe);
    return SStringA(serial);
}

int readDiskSerial(char* out, size_t outSize, int drive) {
    return readDiskSerial(out, outSize, drive, systemMachineProbe());
}

int readDiskSerial(char* out, size_t outSize, int drive, const MachineProbe& probe) {
    std::memset(g_descriptor, 0, sizeof(g_descriptor));
    const long returned = probe.queryStorageDescriptor(drive, g_descriptor, sizeof(g_descriptor));
    if (returned <= 0) {
        return 0;
    }
    // The reply may be shorter than the buffer: the serial's offset must lie inside what came back.
    const size_t bytes =
        static_cast<size_t>(returned) < sizeof(g_descriptor) ? static_cast<size_t>(returned) : sizeof(g_descriptor);
    char work[kSerialWorkSize];
    decodeDiskSerial(g_descriptor, bytes, serialOffsetOf(g_descriptor, bytes), work, sizeof(work));
    return acceptDiskSerial(work, out, outSize);
}

std::wstring diskSerialsReport(const MachineProbe& probe) {
    std::wstring report;
    for (int drive = 0; drive < 16; ++drive) {
        std::memset(g_driveSerial, 0, sizeof(g_driveSerial));
        if (readDiskSerial(g_driveSerial, sizeof(g_driveSerial), drive, probe) == 0) {
            continue;
        }
        wchar_t line[512] = {};
        // msvcrt's formatter: "%hs" takes the narrow serial.
        _snwprintf(line, std::size(line) - 1, L"第%d块硬盘的序列号为：%hs\n", drive + 1, g_driveSerial);
        report += line;
    }
    return report;
}

void printDiskSerials() {
    const std::wstring report = diskSerialsReport(systemMachineProbe());
    std::fputws(report.c_str(), stdout);
    std::fflush(stdout);
}

int bytesToHex(const unsigned char* data, int length) {
    std::memset(g_hexText, 0, sizeof(g_hexText));
    for (int i = 0; i < length; ++i) {
        const size_t at = static_cast<size_t>(i) * 2;
        if (at + 3 > sizeof(g_hexText)) {
            return -1;
        }
        appendHexByte(g_hexText, at, data[i]);
    }
    return 0;
}

const char* hexTextBuffer() {
    return g_hexText;
}

SStringA macAddressTextFrom(const IP_ADAPTER_INFO* adapters) {
    unsigned char addresses[kAddressBufferSize] = {};
    size_t used = 0;
    size_t copied = 0;
    for (const IP_ADAPTER_INFO* adapter = adapters; adapter != nullptr; adapter = adapter->Next) {
        const size_t length =
            adapter->AddressLength < MAX_ADAPTER_ADDRESS_LENGTH ? adapter->AddressLength : MAX_ADAPTER_ADDRESS_LENGTH;
        if (used + length > sizeof(addresses)) {
            break;
        }
        std::memcpy(addresses + used, adapter->Address, length);
        used += length;
        ++copied;
    }
    // Six bytes an adapter, as the service expects; never more than were copied, for adapters whose
    // addresses are shorter.
    size_t bytes = copied * 6 < used ? copied * 6 : used;
    std::memset(g_hexText, 0, sizeof(g_hexText));
    for (size_t i = 0; i < bytes && i * 2 + 3 <= sizeof(g_hexText); ++i) {
        appendHexByte(g_hexText, i * 2, addresses[i]);
    }
    return SStringA(g_hexText);
}

SStringA getMacAddressText() {
    ULONG size = 0;
    if (GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW) {
        return {};
    }
    void* block = HeapAlloc(GetProcessHeap(), 0, size);
    if (block == nullptr) {
        return {};
    }
    auto* adapters = static_cast<IP_ADAPTER_INFO*>(block);
    SStringA text;
    if (GetAdaptersInfo(adapters, &size) == NO_ERROR) {
        text = macAddressTextFrom(adapters);
    }
    HeapFree(GetProcessHeap(), 0, block);
    return text;
}
