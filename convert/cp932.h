// Conversion between Shift-JIS (code page 932, as Windows defines it) and Unicode.
//
// These are the encoding boundaries of the program: UI strings, paths, the settings file and the
// regular-expression engine all cross here. Decoding steps characters as convert/sjis.h does; a
// lone lead byte and an undefined double-byte code decode to U+30FB. Encoding maps a character
// with no code page 932 form, a lone surrogate or a non-BMP character to '?'. Malformed UTF-8
// decodes to U+FFFD (one per maximal invalid subsequence), which then encodes to '?'.
// All functions take any bytes and never fail.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qb {

// The Unicode character of one code (a single byte, or lead * 256 + trail).
char16_t Cp932CodeToUnicode(unsigned code);
// The code of one Unicode character, or 0 when it has none (U+0000 gives 0 as well).
unsigned UnicodeToCp932Code(char16_t unit);

[[nodiscard]] std::u16string SjisToUtf16(std::string_view sjis);
// A zero unit becomes a zero byte: nothing ends the text early.
[[nodiscard]] std::string Utf16ToSjis(std::u16string_view utf16);
// No byte-order mark is written.
[[nodiscard]] std::string SjisToUtf8(std::string_view sjis);
[[nodiscard]] std::string Utf8ToCp932(std::string_view utf8);
// The same, adding to `lost` the characters that did not come through: those SjisToUtf8 wrote as
// U+30FB for being no character (an undefined code, a lead byte without its trail byte; not 81
// 45, which is that character), those Utf8ToCp932 wrote as '?' (no form, malformed). Where to
// look then is for convert/code_loss.h; this only tells, at no cost, whether to.
[[nodiscard]] std::string SjisToUtf8(std::string_view sjis, std::size_t& lost);
[[nodiscard]] std::string Utf8ToCp932(std::string_view utf8, std::size_t& lost);

// The same two into a caller's buffer, for converting many lines without a string each: `out`
// has room for the Room() of the input's size (the kernels store whole words, a few bytes past
// their result); they return the bytes written. The forms with `lost` count as above.
constexpr std::size_t SjisToUtf8Room(std::size_t sjisSize) {
    return 3 * sjisSize + 8;
}
std::size_t SjisToUtf8(std::string_view sjis, char* out);
std::size_t SjisToUtf8(std::string_view sjis, char* out, std::size_t& lost);
constexpr std::size_t Utf8ToCp932Room(std::size_t utf8Size) {
    return utf8Size + 8;
}
std::size_t Utf8ToCp932(std::string_view utf8, char* out);
std::size_t Utf8ToCp932(std::string_view utf8, char* out, std::size_t& lost);

// SjisToUtf16 into a caller's buffer, for decoding many lines without allocating: writes the
// units to `out` (room for sjis.size() units) and returns how many it wrote. Every character
// (and every byte that is none) gives exactly one unit. With `offsets` (room for sjis.size() + 1),
// offsets[k] is the byte offset where unit k's character begins, and offsets[count] the size.
std::size_t SjisToUtf16(std::string_view sjis, char16_t* out, std::size_t* offsets = nullptr);

// UTF-8 <-> UTF-16 without going through code page 932.
[[nodiscard]] std::u16string Utf8ToUtf16(std::string_view utf8);
[[nodiscard]] std::string Utf16ToUtf8(std::u16string_view utf16);

// Appends the UTF-8 form of one code point to `out`.
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace qb
