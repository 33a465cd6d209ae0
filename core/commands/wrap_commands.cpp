// The wrap operations of the document: TurnChange, IndTurnChange, TurnIf.
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
    OperationScope scope(*this);
    const WrapRules rules(ApplicationKinsoku(m_app), ReadWrapEnglishMode(m_app.settings));
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
    OperationScope scope(*this);
    if (breakString.empty()) return;
    RebuildTargetLines(m_lines, TargetFlags(), [&](const Line& line, LineListBuilder& out) {
        SplitAtString(line.view(), breakString, replace != 0,
                      [&](std::string_view piece) { AddPiece(out, line, piece); });
    });
}

}  // namespace qb
