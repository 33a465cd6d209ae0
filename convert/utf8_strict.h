// Strict UTF-8: the well-formed sequences of the Unicode standard (no overlong forms, no
// surrogates, nothing above U+10FFFF).
#pragma once

#include <cstddef>
#include <string_view>

namespace qb {

constexpr char32_t kInvalidUtf8 = 0xFFFFFFFF;

// The character at `pos` of UTF-8 text (pos < text.size()); `length` is its length. For bytes
// that begin no well-formed sequence the result is kInvalidUtf8 and `length` the length of the
// maximal invalid subsequence (at least 1), as the standard's replacement practice counts it.
inline char32_t DecodeUtf8Strictly(std::string_view text, std::size_t pos, std::size_t& length) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char b = byte(pos);
    length = 1;
    if (b < 0x80) return b;
    std::size_t need;
    char32_t cp;
    unsigned char low = 0x80, high = 0xBF;  // the range of the first continuation byte
    if (b >= 0xC2 && b <= 0xDF) {
        need = 1, cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        need = 2, cp = b & 0x0F;
        if (b == 0xE0) low = 0xA0;
        if (b == 0xED) high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        need = 3, cp = b & 0x07;
        if (b == 0xF0) low = 0x90;
        if (b == 0xF4) high = 0x8F;
    } else {
        return kInvalidUtf8;
    }
    for (std::size_t k = 1; k <= need; ++k) {
        if (pos + k >= text.size()) return kInvalidUtf8;
        const unsigned char c = byte(pos + k);
        if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF)) return kInvalidUtf8;
        cp = cp << 6 | (c & 0x3F);
        length = k + 1;
    }
    return cp;
}

}  // namespace qb
