#include "online/account/VersionOrder.h"

bool isNewerVersion(std::string_view online, std::string_view current) {
    const size_t common = online.size() < current.size() ? online.size() : current.size();
    for (size_t i = 0; i < common; ++i) {
        const auto a = static_cast<unsigned char>(online[i]);
        const auto b = static_cast<unsigned char>(current[i]);
        if (a != b) {
            return a > b;
        }
    }
    return online.size() > current.size();
}
