#include "convert/byte_find.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qb {

std::size_t FindBytes(std::string_view text, std::string_view needleText, std::size_t from) {
    const std::size_t m = needleText.size();
    if (m == 0) return from <= text.size() ? from : std::string_view::npos;
    const char* s = text.data();
    const char* needle = needleText.data();
    if (m == 1) {
        if (from >= text.size()) return std::string_view::npos;  // an empty view's data may be null
        const void* hit = std::memchr(s + from, needle[0], text.size() - from);
        return hit ? static_cast<const char*>(hit) - s : std::string_view::npos;
    }
    if (text.size() < m || from > text.size() - m) return std::string_view::npos;
    const std::size_t lastStart = text.size() - m;  // the last position a match can begin at
    std::size_t pos = from;
#if defined(__SSE2__)
    // Positions at..at+15 at once: a candidate has the needle's first byte at its position and
    // its last byte m - 1 further. A block reads bytes [at, at + m - 1 + 16), within the text; the
    // last block may overlap the one before, whose positions its mask leaves out.
    const auto spread = [](char c) {
        return _mm_set1_epi32(static_cast<int>(0x01010101u * static_cast<unsigned char>(c)));
    };
    const __m128i first = spread(needle[0]);
    const __m128i last = spread(needle[m - 1]);
    for (;;) {
        std::size_t at;
        unsigned mask = 0xFFFF;
        if (pos + 15 <= lastStart) {
            at = pos;
        } else if (pos <= lastStart && lastStart >= from + 15) {
            at = lastStart - 15;
            mask <<= pos - at;
        } else {
            break;
        }
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + at));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + at + m - 1));
        unsigned bits = static_cast<unsigned>(_mm_movemask_epi8(
                            _mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last)))) &
                        mask;
        for (; bits != 0; bits &= bits - 1) {
            const std::size_t p = at + static_cast<std::size_t>(__builtin_ctz(bits));
            if (m == 2 || std::memcmp(s + p + 1, needle + 1, m - 2) == 0) return p;
        }
        pos = at + 16;
    }
#endif
    for (; pos <= lastStart; ++pos) {
        const void* hit = std::memchr(s + pos, needle[0], lastStart + 1 - pos);
        if (!hit) break;
        pos = static_cast<const char*>(hit) - s;
        if (std::memcmp(s + pos + 1, needle + 1, m - 1) == 0) return pos;
    }
    return std::string_view::npos;
}

}  // namespace qb
