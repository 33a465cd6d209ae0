// Hexadecimal text of arbitrary bytes: every byte but a last unpaired one takes two characters,
// and a dump reads back as the bytes it lists.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "convert/hex_code.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string bytes = qb::HexToBytes(text);
    if (bytes.size() > (size + 1) / 2) std::abort();
    if (qb::HexToBytes(qb::HexDump(text)) != text) std::abort();
    return 0;
}
