// UTF-7 decoding of any bytes, runs that never end included.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "convert/unicode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // Eight base64 characters make three units of at most two bytes each.
    if (qb::Utf7ToSjis(input).size() > input.size()) std::abort();
    return 0;
}
