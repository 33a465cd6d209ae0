// Word-at-a-time byte tests for the kernels' fast paths over runs of plain bytes.
#pragma once

#include <cstdint>
#include <cstring>

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

}  // namespace qb::detail
