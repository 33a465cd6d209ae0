// Characters of code page 932 that JIS X 0208 can hold only under another code.
#pragma once

namespace qb::detail {

// For a double-byte code without a JIS form (lead byte F0-FC), the lowest code with the same
// character that has one: the IBM extensions FA40-FC4B have twins among the JIS symbols (￢, ∵),
// in NEC's row 13 (Ⅰ, №) and in the NEC-selected rows ED-EE (the kanji). 0 when there is none
// (the user-defined area F040-F9FC, undefined codes).
unsigned JisEquivalent(unsigned code);

}  // namespace qb::detail
