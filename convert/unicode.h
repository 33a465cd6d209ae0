// Unicode forms of Shift-JIS text: UTF-8 both ways, UTF-7 decoding, UTF-16LE.
#pragma once

#include <string>
#include <string_view>

namespace qb {

// UTF-8 -> Shift-JIS; a leading byte-order mark EF BB BF is skipped, characters without a
// Shift-JIS form and malformed UTF-8 become '?'.
[[nodiscard]] std::string Utf8ToSjis(std::string_view utf8);
// Shift-JIS -> UTF-8, without a byte-order mark.
[[nodiscard]] std::string SjisToUtf8(std::string_view sjis);
// UTF-7 (RFC 2152) -> Shift-JIS.
[[nodiscard]] std::string Utf7ToSjis(std::string_view utf7);
// Shift-JIS -> UTF-16 code units.
[[nodiscard]] std::u16string SjisToUtf16(std::string_view sjis);
// UTF-16 code units -> Shift-JIS.
[[nodiscard]] std::string Utf16ToSjis(std::u16string_view utf16);

}  // namespace qb
