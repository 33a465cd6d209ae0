// JIS code listings of arbitrary text: the text has as many bytes as the listing holds, and the
// JIS listing of arbitrary text stays within three characters per byte.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "convert/hex_code.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (qb::JisHexToText(text).size() != qb::HexToBytes(text).size()) std::abort();
    if (qb::JisHexDump(text).size() > 3 * size) std::abort();
    return 0;
}
