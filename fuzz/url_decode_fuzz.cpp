// Percent decoding of arbitrary text: the result is never longer than the text plus one byte
// for each '&' (which becomes CR LF), and encoding it again decodes back to it.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "convert/url_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string decoded = qb::UrlDecode(text);
    const auto ampersands = static_cast<std::size_t>(std::count(text.begin(), text.end(), '&'));
    if (decoded.size() > size + ampersands) std::abort();
    if (qb::UrlDecode(qb::UrlEncode(decoded)) != decoded) std::abort();
    return 0;
}
