// The arithmetic between JIS X 0208 row/cell bytes and Shift-JIS bytes, for the JIS and EUC
// kernels.
#pragma once

namespace qb::detail {

// 21-7E: a row or cell byte of a JIS X 0208 code.
constexpr bool IsJisByte(unsigned b) {
    return b - 0x21u <= 0x7Eu - 0x21u;
}

// JIS bytes j1 j2 (both 21-7E) -> Shift-JIS code. Odd rows take the trail bytes 40-9E (skipping
// 7F), even rows 9F-FC.
constexpr unsigned JisPairToSjis(unsigned j1, unsigned j2) {
    const unsigned s1 = ((j1 - 0x21) >> 1) + (j1 <= 0x5E ? 0x81 : 0xC1);
    const unsigned s2 = (j1 & 1) ? j2 + 0x1F + (j2 >= 0x60 ? 1 : 0) : j2 + 0x7E;
    return s1 << 8 | s2;
}

// Shift-JIS bytes of a legal double-byte code -> JIS code, 0 when there is none (lead bytes
// F0-FC fall outside the 94 rows).
constexpr unsigned SjisPairToJis(unsigned s1, unsigned s2) {
    const unsigned a = s1 < 0xA0 ? s1 - 0x81 : s1 - 0xC1;
    unsigned j1, j2;
    if (s2 < 0x9F) {
        j1 = 2 * a + 0x21;
        j2 = s2 - 0x1F - (s2 > 0x7E ? 1 : 0);
    } else {
        j1 = 2 * a + 0x22;
        j2 = s2 - 0x7E;
    }
    const unsigned code = j1 << 8 | j2;
    return code > 0x2120 && code <= 0x7E7E && IsJisByte(j2) ? code : 0;
}

}  // namespace qb::detail
