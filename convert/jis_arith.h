// The arithmetic between JIS X 0208 row/cell bytes and Shift-JIS bytes, for the JIS and EUC
// kernels.
#pragma once

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

// Shift-JIS bytes of a legal double-byte code -> JIS code, 0 when there is none (lead bytes
// F0-FC fall outside the 94 rows).
constexpr unsigned SjisPairToJis(unsigned s1, unsigned s2) {
    const unsigned j1 = kSjisToJis.row[s1] + kSjisToJis.evenRow[s2];
    return j1 <= 0x7E ? j1 << 8 | kSjisToJis.cell[s2] : 0;
}

}  // namespace qb::detail
