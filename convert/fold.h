// Character-equivalence folding: comparing Shift-JIS text while ignoring width, case, kana kind
// or small and voiced kana. Search, replace and sort use it.
#pragma once

#include <cstddef>
#include <string_view>

namespace qb {

enum FoldFlags : unsigned {
    FoldWidth = 0x01,  // half-width and full-width forms are equal (ｶﾞ, カ゛ and ガ too)
    FoldCase = 0x02,   // upper and lower case are equal
    FoldKana = 0x04,   // hiragana and katakana are equal
    FoldSmallVoiced = 0x08,  // small kana equal large, voiced equal base, － and - equal ー
};

// Reads one folded character at `pos`: stores its code in `code` and returns the position after
// everything it consumed (a following ﾞ/ﾟ or ゛/゜ mark under FoldWidth, when the kana and the
// mark form a voiced kana; ア゛ stays two characters). At or past the end: code 0, text.size().
std::size_t FoldedNext(std::string_view text, std::size_t pos, unsigned flags, unsigned& code);

// Compares two codes after folding; their difference, 0 when equal.
int FoldedCompareChars(unsigned a, unsigned b, unsigned flags);

// Three-way comparison of two strings after folding (negative, zero, positive). A string that
// ends first sorts first, even against a zero byte.
int FoldedCompare(std::string_view s1, std::string_view s2, unsigned flags);

// The byte offset of the first match of `pattern` in `text` at or after `start` (a character
// boundary), or npos. On a match `length` receives the number of bytes of `text` it covers,
// which can differ from the pattern's length. An empty pattern never matches.
std::size_t FoldedFind(std::string_view text, std::string_view pattern, unsigned flags,
                       std::size_t start, std::size_t& length);

}  // namespace qb
