// JIS (ISO-2022-JP style, 7-bit with escape sequences and shift codes) <-> Shift-JIS.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qb {

// Kanji mode and kana mode of JIS text. Decoding reads and updates it; encoding writes the
// sequences that change it. A command sets it off before its first line and carries it from
// one line to the next.
struct JisShiftState {
    bool kanji = false;
    bool kana = false;
    // Set by decoding when it meets ESC $ ( D, the designation of JIS X 0212, whose characters
    // it can only read as JIS X 0208 codes; never cleared by it (a caller that wants to know
    // clears it).
    bool sawX0212 = false;
    void Reset() { kanji = kana = false; }
};

// How SjisToJisLine writes mode changes (the settings "Jis"/"Kana" and "Jis"/"Jis").
struct JisEncoderOptions {
    int kanaForm = 0;          // 0 SO/SI, 1 ESC ( I / ESC ( B, 2 8-bit bytes, no mode change
    int kanjiDesignation = 1;  // 0 ESC $ @, 1 ESC $ B, 2 ESC & @ ESC $ B, 3 ESC $ ( D, else none
    // The last byte of the sequence that returns to ASCII: 'B' (ESC ( B, ASCII) or 'J' (ESC ( J,
    // JIS X 0201 Roman, which older mail writes), so that a file read in either is written back
    // in it.
    char asciiFinal = 'B';
};

// JIS X 0208 code (row byte * 256 + cell byte) -> Shift-JIS code; 0 when it has none.
unsigned JisToSjisCode(unsigned jis);
// Shift-JIS code -> JIS X 0208 code; 0 when it has none.
unsigned SjisToJisCode(unsigned sjis);

// Decodes one line of JIS text, reading and updating `state`. ESC $ @, ESC $ B, ESC & @ and
// ESC $ ( D enter kanji mode; ESC ( B, ESC ( J, ESC ( H and SI return to ASCII; ESC ( I and SO
// enter kana mode. In kanji mode a pair of bytes 21-7E is a JIS X 0208 character; in kana mode
// a byte 21-5F is a half-width katakana. Everything else (Shift-JIS characters, 8-bit katakana,
// truncated or unknown escape sequences, stray bytes in either mode) is copied unchanged, a
// Shift-JIS character whole.
[[nodiscard]] std::string JisToSjisLine(std::string_view line, JisShiftState& state);
// The same into a caller's buffer with room for JisToSjisRoom(line.size()) bytes; returns the
// bytes written.
constexpr std::size_t JisToSjisRoom(std::size_t lineSize) {
    return lineSize + 8;  // never more bytes out than in, and room for whole-word stores
}
std::size_t JisToSjisLine(std::string_view line, JisShiftState& state, char* out);
// Encodes one line with the sequences `options` select, starting from `state`. An IBM extension
// (FA40-FC4B) is written as the code of the same character that JIS has (a NEC-selected kanji,
// a NEC row-13 or JIS symbol). Characters without any JIS form (the user-defined area F040-F9FC,
// bytes that are no character) are copied unchanged in ASCII mode. The line always ends with
// both modes off.
[[nodiscard]] std::string SjisToJisLine(std::string_view line, JisShiftState& state,
                                        const JisEncoderOptions& options);

}  // namespace qb
