// Folds random lines with random widths, switches and kinsoku sets, and checks that every fold
// ends and keeps its promises: pieces are never empty, never split a double-byte character,
// make up the line, stay within the width plus one hanging character, never end in a line-end
// character (unless that is all they hold) and begin with a line-start character only after one
// has hung. The document's TurnChange and IndTurnChange are run on the same line too.
// Every cut is also compared with the slow stepping reference.
//
// Input: width byte, switch byte, two set lengths, the two sets, then the line.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "convert/sjis.h"
#include "core/host.h"
#include "core/quillbay_doc.h"
#include "shape/wrap.h"
#include "tests/shape/wrap_reference.h"

namespace {

using namespace qb;

[[noreturn]] void Fail(const char* what, std::string_view line, long width) {
    std::fprintf(stderr, "wrap_fuzz: %s (width %ld, line of %zu bytes)\n", what, width,
                 line.size());
    std::abort();
}

struct Piece {
    std::size_t begin, end;
    long column;
    bool hyphen;
};

// Bytes that let the tag rule move a break far from the column.
bool HasTagBytes(std::string_view text) {
    return text.find_first_of("<>\n") != std::string_view::npos;
}

// Whether the start-of-line check is meaningful for these sets: no character in both, no ASCII
// letter (the word rule moves breaks to letters), no byte the tag rule treats specially.
bool SetsAreSimple(std::string_view start, std::string_view end) {
    const CharSet endSet(end);
    for (std::size_t i = 0; i < start.size(); i = NextChar(start, i)) {
        const unsigned c = CharCode(start, i);
        if (endSet.Contains(c) || IsAsciiLetter(c) || c == '<' || c == '>' || c == '\n')
            return false;
    }
    for (std::size_t i = 0; i < end.size(); i = NextChar(end, i)) {
        const unsigned c = CharCode(end, i);
        if (IsAsciiLetter(c) || c == '<' || c == '>' || c == '\n') return false;
    }
    return true;
}

void Check(std::string_view line, const std::vector<Piece>& pieces, long width,
           const WrapRules& rules, bool checkStarts) {
    std::vector<bool> boundary(line.size() + 1, false);
    for (std::size_t i = 0; i < line.size(); i = NextChar(line, i))
        boundary[i] = true;
    boundary[line.size()] = true;
    if (pieces.empty()) Fail("no piece", line, width);
    if (pieces.size() > line.size() + 1) Fail("more pieces than bytes", line, width);
    const bool tags = rules.tagRule && HasTagBytes(line);
    std::size_t expected = 0;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        const Piece& p = pieces[k];
        if (p.begin != expected) Fail("pieces do not make up the line", line, width);
        if (p.end <= p.begin && !line.empty()) Fail("empty piece", line, width);
        if (!boundary[p.begin] || !boundary[p.end]) Fail("split character", line, width);
        expected = p.end;
        if (p.hyphen && rules.english != EnglishWordMode::Hyphenate) Fail("hyphen", line, width);
        if (k + 1 == pieces.size()) continue;
        std::size_t lastStart = p.end - 1;
        while (lastStart > p.begin && !boundary[lastStart])
            --lastStart;
        // Push-out moves one character: a line-end character still ends the piece only when
        // the piece holds nothing else or the next piece begins with the one pushed.
        if (rules.pushOut && rules.lineEnd.Contains(CharCode(line, lastStart)) &&
            !rules.lineEnd.Contains(CharCode(line, p.end))) {
            for (std::size_t i = p.begin; i < p.end; i = NextChar(line, i))
                if (!rules.lineEnd.Contains(CharCode(line, i)))
                    Fail("piece ends in a line-end character", line, width);
        }
        if (tags) continue;
        const std::size_t first = NextChar(line, p.begin) - p.begin;
        const std::size_t base = std::max<std::size_t>(p.column > 0 ? p.column : 0, first);
        if (p.end - p.begin > base + 2) Fail("piece too wide", line, width);
        if (checkStarts && rules.hanging && rules.lineStart.Contains(CharCode(line, p.end)) &&
            (!rules.lineStart.Contains(CharCode(line, lastStart)) ||
             static_cast<long>(lastStart - p.begin) < p.column - 1))
            Fail("piece begins with a line-start character", line, width);
    }
    if (expected != line.size()) Fail("line not covered", line, width);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    const long width = static_cast<long>(data[0] % 48) - 4;
    const unsigned switches = data[1];
    const std::size_t startLength = std::min<std::size_t>(data[2] % 16, size - 4);
    const std::size_t endLength = std::min<std::size_t>(data[3] % 16, size - 4 - startLength);
    const char* bytes = reinterpret_cast<const char*>(data);
    KinsokuSettings kinsoku;
    kinsoku.lineStart.assign(bytes + 4, startLength);
    kinsoku.lineEnd.assign(bytes + 4 + startLength, endLength);
    kinsoku.hanging = switches & 1;
    kinsoku.pushOut = switches & 2;
    kinsoku.tagRule = switches & 4;
    const unsigned mode = (switches >> 3) & 3;
    const auto english = static_cast<EnglishWordMode>(mode == 3 ? 0 : mode);
    const std::string_view line(bytes + 4 + startLength + endLength,
                                size - 4 - startLength - endLength);

    const WrapRules rules(kinsoku, english);
    const bool checkStarts = SetsAreSimple(kinsoku.lineStart, kinsoku.lineEnd);
    PieceCutter cutter(rules);

    std::vector<Piece> pieces;
    WrapLine(line, width, cutter, [&](std::string_view piece, bool hyphen) {
        const std::size_t begin = static_cast<std::size_t>(piece.data() - line.data());
        pieces.push_back({begin, begin + piece.size(), width, hyphen});
    });
    for (const Piece& p : pieces) {
        if (line.empty() || static_cast<long>(line.size() - p.begin) <= width)
            break;  // the rest that was not cut
        const PieceCut slow = test::ReferenceCut(line.substr(p.begin), width, rules);
        if (slow.end != p.end - p.begin || slow.hyphen != p.hyphen)
            Fail("cut differs from the reference", line, width);
    }
    Check(line, pieces, width, rules, checkStarts);

    const long indent = static_cast<long>(LeadingBlankLength(line));
    pieces.clear();
    WrapLineIndented(line, width, cutter, [&](std::string_view ind, std::string_view piece) {
        const std::size_t begin = static_cast<std::size_t>(piece.data() - line.data());
        const bool first = pieces.empty();
        if (ind.size() != (first ? 0u : static_cast<std::size_t>(indent)))
            Fail("wrong indent", line, width);
        pieces.push_back({begin, begin + piece.size(), first ? width : width - indent, false});
    });
    Check(line, pieces, width, rules, checkStarts);

    // The document operations on the same line: without hyphens the folded lines join back.
    if (english != EnglishWordMode::Hyphenate) {
        SilentHost host;
        SettingsStore settings;
        settings.WriteInt("Turn", "English", static_cast<int>(english));
        AppContext app{host, settings};
        app.kinsoku = kinsoku;
        CQuillbayDoc doc(app);
        doc.InsertEndLine(line);
        doc.Target().lastLine = 1;
        doc.TurnChange(static_cast<int>(width));
        std::string joined;
        for (const Line& l : doc.Lines())
            joined.append(l.view());
        if (joined != line) Fail("TurnChange lost or added bytes", line, width);
        if (doc.Target().lastLine != doc.LineCount()) Fail("TurnChange range", line, width);
        doc.IndTurnChange(static_cast<int>(width));
    }
    return 0;
}
