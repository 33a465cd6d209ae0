// The arithmetic between JIS X 0208 row/cell bytes and Shift-JIS bytes, for the JIS and EUC
// kernels.
#pragma once

#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qb::detail {

// 21-7E: a row or cell byte of a JIS X 0208 code.
constexpr bool IsJisByte(unsigned b) {
    return b - 0x21u <= 0x7Eu - 0x21u;
}

// The Shift-JIS bytes of JIS bytes 21-7E: the lead byte by the row byte, the trail byte by the
// cell byte and whether the row is odd. Tables rather than branches, which the mix of odd and
// even rows in real text would mispredict.
struct JisToSjisTables {
    unsigned char lead[128] = {};
    unsigned char trail[2][128] = {};
    constexpr JisToSjisTables() {
        for (unsigned j = 0x21; j <= 0x7E; ++j) {
            lead[j] = static_cast<unsigned char>(((j - 0x21) >> 1) + (j <= 0x5E ? 0x81 : 0xC1));
            // Odd rows take the trail bytes 40-9E (skipping 7F), even rows 9F-FC.
            trail[1][j] = static_cast<unsigned char>(j + 0x1F + (j >= 0x60 ? 1 : 0));
            trail[0][j] = static_cast<unsigned char>(j + 0x7E);
        }
    }
};
inline constexpr JisToSjisTables kJisToSjis;

// JIS bytes j1 j2 (both 21-7E) -> Shift-JIS code.
constexpr unsigned JisPairToSjis(unsigned j1, unsigned j2) {
    return unsigned{kJisToSjis.lead[j1]} << 8 | kJisToSjis.trail[j1 & 1][j2];
}

// The JIS bytes of Shift-JIS bytes: the row byte by the lead byte (the odd row of the pair it
// stands for), the cell byte and the step to the even row by the trail byte.
struct SjisToJisTables {
    unsigned char row[256] = {};   // 0 for bytes that are no lead byte
    unsigned char cell[256] = {};  // 0 for bytes that are no trail byte
    unsigned char evenRow[256] = {};
    constexpr SjisToJisTables() {
        for (unsigned b = 0x81; b <= 0xFC; ++b) {
            if (b >= 0xA0 && b < 0xE0) continue;
            const unsigned a = b < 0xA0 ? b - 0x81 : b - 0xC1;
            row[b] = static_cast<unsigned char>(2 * a + 0x21);  // beyond 7E for F0-FC
        }
        for (unsigned b = 0x40; b <= 0xFC; ++b) {
            if (b == 0x7F) continue;
            // Trail bytes 40-9E (skipping 7F) are the cells of the odd row, 9F-FC the even row.
            cell[b] =
                static_cast<unsigned char>(b < 0x9F ? b - 0x1F - (b > 0x7E ? 1 : 0) : b - 0x7E);
            evenRow[b] = b >= 0x9F ? 1 : 0;
        }
    }
};
inline constexpr SjisToJisTables kSjisToJis;

#if defined(__SSE2__)
// Up to eight JIS X 0208 codes at once, for runs of kanji: the sixteen bytes at `in` are taken as
// eight codes whose bytes are `base` + 21 to `base` + 7E (base 0 for JIS, 80 for EUC-JP), and
// their Shift-JIS codes are stored at `out` as JisPairToSjis gives them. Returns how many bytes
// from the start are whole codes within that range (an even number up to 16); sixteen bytes are
// stored all the same, those beyond garbage.
inline unsigned JisPairsToSjis16(const char* in, char* out, unsigned char base) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
    // Row and cell less 21, 0 to 5D; in each 16-bit lane the row is the low byte.
    const __m128i off = _mm_sub_epi8(v, _mm_set1_epi8(static_cast<char>(base + 0x21)));
    const unsigned valid = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(off, _mm_set1_epi8(0x5D)), off)));
    const __m128i one = _mm_set1_epi16(1);
    const __m128i row = _mm_and_si128(off, _mm_set1_epi16(0x00FF));
    const __m128i cell = _mm_srli_epi16(off, 8);
    // The lead byte: 81 + row / 2, and 40 more from row byte 5F on.
    __m128i lead = _mm_add_epi16(_mm_srli_epi16(row, 1), _mm_set1_epi16(0x81));
    lead = _mm_add_epi16(
        lead, _mm_and_si128(_mm_cmpgt_epi16(row, _mm_set1_epi16(0x3D)), _mm_set1_epi16(0x40)));
    // The trail byte: for an odd row byte 40 + cell, skipping 7F; for an even one 9F + cell.
    const __m128i oddRowByte = _mm_cmpeq_epi16(_mm_and_si128(row, one), _mm_setzero_si128());
    const __m128i trailOdd =
        _mm_add_epi16(_mm_add_epi16(cell, _mm_set1_epi16(0x40)),
                      _mm_and_si128(_mm_cmpgt_epi16(cell, _mm_set1_epi16(0x3E)), one));
    const __m128i trailEven = _mm_add_epi16(cell, _mm_set1_epi16(0x9F));
    const __m128i trail =
        _mm_or_si128(_mm_and_si128(oddRowByte, trailOdd), _mm_andnot_si128(oddRowByte, trailEven));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_or_si128(lead, _mm_slli_epi16(trail, 8)));
    // The leading run of valid bytes, whole codes only.
    return static_cast<unsigned>(__builtin_ctz(~valid | 0x10000u)) & ~1u;
}

// Converts the run of codes at in[i] eight at a time while sixteen bytes are left, moving `i`
// and `o` (in `out`) past what it converted; it stops in the first sixteen bytes that hold
// anything else, the codes before it converted, and leaves the rest of the line to the caller.
inline void JisPairRunToSjis(const char* in, std::size_t n, std::size_t& i, char* out,
                             std::size_t& o, unsigned char base) {
    while (i + 16 <= n) {
        const unsigned done = JisPairsToSjis16(in + i, out + o, base);
        if (done < 16) {
            o += done, i += done;
            return;
        }
        o += 16, i += 16;  // not by `done`: the next load need not wait for the test
    }
}
#endif

// Shift-JIS bytes of a legal double-byte code -> JIS code, 0 when there is none (lead bytes
// F0-FC fall outside the 94 rows).
constexpr unsigned SjisPairToJis(unsigned s1, unsigned s2) {
    const unsigned j1 = kSjisToJis.row[s1] + kSjisToJis.evenRow[s2];
    return j1 <= 0x7E ? j1 << 8 | kSjisToJis.cell[s2] : 0;
}

}  // namespace qb::detail
