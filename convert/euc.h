// EUC-JP <-> Shift-JIS.
#pragma once

#include <string>
#include <string_view>

namespace qb {

// Decodes one line of EUC-JP: pairs of bytes A1-FE are JIS X 0208 characters, 8E with a byte
// A1-DF is a half-width katakana. A lone 8E (at the end, or before any other byte) and 8F are
// dropped; JIS X 0212 characters after 8F are read as JIS X 0208 codes, the only table there is.
// Every other byte (ASCII, Shift-JIS characters) is copied unchanged, a Shift-JIS character whole.
[[nodiscard]] std::string EucToSjisLine(std::string_view line);
// Encodes one line: double-byte characters as their JIS bytes with the high bit set (80 80 for
// those without a JIS form, lead bytes F0-FC), half-width katakana as 8E and the byte; all other
// bytes are copied.
[[nodiscard]] std::string SjisToEucLine(std::string_view line);

}  // namespace qb
