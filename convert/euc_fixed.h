// The fixed-width form of EUC-JP, in which every character takes two bytes.
//
// A double-byte character with a JIS X 0208 code is written as in EUC-JP (both JIS bytes with
// the high bit set, A1-FE); every other byte, ASCII and half-width katakana included, is written
// as a zero byte followed by that byte. A double-byte character without a JIS code (lead bytes
// F0-FC) therefore becomes two such units, so the form keeps every byte of the text and reads
// back exactly.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qb {

// Shift-JIS -> the fixed-width form. The result is twice as long as the line only when the
// line holds no double-byte characters; it always holds zero bytes when the line is not empty.
[[nodiscard]] std::string SjisToEucFixedLine(std::string_view line);

// Whether `line` can be the fixed-width form: it holds a zero byte, its length is even, and each
// two-byte unit is a zero byte and any byte, or two bytes A1-FE. Text in the ordinary EUC-JP form
// never holds a zero byte, so the two forms are told apart.
[[nodiscard]] bool IsEucFixedLine(std::string_view line);

// The fixed-width form -> Shift-JIS: a unit 00 xx gives the byte xx, a unit of two bytes A1-FE
// the Shift-JIS character of its JIS code. Any other unit (the line is not in the form) is copied
// unchanged, and a last odd byte too.
[[nodiscard]] std::string EucFixedToSjisLine(std::string_view line);

// A line in either form -> Shift-JIS, into a caller's buffer with room for
// EucToSjisRoom(line.size()) bytes (neither form gives more bytes than it reads): the fixed-width
// form when the line holds a zero byte and IsEucFixedLine says so, else EUC-JP. Returns the bytes
// written.
std::size_t EucEitherFormToSjisLine(std::string_view line, char* out);
// The same, setting `odd` as EucToSjisLine does for a line in the EUC-JP form.
std::size_t EucEitherFormToSjisLine(std::string_view line, char* out, bool& odd);

}  // namespace qb
