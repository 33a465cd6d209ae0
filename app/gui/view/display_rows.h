// Display wrapping: how the view cuts a long line into rows at the window's edge, without
// touching the text. Kept apart from any widget so that it can be checked by itself.
//
// A row holds `columns` byte cells, or one less when a double-byte character would straddle the
// edge (it moves whole to the next row). With the Japanese line-breaking rules (RowBreakRules) a
// character that must not begin a row (。、」...) hangs at the end of the row before, one past the
// edge at most, and one that must not end a row (「（...) moves down to the next. Rows are found
// from the start of their line, so only the lines in the window are ever measured: the view's place
// in the text is a logical line and a row inside it, never a pixel count that would need every
// line's height.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace qb::gui {

// The kinsoku sets the rows follow, as the wrap command's settings name them.
class RowBreakRules {
public:
    RowBreakRules() = default;
    // `lineStart`, `lineEnd`: Shift-JIS characters; either rule is off when its switch is.
    RowBreakRules(std::string_view lineStart, bool hanging, std::string_view lineEnd, bool pushOut);

    [[nodiscard]] bool MustNotStart(unsigned code) const { return Has(m_noStart, code); }
    [[nodiscard]] bool MustNotEnd(unsigned code) const { return Has(m_noEnd, code); }

private:
    static bool Has(const std::vector<unsigned>& codes, unsigned code);
    std::vector<unsigned> m_noStart;  // sorted character codes
    std::vector<unsigned> m_noEnd;
};

// The fewest cells a row may have: a double-byte character must always fit, or a row would
// hold nothing and the cutting would make no progress.
inline constexpr std::size_t kMinRowColumns = 2;

// Where the row after the one beginning at byte `start` (a character's start) begins; the line's
// size when that row is the last. `columns` below kMinRowColumns counts as kMinRowColumns.
// `rules` may be null: rows then break at the edge alone.
[[nodiscard]] std::size_t NextRowStart(std::string_view line, std::size_t start,
                                       std::size_t columns, const RowBreakRules* rules = nullptr);

// How many rows the line takes: 1 for an empty line.
[[nodiscard]] long long RowCount(std::string_view line, std::size_t columns,
                                 const RowBreakRules* rules = nullptr);

// The first byte of row `row` (0-based) of the line; a row past the last gives the last row's.
[[nodiscard]] std::size_t RowStart(std::string_view line, long long row, std::size_t columns,
                                   const RowBreakRules* rules = nullptr);

// A place in the wrapped text: row `row` of logical line `line` (both 0-based). The row after
// the last line (line == lineCount) holds the end mark.
struct RowPosition {
    int line = 0;
    long long row = 0;
    friend bool operator==(const RowPosition&, const RowPosition&) = default;
};

// One row in the window: bytes [start, end) of line `line`, row `row` of that line.
struct DisplayRow {
    int line = 0;
    long long row = 0;
    std::size_t start = 0;
    std::size_t end = 0;
    bool lastOfLine = false;  // the line-end arrow follows this row
};

// Hands out the lines of the text by index.
using LineSource = std::function<std::string_view(int)>;

class WrappedRows {
public:
    WrappedRows(LineSource lines, int lineCount, std::size_t columns, RowBreakRules rules = {});

    // The rows from `top` down, at most `count` of them, ending before the end-mark row.
    [[nodiscard]] std::vector<DisplayRow> Rows(RowPosition top, int count) const;

    // `from` moved by `rows` rows (down when positive), kept between the first row and `last`.
    [[nodiscard]] RowPosition Move(RowPosition from, long long rows, RowPosition last) const;

    // The lowest top a window of `windowRows` rows may have: the one that shows the last rows
    // and the end mark at its bottom (the first row when everything fits).
    [[nodiscard]] RowPosition LastTop(int windowRows) const;

    // `top` kept within the text: its line below the line count, its row within its line.
    [[nodiscard]] RowPosition Clamp(RowPosition top) const;

private:
    [[nodiscard]] long long RowsOf(int line) const;

    LineSource m_lines;
    int m_lineCount;
    std::size_t m_columns;
    RowBreakRules m_rules;
};

}  // namespace qb::gui
