// Column operations on one Shift-JIS line. Columns are 1-based byte positions (a double-byte
// character takes two); a line shorter than a column it needs is padded with spaces first.
// Bytes after a zero byte are ordinary bytes of the line.
//
// No result ever holds half of a double-byte character:
//   - cutting and inserting keep every character whole (a cut moves back before the character,
//     an insertion goes in front of it);
//   - overwriting and deleting work on exactly the named columns, and where their edge cuts a
//     character in two, the half that stays outside becomes a space, so every other column keeps
//     its place.
// All functions take any bytes and any numbers; columns below 1 count as 1.
#pragma once

#include <string>
#include <string_view>

namespace qb {

// The first `width` bytes (width - 1 when the last of them would begin a double-byte character),
// or the line padded with spaces to `width`. A width below 0 counts as 0.
[[nodiscard]] std::string CutOrPad(std::string_view line, long width);

// `count` spaces in front of a non-empty line; an empty line or a count below 1 leaves it.
[[nodiscard]] std::string IndentBy(std::string_view line, long count);

// `text` inserted so that it starts at `column` (in front of a character that the column would
// split).
[[nodiscard]] std::string InsertAtColumn(std::string_view line, long column, std::string_view text);

// `text` written over the bytes from `column` on; the line grows only where it was too short.
[[nodiscard]] std::string OverwriteAtColumn(std::string_view line, long column,
                                            std::string_view text);

// Columns first … last (inclusive) removed; a line ending inside them is cut at first - 1.
// Nothing changes when last < first or the line ends before first - 1.
[[nodiscard]] std::string DeleteColumns(std::string_view line, long first, long last);

// The serial-number text: value right-aligned in `digits` columns, filled with spaces
// (spaceFill) or zeros (after the sign), then cut to exactly its first `digits` characters
// ("12" for 123 in 2 digits, "-05" for -5 in 3). Empty for digits below 1.
[[nodiscard]] std::string SerialText(long long value, int digits, bool spaceFill);

}  // namespace qb
