#include <windows.h>

#include <winioctl.h>

#include <cpuid.h>

#include "foundation/UniqueHandle.h"
#include "machinecode/MachineCode.h"

namespace {

// The query travels as its 12 bytes: property, query type and one parameter byte, padded.
static_assert(sizeof(STORAGE_PROPERTY_QUERY) == 12);

class SystemMachineProbe final : public MachineProbe {
  public:
    std::array<uint32_t, 4> cpuid(uint32_t leaf, uint32_t subleaf) const override {
        unsigned eax = 0;
        unsigned ebx = 0;
        unsigned ecx = 0;
        unsigned edx = 0;
        // Leaf 3 is asked for without checking the highest supported leaf; whatever comes back counts.
        __cpuid_count(leaf, subleaf, eax, ebx, ecx, edx);
        return {eax, ebx, ecx, edx};
    }

    long queryStorageDescriptor(int drive, unsigned char* buffer, uint32_t size) const override {
        wchar_t device[64] = {};
        wsprintfW(device, L"\\\\.\\PhysicalDrive%d", drive);
        // No read or write access: the property query needs neither.
        UniqueHandle disk(
            CreateFileW(device, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
        if (!disk.valid()) {
            return -1;
        }
        STORAGE_PROPERTY_QUERY query{};
        query.PropertyId = StorageDeviceProperty;
        query.QueryType = PropertyStandardQuery;
        DWORD returned = 0;
        if (!DeviceIoControl(disk.get(), IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof(query), buffer, size, &returned,
                             nullptr)) {
            return -1;
        }
        return static_cast<long>(returned);
    }
};

}  // namespace

const MachineProbe& systemMachineProbe() {
    static const SystemMachineProbe probe;
    return probe;
}
