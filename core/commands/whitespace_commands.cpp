// The whitespace and alignment operations of the document: DelSpaceLine, DelSpaceMultiLine,
// DelSpaceOnly, DelSpaceFirst, DelSpaceBack, TabSpace, SpaceTab, ToCenter, ToRight, TabIf,
// SpToCsv.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/commands/line_builder.h"
#include "core/quillbay_doc.h"
#include "shape/whitespace.h"

namespace qb {

void CQuillbayDoc::DelSpaceLine() {
    OperationScope scope(*this);
    const long added =
        RebuildTargetLines(m_lines, TargetFlags(), [](const Line& line, LineListBuilder& out) {
            if (!IsBlankLine(line.view(), true)) out.AddLine(line);
        });
    m_target.lastLine = MoveLineNumber(m_target.lastLine, added);
}

void CQuillbayDoc::DelSpaceMultiLine() {
    OperationScope scope(*this);
    long run = 0;  // blank target lines seen since the last non-blank one
    const long added =
        RebuildTargetLines(m_lines, TargetFlags(), [&](const Line& line, LineListBuilder& out) {
            if (!IsBlankLine(line.view(), false)) {
                run = 0;
                out.AddLine(line);
                return;
            }
            if (run++ == 0) out.AddLine(line.empty() ? line : Line());
        });
    m_target.lastLine = MoveLineNumber(m_target.lastLine, added);
}

void CQuillbayDoc::DelSpaceOnly() {
    OperationScope scope(*this);
    for (int i = 0; i < LineCount(); ++i) {
        Line& line = m_lines[static_cast<std::size_t>(i)];
        if (!line.empty() && IsTargetLine(i) && IsBlankLine(line.view(), false)) line = Line();
    }
}

void CQuillbayDoc::DelSpaceFirst() {
    OperationScope scope(*this);
    LineArena arena;
    for (int i = 0; i < LineCount(); ++i) {
        Line& line = m_lines[static_cast<std::size_t>(i)];
        const std::size_t lead = LeadingBlankLength(line.view());
        if (lead != 0 && IsTargetLine(i)) line = arena.Make(line.view().substr(lead));
    }
}

void CQuillbayDoc::DelSpaceBack() {
    OperationScope scope(*this);
    LineArena arena;
    for (int i = 0; i < LineCount(); ++i) {
        Line& line = m_lines[static_cast<std::size_t>(i)];
        const std::size_t keep = TrailingBlankStart(line.view());
        if (keep != line.size() && IsTargetLine(i)) line = arena.Make(line.view().substr(0, keep));
    }
}

namespace {

long long CountByte(std::string_view line, char byte) {
    long long count = 0;
    for (const char *p = line.data(), *end = p + line.size();
         (p = static_cast<const char*>(std::memchr(p, byte, static_cast<std::size_t>(end - p))));
         ++p)
        ++count;
    return count;
}

}  // namespace

void CQuillbayDoc::TabSpace(int tabWidth) {
    // The estimate's pass over every line notes the lines that hold a tab, so that the
    // expansion need not search every line again. When the estimate had to look at the target
    // lines alone, the notes are incomplete and every line is searched.
    std::vector<int> withTabs;
    int seen = 0;
    long long added = 0;
    if (tabWidth > 1 && !AllowGrowth([&](std::string_view line) {
            const long long growth = CountByte(line, '\t') * (static_cast<long long>(tabWidth) - 1);
            if (growth > 0) withTabs.push_back(seen);
            ++seen;
            added += growth;
            return growth;
        }))
        return;
    const bool noted = tabWidth > 1 && seen == LineCount() && added <= m_growthAllowance;
    OperationScope scope(*this);
    if (tabWidth < 1) return;
    LineArena arena;
    const auto expand = [&](int i) {
        Line& line = m_lines[static_cast<std::size_t>(i)];
        if (std::memchr(line.data(), '\t', line.size()) == nullptr || !IsTargetLine(i)) return;
        line = arena.Make(ExpandTabs(line.view(), tabWidth));
    };
    if (noted) {
        for (const int i : withTabs)
            expand(i);
    } else {
        for (int i = 0; i < LineCount(); ++i)
            expand(i);
    }
}

void CQuillbayDoc::SpaceTab(int tabWidth) {
    OperationScope scope(*this);
    if (tabWidth < 1) return;
    LineArena arena;
    for (int i = 0; i < LineCount(); ++i) {
        Line& line = m_lines[static_cast<std::size_t>(i)];
        if (std::memchr(line.data(), ' ', line.size()) == nullptr || !IsTargetLine(i)) continue;
        std::string result = CompressSpaces(line.view(), tabWidth);
        if (result != line.view()) line = arena.Make(result);
    }
}

namespace {

long LongestLine(const LineList& lines) {
    std::size_t longest = 0;
    for (const Line& line : lines)
        longest = std::max(longest, line.size());
    return static_cast<long>(longest);
}

}  // namespace

void CQuillbayDoc::ToCenter() {
    const long half = LongestLine(m_lines) / 2;
    if (!AllowGrowth([&](std::string_view line) {
            return std::max(0LL, half - static_cast<long long>(line.size()) / 2);
        }))
        return;
    TransformTargetLines([&](std::string_view line) { return CenterLine(line, half); });
}

void CQuillbayDoc::ToRight() {
    const long width = LongestLine(m_lines);
    if (!AllowGrowth([&](std::string_view line) {
            return static_cast<long long>(width) - static_cast<long long>(line.size());
        }))
        return;
    TransformTargetLines([&](std::string_view line) { return RightAlignLine(line, width); });
}

void CQuillbayDoc::TabIf(std::string_view separator, int replace) {
    TransformTargetLines(
        [&](std::string_view line) { return TabAtString(line, separator, replace != 0); });
}

void CQuillbayDoc::SpToCsv(int first, int last) {
    TransformTargetLines([&](std::string_view line) { return SpacesToCommas(line, first, last); });
}

}  // namespace qb
