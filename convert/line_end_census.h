// Counting the line ends of a text: CR LF pairs, LFs and CRs on their own, whichever way the text
// comes (whole, or piece by piece as a file is read in blocks, with a CR LF pair split between
// two pieces counted once).
#pragma once

#include <cstddef>
#include <string_view>

#include "convert/file_form.h"

namespace qb {

struct LineEndCounts {
    std::size_t crLf = 0;
    std::size_t lf = 0;  // LFs without a CR before them
    std::size_t cr = 0;  // CRs without an LF after them

    // The most common kind; on a tie CR LF, then LF (so CR LF for a text without line ends).
    [[nodiscard]] LineEnd Majority() const;
    // CRs and nothing else: a text that reads as lines only when split at CR.
    [[nodiscard]] bool CrOnly() const { return cr > 0 && lf == 0 && crLf == 0; }
    [[nodiscard]] bool Any() const { return cr + lf + crLf > 0; }
    bool operator==(const LineEndCounts&) const = default;
};

class LineEndCensus {
public:
    // The bytes of a code that writes CR and LF as single bytes (all but UTF-16).
    void Feed(std::string_view piece);
    // One unit of UTF-16 text.
    void FeedUnit(char16_t unit);
    // Adds the census of the text that follows (not empty), counted apart: what this one counted
    // ends in an LF (or is empty), so that no CR LF pair spans the two.
    void Append(const LineEndCensus& next);

    // The counts over everything fed so far.
    [[nodiscard]] LineEndCounts Counts() const;
    // Whether the last byte or unit fed was an LF or a CR (false when nothing was fed).
    [[nodiscard]] bool EndsWithLineEnd() const { return m_endsWithLineEnd; }

private:
    std::size_t m_lf = 0, m_cr = 0, m_crLf = 0;  // every LF, every CR, and the pairs
    bool m_lastWasCr = false;
    bool m_endsWithLineEnd = false;
};

}  // namespace qb
