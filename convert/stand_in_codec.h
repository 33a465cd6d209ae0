// Unicode text to Shift-JIS and back with stand-ins (convert/stand_in_table.h), so that nothing is
// lost on the way: Unicode -> Shift-JIS -> the same Unicode gives the same bytes, for any input.
//
// To Shift-JIS, a character is written as its code page 932 code when it has one of its own
// (every code point that has one reads back as itself); any other character, and U+E000-U+E757
// when their own code already stands for another character, is written as its stand-in, given
// out by `table` at its first appearance. Damaged input is held too: each byte that begins no
// well-formed UTF-8 sequence as the stand-in of kStrayByteBase + byte, a lone UTF-16 surrogate as
// the stand-in of itself, the odd last byte of UTF-16 bytes as that of kOddByteBase + byte. The
// codes U+E000-U+E757 have of their own are excluded from the table as they are written, so a
// stand-in given out later never takes one. Only a full table loses: the character becomes '?'
// and is reported.
//
// From Shift-JIS, a stand-in is written as what it stands for; every other code as code page 932
// says (F040-F9FC that are no stand-in as U+E000-U+E757). A code that is no character becomes
// U+30FB, and a stand-in the output cannot hold (a surrogate other than U+DC80-U+DCFF in UTF-8,
// an odd byte in UTF-8 or in UTF-16 units) becomes U+FFFD; both are reported. In UTF-8 the stand-in
// of kStrayByteBase + byte is written as that byte; UTF-16 takes every surrogate as a unit and,
// as bytes, an odd byte as itself.
//
// `losses`, when not null, receives each loss with its offset in the input (bytes; units for the
// UTF-16 unit forms). BOMs are neither read nor written here: the caller deals with them (see
// convert/file_form.h). All functions take any input and never fail.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "convert/code_loss.h"
#include "convert/stand_in_table.h"

namespace qb {

// UTF-8 -> Shift-JIS with stand-ins into a caller's buffer of Utf8ToSjisWithStandInsRoom bytes;
// returns the bytes written.
constexpr std::size_t Utf8ToSjisWithStandInsRoom(std::size_t utf8Size) {
    return 2 * utf8Size + 8;  // a stray byte becomes a two-byte stand-in
}
std::size_t Utf8ToSjisWithStandIns(std::string_view utf8, char* out, StandInTable& table,
                                   std::vector<CodeLoss>* losses);
[[nodiscard]] std::string Utf8ToSjisWithStandIns(std::string_view utf8, StandInTable& table,
                                                 std::vector<CodeLoss>* losses = nullptr);

// Shift-JIS with stand-ins -> UTF-8, into a buffer of SjisToUtf8WithStandInsRoom bytes.
constexpr std::size_t SjisToUtf8WithStandInsRoom(std::size_t sjisSize) {
    return 3 * sjisSize + 8;
}
std::size_t SjisToUtf8WithStandIns(std::string_view sjis, char* out, const StandInTable& table,
                                   std::vector<CodeLoss>* losses);
[[nodiscard]] std::string SjisToUtf8WithStandIns(std::string_view sjis, const StandInTable& table,
                                                 std::vector<CodeLoss>* losses = nullptr);

// The bytes of UTF-16 text (little- or big-endian) -> Shift-JIS with stand-ins.
[[nodiscard]] std::string Utf16ToSjisWithStandIns(std::string_view bytes, bool bigEndian,
                                                  StandInTable& table,
                                                  std::vector<CodeLoss>* losses = nullptr);
// Shift-JIS with stand-ins -> the bytes of UTF-16 text.
[[nodiscard]] std::string SjisToUtf16WithStandIns(std::string_view sjis, bool bigEndian,
                                                  const StandInTable& table,
                                                  std::vector<CodeLoss>* losses = nullptr);
// The same two on UTF-16 units (strings of a window system).
[[nodiscard]] std::string Utf16ToSjisWithStandIns(std::u16string_view units, StandInTable& table,
                                                  std::vector<CodeLoss>* losses = nullptr);
[[nodiscard]] std::u16string SjisToUtf16WithStandIns(std::string_view sjis,
                                                     const StandInTable& table,
                                                     std::vector<CodeLoss>* losses = nullptr);

// For writing Shift-JIS, JIS or EUC-JP, which lack what stand-ins stand for: every stand-in of
// `table` becomes '?', reported with what it stood for. Text without one comes back unchanged.
[[nodiscard]] std::string ReplaceStandIns(std::string_view sjis, const StandInTable& table,
                                          std::vector<CodeLoss>* losses = nullptr);

// For converting text read in blocks: the length of the longest start of `bytes` that ends on a
// character boundary, so that converting the blocks cut there gives what converting the whole
// text gives. The rest (at most three bytes of UTF-8: a sequence still open; at most three of
// UTF-16: an odd byte, a high surrogate) goes before the next block; the last block is converted
// whole.
[[nodiscard]] std::size_t Utf8PieceEnd(std::string_view bytes);
[[nodiscard]] std::size_t Utf16PieceEnd(std::string_view bytes, bool bigEndian);

}  // namespace qb
