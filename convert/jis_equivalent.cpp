#include "convert/jis_equivalent.h"

#include <cstdint>
#include <memory>

#include "convert/cp932.h"
#include "convert/sjis.h"

namespace qb::detail {

namespace {

constexpr unsigned kFirst = 0xF000;  // the table covers lead bytes F0-FC
constexpr unsigned kCount = 0xFD00 - kFirst;

const std::uint16_t* BuildTable() {
    // The lowest code with a JIS form (lead 81-EF) of each character.
    auto lowest = std::make_unique<std::uint16_t[]>(0x10000);
    for (unsigned code = 0xEFFC; code >= 0x8140; --code) {
        if (!IsLegalDoubleByte(code)) continue;
        const char16_t u = Cp932CodeToUnicode(code);
        if (u != 0x30FB || code == 0x8145) lowest[u] = static_cast<std::uint16_t>(code);
    }
    auto* table = new std::uint16_t[kCount]();
    for (unsigned code = kFirst; code < kFirst + kCount; ++code) {
        if (!IsLegalDoubleByte(code)) continue;
        const char16_t u = Cp932CodeToUnicode(code);
        if (u != 0x30FB) table[code - kFirst] = lowest[u];
    }
    return table;
}

}  // namespace

unsigned JisEquivalent(unsigned code) {
    static const std::uint16_t* const table = BuildTable();
    return code >= kFirst && code < kFirst + kCount ? table[code - kFirst] : 0;
}

}  // namespace qb::detail
