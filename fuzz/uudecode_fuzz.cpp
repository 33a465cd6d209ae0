// Uudecoding of arbitrary lines: never more bytes than the count announces or the characters
// can hold.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "convert/uuencode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const auto bytes = qb::UudecodeLine(line);
    if (!bytes) {
        if (size == 0 || ((data[0] - 0x20u) & 0x3Fu) != 0) std::abort();
        return 0;
    }
    const std::size_t count = size == 0 ? 0 : (data[0] - 0x20u) & 0x3Fu;
    if (bytes->size() > count || bytes->size() > (size == 0 ? 0 : (size - 1) * 3 / 4)) std::abort();
    return 0;
}
