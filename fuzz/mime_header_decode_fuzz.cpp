// Encoded-word decoding of arbitrary header lines, then the JIS decoding the command applies;
// a line without "=?" comes back unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "convert/jis.h"
#include "convert/mime_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const std::string decoded = qb::MimeHeaderDecode(line);
    if (line.find("=?") == std::string_view::npos && decoded != line) std::abort();
    qb::JisShiftState state;
    const std::string text = qb::JisToSjisLine(decoded, state);
    (void)text;
    // Whatever the line holds, its encoded form decodes back to its JIS bytes.
    const std::string encoded = qb::MimeHeaderEncode(line, qb::JisEncoderOptions{});
    if (encoded != line) {
        qb::JisShiftState encodeState;
        if (qb::MimeHeaderDecode(encoded) != qb::SjisToJisLine(line, encodeState, {})) std::abort();
    }
    return 0;
}
