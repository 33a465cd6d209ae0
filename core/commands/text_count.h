// What the character count of the target lines found: the figures its dialog shows.
#pragma once

#include <string>

namespace qb {

struct TextCount {
    long long total = 0;  // characters (a double-byte character counts once)
    long long hiragana = 0;
    long long katakana = 0;  // full-width and half-width
    long long letters = 0;   // ASCII and full-width Latin letters
    long long digits = 0;
    long long symbols = 0;  // white space, punctuation, the full-width symbol row
    long long kanji = 0;    // everything else
    long long size = 0;     // bytes of the target lines, two more per line for CR LF
    long long words = 0;    // English words

    // count * 100 / total, rounded down; 0 when there are no characters.
    long long Percent(long long count) const { return total > 0 ? count * 100 / total : 0; }
    // The size in larger units: "1.5M" above 1,000,000 bytes, "12.3K" above 1,000, else empty.
    std::string SizeInUnits() const;
};

}  // namespace qb
