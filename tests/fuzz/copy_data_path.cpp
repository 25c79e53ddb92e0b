// The path of WM_COPYDATA over any bytes, handed over with any byte count up to their number (the
// first byte chooses how many are cut off). The path is the data's little-endian units up to the
// first zero unit within the count: no zero unit in it, the units it holds are those of the data,
// and a path shorter than the count's whole units ends before a zero unit. Nothing past the count
// is read (the data lies in a buffer exactly as long).
#include <algorithm>

#include "CopyDataPath.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        FUZZ_CHECK(copyDataPath(nullptr, 0).empty());
        return 0;
    }
    const size_t count = size - 1 - std::min<size_t>(data[0] % 4, size - 1);
    const std::vector<uint8_t> bytes(data + 1, data + 1 + count);
    const std::u16string path = copyDataPath(bytes.data(), count);

    const size_t units = count / 2;
    FUZZ_CHECK(path.size() <= units);
    for (size_t i = 0; i < path.size(); ++i) {
        FUZZ_CHECK(path[i] != u'\0');
        FUZZ_CHECK(path[i] == (bytes[2 * i] | bytes[2 * i + 1] << 8));
    }
    FUZZ_CHECK(path.size() == units || (bytes[2 * path.size()] == 0 && bytes[2 * path.size() + 1] == 0));
    FUZZ_CHECK(copyDataPath(nullptr, count).empty());
    return 0;
}
