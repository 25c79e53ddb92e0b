// A storage device descriptor of any bytes: the serial is read from the offset it names, decoded
// into work buffers of the program's size and of small sizes, and put through the acceptance rule.
// A decoded serial is printable ASCII, trimmed of white space unless it is nothing else, and fits
// its buffer; an accepted one starts with a letter or digit and holds at most 255 bytes.
#include <algorithm>
#include <cstring>

#include "FuzzInput.h"
#include "machinecode/DiskSerialDecoder.h"

namespace {

bool isWhite(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

void checkDecoded(const char* text, size_t outSize) {
    const size_t length = std::strlen(text);
    FUZZ_CHECK(length < outSize);
    for (size_t i = 0; i < length; ++i) {
        FUZZ_CHECK(text[i] >= 0x20 && text[i] <= 0x7E);
    }
    // Trimmed, unless it is all white space: that is left for the acceptance rule to reject.
    const bool allWhite = std::all_of(text, text + length, isWhite);
    FUZZ_CHECK(allWhite || (!isWhite(text[0]) && !isWhite(text[length - 1])));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Exactly as long as the reply, so that a read past it is caught.
    const std::vector<unsigned char> descriptor(data, data + size);
    const int32_t offset = serialOffsetOf(descriptor.data(), descriptor.size());

    std::vector<char> work(1000);  // the size of the program's work buffer
    decodeDiskSerial(descriptor.data(), descriptor.size(), offset, work.data(), work.size());
    checkDecoded(work.data(), work.size());

    // A buffer too small for the serial: the text is cut, never written past.
    std::vector<char> small(1 + size % 16);
    decodeDiskSerial(descriptor.data(), descriptor.size(), offset, small.data(), small.size());
    checkDecoded(small.data(), small.size());

    char accepted[256];
    std::memset(accepted, 0x5A, sizeof(accepted));
    const int length = acceptDiskSerial(work.data(), accepted, sizeof(accepted));
    if (length == 0) {
        FUZZ_CHECK(std::all_of(accepted, accepted + sizeof(accepted), [](char c) { return c == 0x5A; }));
    } else {
        FUZZ_CHECK(length > 0 && length <= 255);
        FUZZ_CHECK(static_cast<size_t>(length) == std::strlen(accepted));
        FUZZ_CHECK(isAsciiAlnum(accepted[0]));
        FUZZ_CHECK(std::memcmp(accepted, work.data(), static_cast<size_t>(length)) == 0);
    }

    // The pair exchange takes the byte after an odd length, so the buffer holds one more; done
    // twice it gives the bytes back.
    const auto pairs = static_cast<uint16_t>(std::min<size_t>(size, 0xFFFF));
    std::vector<unsigned char> swapped(descriptor.begin(), descriptor.begin() + pairs);
    swapped.push_back(0);
    swapBytePairs(swapped.data(), pairs);
    swapBytePairs(swapped.data(), pairs);
    FUZZ_CHECK(std::equal(swapped.begin(), swapped.begin() + pairs, descriptor.begin()));
    return 0;
}
