// The wrap operations of the document: TurnChange, IndTurnChange, TurnIf.
#include <algorithm>
#include <string>

#include "core/commands/line_builder.h"
#include "core/quillbay_doc.h"
#include "shape/wrap.h"

namespace qb {

namespace {

const KinsokuSettings& ApplicationKinsoku(AppContext& app) {
    if (!app.kinsoku) app.kinsoku = LoadKinsokuSettings(app.settings);
    return *app.kinsoku;
}

// About how many pieces folding `size` bytes into `width` columns gives, each piece after the
// first starting with `indent` bytes of indent: a piece holds its width but for a character
// moved to the next piece by the double-byte guard or push-out (two bytes at most), and at
// least one character.
long long EstimatedPieces(std::size_t size, long width, std::size_t indent) {
    if (width <= 0 || size <= static_cast<std::size_t>(width)) return 1;
    const long long room = static_cast<long long>(width) - static_cast<long long>(indent) - 2;
    const long long step = std::max(1LL, room);
    return (static_cast<long long>(size) + step - 1) / step;
}

// The leading run of half-width and full-width spaces that IndTurnChange repeats.
std::size_t IndentLength(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ')
            ++i;
        else if (i + 1 < line.size() && line[i] == '\x81' && line[i + 1] == '\x40')
            i += 2;
        else
            break;
    }
    return i;
}

// About how many lines folding at `width` gives, so that the new list is allocated once.
std::size_t ExpectedFoldedLines(const LineList& lines, long width) {
    std::size_t bytes = 0;
    for (const Line& line : lines)
        bytes += line.size();
    return lines.size() + bytes / static_cast<std::size_t>(width < 8 ? 8 : width) + 16;
}

}  // namespace

void CQuillbayDoc::TurnChange(int width) {
    m_shape.width = width;
    const EnglishWordMode english = ReadWrapEnglishMode(m_app.settings);
    const long long perPiece =
        CQuillbayDoc::kAddedLineCost + (english == EnglishWordMode::Hyphenate ? 1 : 0);
    if (!AllowGrowth([&](std::string_view line) {
            const long effective = width <= 0 ? 1 : width;
            return (EstimatedPieces(line.size(), effective, 0) - 1) * perPiece;
        }))
        return;
    OperationScope scope(*this);
    const WrapRules rules(ApplicationKinsoku(m_app), english);
    PieceCutter cutter(rules);
    std::string hyphenated;
    const long added = RebuildTargetLines(
        m_lines, TargetFlags(),
        [&](const Line& line, LineListBuilder& out) {
            WrapLine(line.view(), width, cutter, [&](std::string_view piece, bool hyphen) {
                if (!hyphen) {
                    AddPiece(out, line, piece);
                    return;
                }
                hyphenated.assign(piece);
                hyphenated += '-';
                out.Add(hyphenated);
            });
        },
        ExpectedFoldedLines(m_lines, width), &m_poll);
    m_target.lastLine = MoveLineNumber(m_target.lastLine, added);
}

void CQuillbayDoc::IndTurnChange(int width) {
    m_shape.width = width;
    if (!AllowGrowth([&](std::string_view line) {
            const std::size_t indent = IndentLength(line);
            const long effective = width <= 0 ? 1 : width;
            return (EstimatedPieces(line.size(), effective, indent) - 1) *
                   (CQuillbayDoc::kAddedLineCost + static_cast<long long>(indent));
        }))
        return;
    OperationScope scope(*this);
    const WrapRules rules(ApplicationKinsoku(m_app), ReadWrapEnglishMode(m_app.settings));
    PieceCutter cutter(rules);
    std::string joined;
    const long added = RebuildTargetLines(
        m_lines, TargetFlags(),
        [&](const Line& line, LineListBuilder& out) {
            WrapLineIndented(line.view(), width, cutter,
                             [&](std::string_view indent, std::string_view piece) {
                                 if (indent.empty()) {
                                     AddPiece(out, line, piece);
                                     return;
                                 }
                                 joined.assign(indent);
                                 joined.append(piece);
                                 out.Add(joined);
                             });
        },
        ExpectedFoldedLines(m_lines, width), &m_poll);
    m_target.lastLine = MoveLineNumber(m_target.lastLine, added);
}

void CQuillbayDoc::TurnIf(std::string_view breakString, int replace) {
    if (!breakString.empty() && !AllowGrowth([&](std::string_view line) {
            long long breaks = 0;
            for (std::size_t at = line.find(breakString); at != std::string_view::npos;
                 at = line.find(breakString, at + breakString.size()))
                ++breaks;
            return breaks * CQuillbayDoc::kAddedLineCost;
        }))
        return;
    OperationScope scope(*this);
    if (breakString.empty()) return;
    RebuildTargetLines(m_lines, TargetFlags(), [&](const Line& line, LineListBuilder& out) {
        SplitAtString(line.view(), breakString, replace != 0,
                      [&](std::string_view piece) { AddPiece(out, line, piece); });
    });
}

}  // namespace qb
