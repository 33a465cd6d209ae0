// Base64 decoding of arbitrary lines: both forms stay within their bounds, the text form is the
// byte form cut at its first zero byte, and what decodes re-encodes to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "convert/base64.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string bytes = qb::Base64DecodeBytes(text);
    const std::string str = qb::Base64DecodeString(text);
    if (bytes.size() > size / 4 * 3 + 2) std::abort();
    if (str != bytes.substr(0, bytes.find('\0'))) std::abort();
    if (qb::Base64DecodeBytes(qb::Base64EncodeBytes(bytes)) != bytes) std::abort();
    return 0;
}
