#include "app/gui/view/view_geometry.h"

#include <algorithm>
#include <cstdio>

#include "convert/sjis.h"

namespace qb::gui {

int NumberColumnCells(int lineCount, bool lineNumbers) {
    if (!lineNumbers) return 0;
    int digits = 1;
    for (int n = std::max(lineCount, 1); n >= 10; n /= 10)
        ++digits;
    return digits + 1;  // floor(log10(n)) + 2
}

std::string LineNumberText(long long lineNumber, int numberCells) {
    char text[32];
    std::snprintf(text, sizeof text, "%*lld|", std::max(numberCells - 1, 0), lineNumber);
    return text;
}

std::string RulerText(int numberCells, long long firstColumn, long long lastColumn) {
    std::string ruler;
    if (numberCells > 0) {
        ruler.assign(static_cast<std::size_t>(std::max(numberCells - 2, 0)), ' ');
        ruler += "_|";
    }
    for (long long c = std::max(firstColumn, 1LL); c <= lastColumn; ++c)
        ruler += c % 10 == 0 ? '+' : c % 5 == 0 ? '*' : '-';
    return ruler;
}

GridPoint PointToCell(int x, int y, long long hScroll, long long vScroll, int charWidth,
                      int lineHeight, int numberCells) {
    const long long w = std::max(charWidth, 1);
    const long long h = std::max(lineHeight, 1);
    return {(x + hScroll) / w + 1 - numberCells, (y + vScroll) / h + 1};
}

long long VerticalPage(int lineCount, int lineHeight) {
    return static_cast<long long>(lineHeight) * std::max(lineCount, 0) / 10;
}

ScrollAxis MakeScrollAxis(long long total, long long window, long long page) {
    ScrollAxis axis;
    while (total / axis.unit > INT_MAX / 2)
        axis.unit *= 2;
    const long long overflow = std::max(total - window, 0LL);
    axis.maximum = static_cast<int>((overflow + axis.unit - 1) / axis.unit);
    axis.page = static_cast<int>(std::max(page / axis.unit, 1LL));
    return axis;
}

void PressSelect(int& firstLine, int& lastLine, long long row, bool shift) {
    const int r = ClampRow(row);
    if (!shift) {
        firstLine = lastLine = r;
        return;
    }
    lastLine = r;
    if (lastLine < firstLine) std::swap(firstLine, lastLine);
}

bool DragSelect(int& lastLine, long long row) {
    const int r = ClampRow(row);
    if (r == lastLine) return false;
    lastLine = r;
    return true;
}

std::size_t CharStartAtOrBefore(std::string_view line, std::size_t pos) {
    if (pos >= line.size()) return line.size();
    // A byte outside the lead range always ends a character, so the characters start again
    // right after the last such byte; from there the lead-range bytes pair up.
    // A run longer than this (a megabyte of nothing but lead-range bytes) is taken to begin a
    // character where the look stops: the paint of one row must not read the whole line.
    constexpr std::size_t kMaxLook = std::size_t(1) << 20;
    std::size_t run = 0;
    while (run < pos && run < kMaxLook &&
           IsLeadByte(static_cast<unsigned char>(line[pos - run - 1])))
        ++run;
    if (run % 2 == 0) return pos;
    // An odd run: the byte before `pos` is a lead byte; it pairs with `pos` unless `pos` holds
    // a zero byte, which leaves the lead byte a character of its own.
    return line[pos] == '\0' ? pos : pos - 1;
}

}  // namespace qb::gui
