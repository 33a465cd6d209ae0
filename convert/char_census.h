// Counting the characters of Shift-JIS text by kind (hiragana, katakana, letters, digits,
// symbols, others), as the line statistics show them.
#pragma once

#include <cstddef>
#include <string_view>

namespace qb {

enum class CharClass { Hiragana, Katakana, Letter, Digit, Symbol, Other };

// The counters CharClassCensus adds to, one per CharClass.
struct CharClassCounts {
    std::size_t hiragana = 0;
    std::size_t katakana = 0;
    std::size_t letters = 0;
    std::size_t digits = 0;
    std::size_t symbols = 0;
    std::size_t others = 0;
};

// The kind of one character code, tested in this order: hiragana; katakana (full-width, or a
// half-width byte A1-DF); letter (the character or its single-byte form is an ASCII letter, so
// Ａ counts here); digit (by its single-byte form); symbol (white space by its single-byte form,
// ASCII punctuation, or the full-width symbol row 8141-81AC); other. Any code is accepted.
CharClass ClassifyChar(unsigned code);

// Adds one to the counter of each character of `text` and returns the number of characters.
// A lead byte at the end, or before a zero byte, is a character of its own (an "other").
std::size_t CharClassCensus(std::string_view text, CharClassCounts& counts);

}  // namespace qb
