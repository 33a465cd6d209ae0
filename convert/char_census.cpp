#include "convert/char_census.h"

#include <array>
#include <cstdint>

#include "convert/char_tables.h"
#include "convert/sjis.h"

namespace qb {

namespace {

constexpr CharClass Classify(unsigned code) {
    if (IsHiragana(code)) return CharClass::Hiragana;
    if (IsKatakana(code) || IsHankakuKana(code)) return CharClass::Katakana;
    const unsigned s = SingleByteForm(code);
    if (IsAsciiLetter(code) || IsAsciiLetter(s)) return CharClass::Letter;
    if (IsAsciiDigit(s)) return CharClass::Digit;
    if (IsAsciiSpace(s) || IsAsciiPunct(code) || IsSymbolRow(code)) return CharClass::Symbol;
    return CharClass::Other;
}

// Single bytes, then the double-byte codes 8100-83FF; every other double-byte code (kanji and
// the rest) is an "other".
constexpr unsigned kDoubleFirst = 0x8100;
constexpr unsigned kDoubleLast = 0x83FF;

constexpr auto BuildClassTable() {
    std::array<CharClass, 0x100 + (kDoubleLast - kDoubleFirst + 1)> table{};
    for (unsigned c = 0; c < 0x100; ++c)
        table[c] = Classify(c);
    for (unsigned c = kDoubleFirst; c <= kDoubleLast; ++c)
        table[0x100 + c - kDoubleFirst] = Classify(c);
    return table;
}
constexpr auto kClassTable = BuildClassTable();

inline CharClass Lookup(unsigned code) {
    if (code < 0x100) return kClassTable[code];
    if (code >= kDoubleFirst && code <= kDoubleLast)
        return kClassTable[0x100 + code - kDoubleFirst];
    return CharClass::Other;
}

}  // namespace

CharClass ClassifyChar(unsigned code) {
    return Lookup(code);
}

std::size_t CharClassCensus(std::string_view text, CharClassCounts& counts) {
    std::size_t perClass[6] = {};
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++chars) {
        const std::size_t len = CharLength(text, i);
        ++perClass[static_cast<int>(Lookup(CharCode(text, i)))];
        i += len;
    }
    counts.hiragana += perClass[static_cast<int>(CharClass::Hiragana)];
    counts.katakana += perClass[static_cast<int>(CharClass::Katakana)];
    counts.letters += perClass[static_cast<int>(CharClass::Letter)];
    counts.digits += perClass[static_cast<int>(CharClass::Digit)];
    counts.symbols += perClass[static_cast<int>(CharClass::Symbol)];
    counts.others += perClass[static_cast<int>(CharClass::Other)];
    return chars;
}

}  // namespace qb
