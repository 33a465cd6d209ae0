// Searching many Shift-JIS texts for the same byte string.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qb {

// Finds one needle in many texts, as FindSjis does (a match never begins on the second byte of a
// double-byte character), but without a general search's setup cost on every call, which
// dominates on short lines: candidates are found 16 positions at a time by comparing the first
// and last byte of the needle, and only those are compared in full.
class SjisSearcher {
public:
    explicit SjisSearcher(std::string_view needle) : m_needle(needle) {}

    const std::string& Needle() const { return m_needle; }

    // The position of the first occurrence at or after `from` (a character boundary) that begins
    // on a character boundary; npos when there is none. An empty needle is found at `from`.
    // Linear in the length of the text.
    std::size_t Find(std::string_view text, std::size_t from = 0) const;
    bool IsIn(std::string_view text) const { return Find(text) != std::string_view::npos; }

private:
    std::string m_needle;
};

}  // namespace qb
