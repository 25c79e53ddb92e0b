#pragma once

#include <windows.h>

#include <iphlpapi.h>
#include <soui/SString.h>

#include <array>
#include <cstdint>
#include <string>

// The machine code that identifies this computer to the web services, and the disk-serial and
// adapter helpers around it.

// The two platform inputs of the machine code. The program uses systemMachineProbe(); tests give
// their own CPUID words and descriptor bytes.
class MachineProbe {
  public:
    virtual ~MachineProbe() = default;
    // EAX, EBX, ECX, EDX after CPUID with EAX = leaf and ECX = subleaf.
    virtual std::array<uint32_t, 4> cpuid(uint32_t leaf, uint32_t subleaf) const = 0;
    // Fills buffer with the storage device descriptor of physical drive `drive`; the number of
    // bytes the query returned, or -1 when the drive cannot be opened or queried.
    virtual long queryStorageDescriptor(int drive, unsigned char* buffer, uint32_t size) const = 0;
};

const MachineProbe& systemMachineProbe();

// Size of the process-wide buffer that receives a storage device descriptor.
constexpr uint32_t kDescriptorBufferSize = 10000;

SOUI::SStringA makeMachineCode();
SOUI::SStringA makeMachineCode(const MachineProbe& probe);
SOUI::SStringA getCpuIdText();
SOUI::SStringA getCpuIdText(const MachineProbe& probe);
// The accepted serial of physical drive 0, or empty.
SOUI::SStringA getDiskSerialText();
SOUI::SStringA getDiskSerialText(const MachineProbe& probe);

// The accepted serial of a drive into out (outSize >= 256 holds any serial); its length, or 0 with
// out untouched when there is none.
int readDiskSerial(char* out, size_t outSize, int drive);
int readDiskSerial(char* out, size_t outSize, int drive, const MachineProbe& probe);

// One line "第<n>块硬盘的序列号为：<serial>" for each of the drives 0 to 15 that has a serial.
std::wstring diskSerialsReport(const MachineProbe& probe);
void printDiskSerials();

// Upper-case hex of the bytes into the process-wide hex text buffer (2048 bytes); -1 when the text
// would not fit, the digits written so far kept.
int bytesToHex(const unsigned char* data, int length);
const char* hexTextBuffer();

// The hardware addresses of the network adapters as upper-case hex, or empty.
SOUI::SStringA getMacAddressText();
// The same from an adapter list as GetAdaptersInfo gives it.
SOUI::SStringA macAddressTextFrom(const IP_ADAPTER_INFO* adapters);
