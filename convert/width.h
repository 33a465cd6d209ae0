// Full-width / half-width (zenkaku / hankaku) conversion of Shift-JIS text.
//
// Every conversion reads the text character by character (convert/sjis.h), converts what its
// kind or flags select and copies every other character unchanged, byte for byte. A double-byte
// character is never split and its trail byte is never read as the ASCII character it looks like
// (ソ 835C stays ソ, never `\`). A lead byte at the end of the text or before a zero byte is a
// one-byte character and is copied. Results can have any length: full-to-half never grows the
// text, half-to-full at most doubles it. Safe on untrusted input.
#pragma once

#include <string>
#include <string_view>

namespace qb {

// The kind argument of ZenToHan and HanToZen.
enum WidthKind : int {
    WidthKindAll = 0,       // every character kind
    WidthKindAlphabet = 1,  // letters only
    WidthKindDigits = 2,    // digits only
    WidthKindKana = 3,      // kana (full-to-half also the full-width symbol row)
};

// The selection flags of ZenToHanSw and HanToZenSw (one byte; higher bits are ignored).
enum WidthFlags : unsigned {
    WidthHiragana = 0x01,         // hiragana (full to half only)
    WidthKatakana = 0x02,         // katakana; full to half also the full-width symbol row
    WidthDigits = 0x04,           // digits
    WidthAlphabet = 0x08,         // letters
    WidthJapaneseSymbols = 0x10,  // every character in none of the other classes
    WidthAsciiSymbols = 0x20,     // ASCII punctuation and white space
    WidthKanjiNumerals = 0x40,    // 〇一二三四五六七八九 -> 0-9 (full to half only)
};

// Full width to half width. Kind 0: voiced kana (katakana or hiragana) -> base + ﾞ/ﾟ, every
// other character with a single-byte form -> that form, and ‐ × ÷ -> - * /. Kind 1: Ａ-Ｚ ａ-ｚ.
// Kind 2: ０-９. Kind 3: full-width katakana (voiced ones to two bytes) and the characters of the
// full-width symbol row that have a single-byte form; hiragana stay. Any other kind converts
// nothing.
[[nodiscard]] std::string ZenToHan(std::string_view text, int kind);

// Half width to full width. Kind 0: a half-width kana followed by ﾞ/ﾟ that forms a voiced kana
// -> that katakana, every other byte of ASCII 20-7E and A1-DF -> its full-width character.
// Kind 1: ASCII letters. Kind 2: ASCII digits. Kind 3: as kind 0 for A1-DF only. A pair that
// forms no voiced kana (ｱﾞ) converts byte by byte (ア゛). Any other kind converts nothing.
[[nodiscard]] std::string HanToZen(std::string_view text, int kind);

// Full width to half width for the character kinds the flags select (WidthFlags). ‐ (815D)
// becomes `-` whatever the flags.
[[nodiscard]] std::string ZenToHanSw(std::string_view text, unsigned flags);

// Half width to full width for the character kinds the flags select (WidthFlags; hiragana and
// kanji numerals have no half-width form, so those two flags select nothing here).
[[nodiscard]] std::string HanToZenSw(std::string_view text, unsigned flags);

}  // namespace qb
