// UTF-16 of any bytes, odd lengths, lone surrogates and zero units included.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "convert/unicode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t units = (size + 1) / 2;
    if (qb::Utf16LeBytesToSjis(input).size() > 2 * units) std::abort();

    std::u16string text(units, u'\0');
    for (std::size_t k = 0; k < size; ++k)
        text[k / 2] = static_cast<char16_t>(text[k / 2] << 8 | data[k]);
    const std::string sjis = qb::Utf16ToSjis(text);
    if (sjis.size() > 2 * units) std::abort();
    // What came out of Unicode goes back to it and returns unchanged.
    if (qb::Utf16ToSjis(qb::SjisToUtf16(sjis)) != sjis) std::abort();
    return 0;
}
