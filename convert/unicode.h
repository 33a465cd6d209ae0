// Unicode forms of Shift-JIS text: UTF-8 both ways, UTF-7 decoding, UTF-16LE.
#pragma once

#include <string>
#include <string_view>

#include "convert/cp932.h"  // SjisToUtf8, SjisToUtf16, Utf16ToSjis

namespace qb {

// UTF-8 -> Shift-JIS; a leading byte-order mark EF BB BF is skipped, characters without a
// Shift-JIS form and malformed UTF-8 become '?'.
[[nodiscard]] std::string Utf8ToSjis(std::string_view utf8);
// The same, adding to `lost` the characters that became '?' (as Utf8ToCp932 counts them).
[[nodiscard]] std::string Utf8ToSjis(std::string_view utf8, std::size_t& lost);
// The same two into a caller's buffer with room for Utf8ToCp932Room(utf8.size()) bytes; they
// return the bytes written.
std::size_t Utf8ToSjis(std::string_view utf8, char* out);
std::size_t Utf8ToSjis(std::string_view utf8, char* out, std::size_t& lost);
// UTF-7 (RFC 2152) -> Shift-JIS. Bytes outside '+' runs are copied unchanged; a run of base64
// characters ends at any other byte, which is copied unless it is '-' ("+-" gives '+'). A run
// still open at the end is decoded as if closed; bits of a last incomplete unit are dropped.
[[nodiscard]] std::string Utf7ToSjis(std::string_view utf7);
// The bytes of a UTF-16 little-endian file -> Shift-JIS. A leading byte-order mark FF FE is
// skipped; a last odd byte is taken as the low half of a unit whose high half is zero.
[[nodiscard]] std::string Utf16LeBytesToSjis(std::string_view bytes);

}  // namespace qb
