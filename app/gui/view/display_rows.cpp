#include "app/gui/view/display_rows.h"

#include <algorithm>

#include "app/gui/view/view_geometry.h"
#include "convert/sjis.h"

namespace qb::gui {

namespace {

std::vector<unsigned> CodesOf(std::string_view sjis) {
    std::vector<unsigned> codes;
    for (std::size_t pos = 0; pos < sjis.size(); pos = NextChar(sjis, pos))
        codes.push_back(CharCode(sjis, pos));
    std::sort(codes.begin(), codes.end());
    return codes;
}

// The kinsoku rules moved onto a break at `next` (a character's start inside the line) of the
// row beginning at `start`: a character that must not begin a row joins the row before, and
// failing that, one that must not end it goes down with the break, unless it is the row's only
// character.
std::size_t ApplyRules(std::string_view line, std::size_t start, std::size_t next,
                       const RowBreakRules& rules) {
    if (rules.MustNotStart(CharCode(line, next))) return NextChar(line, next);
    const std::size_t last = CharStartAtOrBefore(line, next - 1);
    if (last > start && rules.MustNotEnd(CharCode(line, last))) return last;
    return next;
}

}  // namespace

RowBreakRules::RowBreakRules(std::string_view lineStart, bool hanging, std::string_view lineEnd,
                             bool pushOut) {
    if (hanging) m_noStart = CodesOf(lineStart);
    if (pushOut) m_noEnd = CodesOf(lineEnd);
}

bool RowBreakRules::Has(const std::vector<unsigned>& codes, unsigned code) {
    return std::binary_search(codes.begin(), codes.end(), code);
}

std::size_t NextRowStart(std::string_view line, std::size_t start, std::size_t columns,
                         const RowBreakRules* rules) {
    const std::size_t cells = std::max(columns, kMinRowColumns);
    if (start >= line.size() || line.size() - start <= cells) return line.size();
    // The character under the edge cell moves to the next row when it started before the edge.
    // CharStartAtOrBefore looks back over the lead-byte run only, so a row costs no walk over
    // its bytes; with two cells or more the row keeps at least one character.
    const std::size_t edge = start + cells;
    std::size_t next = CharStartAtOrBefore(line, edge);
    if (next <= start) next = edge;
    return rules ? std::min(ApplyRules(line, start, next, *rules), line.size()) : next;
}

long long RowCount(std::string_view line, std::size_t columns, const RowBreakRules* rules) {
    long long rows = 1;
    for (std::size_t start = NextRowStart(line, 0, columns, rules); start < line.size();
         start = NextRowStart(line, start, columns, rules))
        ++rows;
    return rows;
}

std::size_t RowStart(std::string_view line, long long row, std::size_t columns,
                     const RowBreakRules* rules) {
    std::size_t start = 0;
    for (long long r = 0; r < row; ++r) {
        const std::size_t next = NextRowStart(line, start, columns, rules);
        if (next >= line.size()) break;
        start = next;
    }
    return start;
}

WrappedRows::WrappedRows(LineSource lines, int lineCount, std::size_t columns, RowBreakRules rules)
    : m_lines(std::move(lines)),
      m_lineCount(std::max(lineCount, 0)),
      m_columns(columns),
      m_rules(std::move(rules)) {}

long long WrappedRows::RowsOf(int line) const {
    if (line >= m_lineCount) return 1;  // the end mark's row
    return RowCount(m_lines(line), m_columns, &m_rules);
}

RowPosition WrappedRows::Clamp(RowPosition top) const {
    top.line = std::clamp(top.line, 0, m_lineCount);
    top.row = std::clamp(top.row, 0LL, RowsOf(top.line) - 1);
    return top;
}

std::vector<DisplayRow> WrappedRows::Rows(RowPosition top, int count) const {
    std::vector<DisplayRow> rows;
    top = Clamp(top);
    int line = top.line;
    long long row = top.row;
    std::size_t start = line < m_lineCount ? RowStart(m_lines(line), row, m_columns, &m_rules) : 0;
    while (static_cast<int>(rows.size()) < count && line < m_lineCount) {
        const std::string_view text = m_lines(line);
        const std::size_t next = NextRowStart(text, start, m_columns, &m_rules);
        const bool last = next >= text.size();
        rows.push_back({line, row, start, std::min(next, text.size()), last});
        if (last) {
            ++line;
            row = 0;
            start = 0;
        } else {
            ++row;
            start = next;
        }
    }
    return rows;
}

RowPosition WrappedRows::Move(RowPosition from, long long rows, RowPosition last) const {
    RowPosition at = Clamp(from);
    const auto pastLast = [&] {
        return at.line > last.line || (at.line == last.line && at.row >= last.row);
    };
    while (rows > 0) {
        const long long below = RowsOf(at.line) - 1 - at.row;  // rows left in this line
        if (rows <= below) {
            at.row += rows;
            return pastLast() ? last : at;
        }
        rows -= below + 1;
        at = {at.line + 1, 0};
        if (at.line > m_lineCount || pastLast()) return last;
    }
    while (rows < 0) {
        if (-rows <= at.row) {
            at.row += rows;
            return at;
        }
        rows += at.row + 1;
        if (at.line == 0) return {0, 0};
        at = {at.line - 1, RowsOf(at.line - 1) - 1};
    }
    return pastLast() ? last : at;
}

RowPosition WrappedRows::LastTop(int windowRows) const {
    long long remaining = windowRows - 1LL;  // the end mark takes the bottom row
    if (remaining <= 0) return {m_lineCount, 0};
    for (int line = m_lineCount - 1; line >= 0; --line) {
        const long long rows = RowsOf(line);
        if (rows >= remaining) return {line, rows - remaining};
        remaining -= rows;
    }
    return {0, 0};
}

}  // namespace qb::gui
