// The parts of a sort key that can be computed once per line: which bytes are the key, and the
// forms in which keys compare fast.
#pragma once

#include <string>
#include <string_view>

#include "core/commands/sort_item.h"

namespace qb {

// The key bytes of `line` under `item`: from 1-based column s = min(firstColumn, length) for
// min(length, e) - s + 1 bytes (e = lastColumn, or the length for -1), never negative and never
// past the line. A line shorter than the first column therefore gives its last byte; an empty
// line an empty key.
std::string_view SortKeyText(std::string_view line, const CSortItem& item);

// The leading integer of a key: white space skipped, an optional sign, decimal digits; 0 when
// there are none. Values beyond the range of long long are clamped to it.
long long LeadingInteger(std::string_view key);

// Writes to `out` (room for twice the key's size) a form of `key` whose byte order (memcmp, a
// shorter prefix first) is the order of the keys compared character by character with upper
// and lower case equal: ASCII and double-byte characters as their upper-case codes, other single
// bytes (half-width katakana, a lone lead byte) as 0x80 followed by the byte. The key ends at a
// zero byte, as a C string would. Returns the number of bytes written.
std::size_t FoldSortKey(std::string_view key, char* out);

}  // namespace qb
