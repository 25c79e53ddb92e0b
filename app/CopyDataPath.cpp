#include "CopyDataPath.h"

std::u16string copyDataPath(const void* data, std::size_t byteCount) {
    std::u16string path;
    if (!data) {
        return path;
    }
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i + 1 < byteCount; i += 2) {
        const auto unit = static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
        if (unit == u'\0') {
            break;
        }
        path += unit;
    }
    return path;
}
