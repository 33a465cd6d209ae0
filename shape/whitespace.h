// Blanks, tabs, alignment and separators on one Shift-JIS line.
//
// A blank character is a half-width space (20) or a full-width space (81 40). A 20 or 09 byte is
// never part of a double-byte character in valid text, so they are handled byte by byte; an
// 81 40 pair counts as a full-width space only where 81 begins a character (81 is also a valid
// second byte: 88 81 followed by 40 "@" is a kanji and an at sign).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qb {

// Whether offset `pos` begins a character, judged from the bytes just before it (not from the
// start of the text): a byte that is never a lead byte ends a character, and the lead-range
// bytes after it pair up. Cost: the run of lead-range bytes before pos.
bool StartsCharacterBackward(std::string_view text, std::size_t pos);

// Whether the line holds nothing but blank characters (and tabs, when `tabIsBlank`); true for
// an empty line.
bool IsBlankLine(std::string_view line, bool tabIsBlank);

// The length of the leading run of blank characters (tabs end it).
std::size_t LeadingBlankLength(std::string_view line);

// Where the trailing run of blank characters begins (line.size() when there is none).
std::size_t TrailingBlankStart(std::string_view line);

// Whether the line ends in the full stop "。" (81 42).
bool EndsWithFullStop(std::string_view line);

// Tabs expanded to spaces up to the next multiple of `tabWidth` columns (each byte is a column).
// A width below 1 leaves the line as it is.
[[nodiscard]] std::string ExpandTabs(std::string_view line, long tabWidth);

// Runs of spaces that reach a multiple of `tabWidth` columns turned into one tab per stop
// reached; spaces after the last stop a run reaches stay. A width below 1 leaves the line.
[[nodiscard]] std::string CompressSpaces(std::string_view line, long tabWidth);

// The line centred in `halfWidth` (half the longest line): leading blanks added or removed so
// that the middle of its visible part falls on halfWidth. A full-width space that would be cut in
// half becomes a half-width one. A line with nothing visible stays as it is.
[[nodiscard]] std::string CenterLine(std::string_view line, long halfWidth);

// The line without trailing blanks, right-aligned to `width` with spaces in front (leading blanks
// stay and count). A line with nothing visible stays as it is.
[[nodiscard]] std::string RightAlignLine(std::string_view line, long width);

// A tab after each occurrence of `separator` (whole characters only), or in its place when
// `replace`. An empty separator leaves the line.
[[nodiscard]] std::string TabAtString(std::string_view line, std::string_view separator,
                                      bool replace);

// Between columns first … last (inclusive, 1-based), the first space after each field becomes a
// comma; spaces before the first field and further spaces of a gap stay. Columns below 1 count
// as 1; nothing changes when last < first.
[[nodiscard]] std::string SpacesToCommas(std::string_view line, long first, long last);

}  // namespace qb
