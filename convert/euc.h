// EUC-JP <-> Shift-JIS.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qb {

// Decodes one line of EUC-JP: pairs of bytes A1-FE are JIS X 0208 characters, 8E with a byte
// A1-DF is a half-width katakana. A lone 8E (at the end, or before any other byte) and 8F are
// dropped; JIS X 0212 characters after 8F are read as JIS X 0208 codes, the only table there is.
// Every other byte (ASCII, Shift-JIS characters) is copied unchanged, a Shift-JIS character whole.
[[nodiscard]] std::string EucToSjisLine(std::string_view line);
// The same into a caller's buffer with room for EucToSjisRoom(line.size()) bytes; returns the
// bytes written.
constexpr std::size_t EucToSjisRoom(std::size_t lineSize) {
    return lineSize + 8;  // never more bytes out than in, and room for whole-word stores
}
std::size_t EucToSjisLine(std::string_view line, char* out);
// The same, setting `odd` when the line holds any byte that is no part of ASCII, an EUC-JP
// double-byte character or a half-width katakana after 8E (and leaving it as it was otherwise):
// only such a line can hold a character that Shift-JIS lacks.
std::size_t EucToSjisLine(std::string_view line, char* out, bool& odd);
// Encodes one line: double-byte characters as their JIS bytes with the high bit set (an IBM
// extension as the code of the same character that JIS has, as SjisToJisLine does; 80 80 for the
// user-defined area, which has no JIS form), half-width katakana as 8E and the byte; all other
// bytes are copied.
[[nodiscard]] std::string SjisToEucLine(std::string_view line);

}  // namespace qb
