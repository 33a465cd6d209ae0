// Hexadecimal code listings of text: plain bytes, or JIS X 0208 codes for double-byte
// characters, and back.
#pragma once

#include <string>
#include <string_view>

namespace qb {

// Every byte as two upper-case hexadecimal digits and a space (a space after the last too).
[[nodiscard]] std::string HexDump(std::string_view text);
// Each legal double-byte character as its JIS code in four upper-case digits and a space; each
// single-byte character as two digits and a space. An IBM extension is listed as the code of
// its twin in JIS, as SjisToJisLine writes it. A double-byte character without any JIS form
// (the user-defined rows, or a lead byte followed by a byte outside the trail range) is listed
// with its own two bytes in four digits, so JisHexToText reads it back as it was instead of
// losing it.
[[nodiscard]] std::string JisHexDump(std::string_view text);
// Spaces are skipped; every other character is taken with the one after it as two hexadecimal
// digits (see HexDigitValue: other characters are not rejected) giving one byte. A last
// character with nothing after it is copied unchanged.
[[nodiscard]] std::string HexToBytes(std::string_view text);
// The bytes of HexToBytes, read pairwise as JIS codes: a pair with a Shift-JIS form becomes that
// character; otherwise the character at that place is copied unchanged and passed whole.
[[nodiscard]] std::string JisHexToText(std::string_view text);

}  // namespace qb
