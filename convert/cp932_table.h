// The code page 932 mapping tables (generated into cp932_table.cpp).
// Use the functions of convert/cp932.h rather than these arrays.
#pragma once

#include <cstdint>

namespace qb::cp932_table {

// Single byte -> Unicode. Lead bytes (81-9F, E0-FC) give U+30FB: a lead byte with no trail.
extern const char16_t kSingleToUnicode[256];

// Double-byte code -> Unicode, 256 entries per lead byte in the order 81-9F, E0-FC.
// Undefined codes give U+30FB, the default character of code page 932.
extern const char16_t kDoubleToUnicode[60 * 256];

// Unicode -> code: kEncodeBlocks[kEncodePageIndex[u >> 8] * 256 + (u & 0xFF)].
// 0 means the character has no code (U+0000 itself is handled by the caller).
extern const std::uint8_t kEncodePageIndex[256];
extern const std::uint16_t kEncodeBlocks[];

}  // namespace qb::cp932_table
