// '=' decoding of arbitrary text: never longer than the text, and text without '=' passes
// through unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "convert/url_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string decoded = qb::EqualsDecode(text);
    if (decoded.size() > size) std::abort();
    if (text.find('=') == std::string_view::npos && decoded != text) std::abort();
    return 0;
}
