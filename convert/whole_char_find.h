// Exact searching of Shift-JIS text for matches that cover whole characters, and the upper-casing
// that case-insensitive searching compares through.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qb {

// The position of the first occurrence of `needle` in `text`, at or after `from`, that begins on
// a character boundary and ends on one: it never starts on the second byte of a double-byte
// character, and a needle that ends in a lone lead byte never takes the first half of a
// character in `text`. npos when there is none, when `needle` is empty or when `from` is past
// the end. `from` must be a character boundary. Linear in the length of the text: each byte
// is looked at a bounded number of times, whatever the input.
std::size_t FindWholeChars(std::string_view text, std::string_view needle, std::size_t from = 0);

// The same search with the needle prepared once, for searching many texts.
class WholeCharFinder {
public:
    explicit WholeCharFinder(std::string_view needle);
    std::size_t Find(std::string_view text, std::size_t from = 0) const;
    std::size_t size() const { return m_needle.size(); }

private:
    std::string m_needle;
    bool m_endsInLoneLead = false;  // the needle's last character is a lead byte on its own
};

// `text` with every letter that has an upper-case partner (ASCII, full-width Latin, Greek,
// Cyrillic) replaced by it. Byte lengths and character boundaries do not change, so a position
// in the result is the same position in `text`.
[[nodiscard]] std::string UpperCased(std::string_view text);

}  // namespace qb
