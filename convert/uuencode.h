// Uudecoding, one line at a time.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qb {

// Decodes one uuencoded line. Every character stands for (c - 0x20) & 0x3F, so no byte is
// invalid. The first character gives the byte count n; std::nullopt when n is 0 (a line of a
// backquote or a space: the end of the data). Otherwise the next characters, four for every
// three bytes, give at most n bytes. A line too short for n bytes gives what its characters
// hold: a last group of three or two characters gives two or one byte, a single character
// none. An empty line gives no bytes (and is not the end).
[[nodiscard]] std::optional<std::string> UudecodeLine(std::string_view line);

}  // namespace qb
