// The Shift-JIS (code page 932) character model every part of the program uses.
//
// A character is one byte, or a lead byte (81-9F, E0-FC) followed by the next byte. A lead byte
// at the end of the text, or followed by a zero byte, is a one-byte character of its own. The
// code of a character is its byte, or lead * 256 + trail. Positions are byte offsets.
//
// All functions accept any bytes (they are safe on untrusted input) and never read past the end
// of the view they are given.
#pragma once

#include <cstddef>
#include <string_view>

namespace qb {

// --- Byte classes -------------------------------------------------------------------------------

// 81-9F, E0-FC: first byte of a double-byte character.
constexpr bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
// 40-7E, 80-FC: the bytes a legal double-byte code may end with.
constexpr bool IsTrailByte(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}
// A1-DF: half-width katakana, one byte each.
constexpr bool IsHankakuKanaByte(unsigned char b) {
    return b >= 0xA1 && b <= 0xDF;
}
constexpr bool IsAsciiByte(unsigned char b) {
    return b <= 0x7F;
}

// --- Stepping -----------------------------------------------------------------------------------

// Length (1 or 2) of the character that starts at `pos` (pos < text.size()).
inline std::size_t CharLength(std::string_view text, std::size_t pos) {
    return IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() &&
                   text[pos + 1] != '\0'
               ? 2
               : 1;
}

// The position after the character that starts at `pos`; `pos` itself when pos >= size.
inline std::size_t NextChar(std::string_view text, std::size_t pos) {
    return pos < text.size() ? pos + CharLength(text, pos) : pos;
}

// The code of the character at `pos`: its byte, or lead * 256 + trail; 0 at or past the end.
inline unsigned CharCode(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) return 0;
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (CharLength(text, pos) == 1) return lead;
    return lead * 256u + static_cast<unsigned char>(text[pos + 1]);
}

// Scans `text` from its start: -1 when offset k is at or past the end, 1 when the byte at k begins
// a double-byte character, 0 otherwise. A zero byte inside the text is an ordinary one-byte
// character (lines may hold them), so the characters after it are still told apart correctly.
int IsLeadAt(std::string_view text, std::size_t k);

// True when `pos` falls on the second byte of a double-byte character. Scans from the start.
inline bool IsSecondByteAt(std::string_view text, std::size_t pos) {
    return pos > 0 && pos <= text.size() && IsLeadAt(text, pos - 1) == 1;
}

// --- Character classes (on codes) ---------------------------------------------------------------

constexpr bool IsDoubleByteCode(unsigned c) {
    return c > 0xFF;
}
// 829F-82F1: ぁ … ん.
constexpr bool IsHiragana(unsigned c) {
    return c >= 0x829F && c <= 0x82F1;
}
// 8340-837E, 8380-8396: ァ … ヶ (837F is not a character).
constexpr bool IsKatakana(unsigned c) {
    return c >= 0x8340 && c <= 0x8396 && c != 0x837F;
}
// 8141-817E, 8180-81AC: the full-width symbol row.
constexpr bool IsSymbolRow(unsigned c) {
    return (c >= 0x8141 && c <= 0x817E) || (c >= 0x8180 && c <= 0x81AC);
}
constexpr bool IsHankakuKana(unsigned c) {
    return c >= 0xA1 && c <= 0xDF;
}
constexpr bool IsAsciiLetter(unsigned c) {
    return (c >= 0x41 && c <= 0x5A) || (c >= 0x61 && c <= 0x7A);
}
constexpr bool IsAsciiDigit(unsigned c) {
    return c >= 0x30 && c <= 0x39;
}
// Printable ASCII other than letters, digits and space: 21-2F, 3A-40, 5B-60, 7B-7E.
constexpr bool IsAsciiPunct(unsigned c) {
    return (c >= 0x21 && c <= 0x2F) || (c >= 0x3A && c <= 0x40) || (c >= 0x5B && c <= 0x60) ||
           (c >= 0x7B && c <= 0x7E);
}
// 09-0D and 20.
constexpr bool IsAsciiSpace(unsigned c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20;
}
// ASCII digits and the full-width digits ０-９ (824F-8258).
constexpr bool IsDigit(unsigned c) {
    return IsAsciiDigit(c) || (c >= 0x824F && c <= 0x8258);
}
// ASCII white space and the full-width space 8140.
constexpr bool IsWhiteSpace(unsigned c) {
    return IsAsciiSpace(c) || c == 0x8140;
}
// A legal double-byte code: lead byte in the lead range, trail byte in the trail range.
constexpr bool IsLegalDoubleByte(unsigned c) {
    return c <= 0xFFFF && IsLeadByte(static_cast<unsigned char>(c >> 8)) &&
           IsTrailByte(static_cast<unsigned char>(c & 0xFF));
}

// Letters with a case partner: ASCII, full-width Latin (8260-8279 / 8281-829A), Greek
// (839F-83B6 / 83BF-83D6) and Cyrillic (8440-8460 / 8470-847E, 8480-8491).
bool IsUpperCase(unsigned c);
bool IsLowerCase(unsigned c);
// The case partner of a letter; any other code is returned unchanged.
unsigned ToUpperCode(unsigned c);
unsigned ToLowerCode(unsigned c);

// --- Sets of characters -------------------------------------------------------------------------

// Looks the character that starts at p up in `set` (a string of characters): 0 when it is not
// there (or p is at the end), else its width 1 or 2.
int CharInSetAt(std::string_view text, std::size_t p, std::string_view set);
// The same for the character that ends just before p: it is taken as double-byte when the byte
// two before p begins a double-byte character.
int CharInSetBefore(std::string_view text, std::size_t p, std::string_view set);
// True when the character with this code occurs in `set`, compared character by character.
bool SetContainsCode(std::string_view set, unsigned code);

// --- Words --------------------------------------------------------------------------------------

// 1 for ASCII white space and ASCII punctuation other than ' - _; 0 for everything else.
int IsWordSeparator(unsigned char byte);

}  // namespace qb
