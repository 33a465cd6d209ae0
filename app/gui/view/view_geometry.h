// The arithmetic of the text view, kept apart from any widget so that it can be checked by
// itself: the number column, the ruler, where the pointer is, the scroll sizes and the target
// range chosen with the mouse.
//
// The view lays text on a grid of cells: every byte of a line takes one cell of the character
// width w, so a double-byte character takes two, and a line of n bytes is n * w wide. Rows are
// one line height h apart. Lines and columns the user sees are 1-based.
#pragma once

#include <climits>
#include <cstddef>
#include <string>
#include <string_view>

namespace qb::gui {

// Cells of the line-number column ("%*d|"): floor(log10(lineCount)) + 2, so 9 lines give 2 and
// 100 lines give 4; a document of no lines counts as one line. 0 when line numbers are off.
int NumberColumnCells(int lineCount, bool lineNumbers);

// The number of line `lineNumber` as the column shows it: right-aligned in cells - 1, then "|".
std::string LineNumberText(long long lineNumber, int numberCells);

// The ruler for columns firstColumn..lastColumn (1-based): "+" at every tenth column, "*" at
// every fifth, "-" elsewhere; with a number column it starts with "_|" right-aligned in its
// cells. Empty columns (lastColumn < firstColumn) give the prefix alone.
std::string RulerText(int numberCells, long long firstColumn, long long lastColumn);

// The 1-based column and row under a point of the window, with the scroll positions in pixels.
// The column counts from the first text column, so it is 0 or less over the number column.
struct GridPoint {
    long long column;
    long long row;
};
GridPoint PointToCell(int x, int y, long long hScroll, long long vScroll, int charWidth,
                      int lineHeight, int numberCells);

// One page of vertical scrolling: a tenth of the text's height, h * lineCount / 10.
long long VerticalPage(int lineCount, int lineHeight);

// A scroll bar counts in ints; a text taller than that counts in units of several pixels.
struct ScrollAxis {
    int unit = 1;     // pixels per scroll-bar step
    int maximum = 0;  // the highest scroll-bar value
    int page = 1;     // the page step, in scroll-bar steps
};
// The axis for a content of `total` pixels in a window of `window` pixels with pages of `page`.
ScrollAxis MakeScrollAxis(long long total, long long window, long long page);

// The mouse rules of the target range, on the first and last target line (1-based).
// A press without Shift makes `row` the whole range; with Shift it moves the last line there and
// puts the two in order.
void PressSelect(int& firstLine, int& lastLine, long long row, bool shift);
// A drag moves the last line to `row` without ordering them (dragging above the pressed line
// leaves a range that holds no line). True when the last line changed.
bool DragSelect(int& lastLine, long long row);

// The offset of the character that holds byte `pos` of a Shift-JIS line (pos itself when a
// character starts there), found by looking back only over the lead-byte run before it (at most
// a megabyte of it), so a long line is not walked from its start. `pos` past the end gives the
// size.
std::size_t CharStartAtOrBefore(std::string_view line, std::size_t pos);

// Rows farther out than an int can name are clamped to the int range.
inline int ClampRow(long long row) {
    return row > INT_MAX ? INT_MAX : row < INT_MIN ? INT_MIN : static_cast<int>(row);
}

}  // namespace qb::gui
