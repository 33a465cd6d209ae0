// Folding Shift-JIS lines at a column with the Japanese line-breaking rules (kinsoku).
//
// Widths and positions are bytes: a half-width character is one column, a double-byte character
// two. No piece ever ends inside a double-byte character, and every piece holds at least one
// character, whatever the width (0 or less included) and the sets, so every loop here ends.
//
// Everything in this header is pure: the document's wrap operations (TurnChange, IndTurnChange,
// TurnIf) run these over their target lines.
#pragma once

#include <bitset>
#include <cstddef>
#include <string_view>
#include <vector>

#include "convert/whole_char_find.h"
#include "shape/kinsoku_settings.h"
#include "shape/whitespace.h"

namespace qb {

// A set of Shift-JIS characters for constant-time lookup. Each member is one character, single-
// or double-byte, and matches only itself (a double-byte member never matches a single byte).
class CharSet {
public:
    CharSet() = default;
    // The characters of `chars`, stepped as Shift-JIS text.
    explicit CharSet(std::string_view chars);
    bool Contains(unsigned code) const { return code <= 0xFFFF && m_codes.test(code); }

private:
    std::bitset<0x10000> m_codes;  // single-byte codes and lead * 256 + trail never collide
};

// The kinsoku settings in the form the cutter uses.
struct WrapRules {
    CharSet lineStart;
    CharSet lineEnd;
    bool hanging = false;
    bool pushOut = false;
    bool tagRule = false;
    EnglishWordMode english = EnglishWordMode::Plain;

    // No rule at all: pieces are cut at the column (moved back to a character boundary).
    WrapRules() = default;
    WrapRules(const KinsokuSettings& kinsoku, EnglishWordMode englishMode);
};

// Where one piece of a rest ends.
struct PieceCut {
    std::size_t end = 0;  // the piece is rest[0, end); 1 <= end <= rest.size()
    bool hyphen = false;  // hyphenation: the piece is shown with "-" appended
};

// Cuts the first piece off a rest of a line. The rules, in this order:
//   1. tag rule: the break moves past a tag "<...>" that is open at the column, past a stray
//      ">" at the column, and back to a line feed before the column (one at the very start of
//      the rest does not count: the break before it has been made already);
//   2. the break moves back to the start of a double-byte character it would split; when that
//      leaves nothing, the piece is the first character, however wide;
//   3. hanging: a line-start character at the break joins the piece (at most one);
//   4. push-out (where the piece does not end the rest): a line-end character that ends the
//      piece moves to the next piece (at most one), unless the piece holds nothing else;
//   5. English words (only where the break is not at the end of the rest): NextLine moves a
//      word that the break would split to the next piece (push-out then runs again on what is
//      left), unless the word fills the piece or only line-end characters precede it;
//      Hyphenate marks the piece for a "-".
// `rest` must not be empty; `column` is the proposed break and may be 0 or less. Linear in the
// length of the returned piece (and of a tag that holds the break).
class PieceCutter {
public:
    explicit PieceCutter(const WrapRules& rules) : m_rules(rules) {}
    // Declares the line whose rests the next Cut calls receive (optional: it lets the tag rule
    // skip its scan wherever the line holds no '<', '>' or line feed near the break).
    void StartLine(std::string_view line);
    PieceCut Cut(std::string_view rest, long column);

private:
    // Whether a '<', '>' or LF may lie in rest[0, p] (true when the rest is not of the line).
    bool TagBytesBefore(std::string_view rest, std::size_t p);
    // Push-out and the word rule with the character starts of the piece at hand.
    PieceCut FinishByStepping(std::string_view rest, std::size_t p);
    // Where push-out moves a break at p (p itself when it does not apply); 0 when the piece
    // holds nothing but the line-end character.
    std::size_t PushOut(std::string_view rest, std::size_t p) const;

    const WrapRules& m_rules;
    std::vector<std::size_t> m_starts;  // character starts of the piece being cut (scratch)
    std::string_view m_line;
    bool m_tagBytesKnown = false;
    std::size_t m_nextTagByte[3] = {};  // offsets in m_line of the next '<', '>', LF (or its size)
};

// Folds one line at `width`: calls onPiece(std::string_view piece, bool hyphen) for each output
// line in order. A line not longer than `width` is one piece (an empty line too). Cut pieces
// come from PieceCutter; what remains after the last cut is the last piece, and when a cut takes
// the whole rest no empty piece follows. Without hyphens the pieces concatenate to the line.
template <class OnPiece>
void WrapLine(std::string_view line, long width, PieceCutter& cutter, OnPiece&& onPiece) {
    std::string_view rest = line;
    cutter.StartLine(line);
    while (!rest.empty() && static_cast<long>(rest.size()) > width) {
        const PieceCut cut = cutter.Cut(rest, width);
        onPiece(rest.substr(0, cut.end), cut.hyphen);
        rest.remove_prefix(cut.end);
        if (rest.empty()) return;
    }
    onPiece(rest, false);
}

// Folds one line at `width` repeating its indent (LeadingBlankLength) on every continuation line:
// calls onPiece(std::string_view indent, std::string_view piece) for each output line, where
// the output line is indent + piece (indent is empty for the first). A line not longer than
// `width` is one piece. The first piece is cut at `width`, the others at width minus the
// indent, while the rest is longer than `width`; no hyphen is added. As in WrapLine, no
// indent-only line follows a cut that takes the whole rest. A line whose indent is as wide as
// `width` or wider is one piece: no continuation line could hold anything beside the indent.
template <class OnPiece>
void WrapLineIndented(std::string_view line, long width, PieceCutter& cutter, OnPiece&& onPiece) {
    if (static_cast<long>(line.size()) <= width || line.empty()) {
        onPiece(std::string_view(), line);
        return;
    }
    const std::string_view indent = line.substr(0, LeadingBlankLength(line));
    // Forcing one character per continuation line behind a full copy of the indent would write
    // the indent once per byte of the line: a 100,000-byte blank line would give gigabytes.
    if (!indent.empty() && static_cast<long>(indent.size()) >= width) {
        onPiece(std::string_view(), line);
        return;
    }
    cutter.StartLine(line);
    const PieceCut first = cutter.Cut(line, width);
    onPiece(std::string_view(), line.substr(0, first.end));
    std::string_view rest = line.substr(first.end);
    const long inner = width - static_cast<long>(indent.size());
    while (!rest.empty() && static_cast<long>(rest.size()) > width) {
        const PieceCut cut = cutter.Cut(rest, inner);
        onPiece(indent, rest.substr(0, cut.end));
        rest.remove_prefix(cut.end);
    }
    if (!rest.empty()) onPiece(indent, rest);
}

// Breaks a line after each occurrence of `separator` (found by FindWholeChars), or, with
// `replace`, in place of it: calls onPiece(std::string_view) for each output line. What follows
// the last occurrence is the last piece, empty when the line ends in the separator. An empty
// separator breaks nothing (the line is one piece).
template <class OnPiece>
void SplitAtString(std::string_view line, std::string_view separator, bool replace,
                   OnPiece&& onPiece) {
    std::string_view rest = line;
    if (!separator.empty()) {
        for (std::size_t at; (at = FindWholeChars(rest, separator)) != std::string_view::npos;) {
            onPiece(rest.substr(0, replace ? at : at + separator.size()));
            rest.remove_prefix(at + separator.size());
        }
    }
    onPiece(rest);
}

}  // namespace qb
