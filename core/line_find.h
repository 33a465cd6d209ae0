// Finding the next line that holds a text, for the window's Find: plain text compared with the
// same tolerances as replacing (width, case, kana kind), or a pattern. The search goes one way
// from a line and wraps round the end once.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace qb {

class CQuillbayDoc;
class CRegExp;

struct FindQuery {
    std::string sjisText;    // Shift-JIS; empty finds nothing
    unsigned foldFlags = 0;  // FoldFlags (convert/fold.h); ignored for a pattern but FoldCase
    bool pattern = false;
};

struct FoundLine {
    int index = 0;         // 0-based
    bool wrapped = false;  // passed the end (or the start, going back) to get there
};

class LineFinder {
public:
    explicit LineFinder(FindQuery query);
    ~LineFinder();

    // Whether `line` holds a match. A malformed pattern matches nothing (Error() says why).
    bool Matches(std::string_view line);
    // The first line after `from` (before it, going back) that matches, wrapping once; `from`
    // itself is tried last. -1 starts before the first line (after the last, going back).
    std::optional<FoundLine> Next(const CQuillbayDoc& doc, int from, bool forward);
    // Why the pattern cannot be used (UTF-8); empty when it can.
    std::string Error();

private:
    FindQuery m_query;
    std::unique_ptr<CRegExp> m_regexp;
};

}  // namespace qb
