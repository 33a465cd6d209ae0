// UTF-8 decoding of any bytes, against the plain UTF-8 -> UTF-16 -> code page 932 path; and
// Shift-JIS -> UTF-8 -> Shift-JIS is stable after one round.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "convert/cp932.h"
#include "convert/unicode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string sjis = qb::Utf8ToSjis(input);
    std::string_view body = input;
    if (body.substr(0, 3) == "\xEF\xBB\xBF") body.remove_prefix(3);
    if (sjis != qb::Utf16ToSjis(qb::Utf8ToUtf16(body))) std::abort();
    if (sjis.size() > body.size()) std::abort();

    const std::string utf8 = qb::SjisToUtf8(input);
    if (utf8 != qb::Utf16ToUtf8(qb::SjisToUtf16(input))) std::abort();
    const std::string once = qb::Utf8ToSjis(utf8);
    if (qb::Utf8ToSjis(qb::SjisToUtf8(once)) != once) std::abort();
    return 0;
}
