// Word-at-a-time byte tests for the kernels' fast paths over runs of plain bytes.
#pragma once

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qb::detail {

constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
constexpr std::uint64_t kLowBits = 0x0101010101010101ull;

// Eight bytes from p (any alignment), least significant byte first.
inline std::uint64_t LoadWord(const char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
#if __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    w = __builtin_bswap64(w);
#endif
    return w;
}

// Four bytes from p, the first in the low byte.
inline std::uint32_t LoadLittleEndian32(const char* p) {
    std::uint32_t w;
    std::memcpy(&w, p, sizeof w);
#if __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    w = __builtin_bswap32(w);
#endif
    return w;
}

inline void StoreWord(char* p, std::uint64_t w) {
#if __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    w = __builtin_bswap64(w);
#endif
    std::memcpy(p, &w, sizeof w);
}

// Nonzero when a byte of w is below n (n <= 0x80). The flag (high bit) of the lowest such byte is
// exact; flags above it may be spurious, so use the result only as "any" or with FirstFlagged.
constexpr std::uint64_t BytesBelow(std::uint64_t w, unsigned n) {
    return (w - kLowBits * n) & ~w & kHighBits;
}

// The high bit of each byte of w that has its high bit set.
constexpr std::uint64_t HighBytes(std::uint64_t w) {
    return w & kHighBits;
}

// The number of whole bytes before the first flagged one (mask != 0).
inline unsigned FirstFlagged(std::uint64_t mask) {
    return static_cast<unsigned>(__builtin_ctzll(mask)) / 8;
}

// The LFs among the 64 bytes at p as a bit mask (bit i for p[i]); `ctrlZOrZero` tells whether
// any of them is a Ctrl-Z or a zero byte (rare in text: callers look at those bytes one by one).
// One pass for the line reader's block scan and the check of a line before it is written.
inline std::uint64_t LineFeeds64(const char* p, bool& ctrlZOrZero) {
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i ctrlZ = _mm_set1_epi8(0x1A);
    const __m128i zero = _mm_setzero_si128();
    std::uint64_t lfs = 0;
    __m128i odd = zero;
    for (int k = 0; k < 4; ++k) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
        lfs |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf)))}
               << (16 * k);
        odd = _mm_or_si128(odd, _mm_or_si128(_mm_cmpeq_epi8(v, ctrlZ), _mm_cmpeq_epi8(v, zero)));
    }
    ctrlZOrZero = _mm_movemask_epi8(odd) != 0;
    return lfs;
#else
    std::uint64_t lfs = 0;
    ctrlZOrZero = false;
    for (int i = 0; i < 64; ++i) {
        lfs |= std::uint64_t{p[i] == '\n'} << i;
        ctrlZOrZero = ctrlZOrZero || p[i] == 0x1A || p[i] == '\0';
    }
    return lfs;
#endif
}

}  // namespace qb::detail
