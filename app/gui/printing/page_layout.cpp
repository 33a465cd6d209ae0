#include "app/gui/printing/page_layout.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "convert/sjis.h"
#include "shape/whitespace.h"

namespace qb::gui {

int MillimetresToDots(int millimetres, int dotsPerInch) {
    return static_cast<int>(std::lround(millimetres * static_cast<double>(dotsPerInch) / 25.4));
}

PageGeometry LayOutPage(const PrintFormat& format, const PageDevice& device) {
    PageGeometry g;
    const int dpi = device.dotsPerInch;
    g.left = MillimetresToDots(format.left, dpi);
    g.top = MillimetresToDots(format.top, dpi);
    g.right = device.width - MillimetresToDots(format.right, dpi);
    g.bottom = device.height - MillimetresToDots(format.bottom, dpi);
    g.charWidth = std::max(device.charWidth, 1);
    const int t = std::max(device.charHeight, 1);
    g.lineStep = t + t / 4;
    // A row fits when its characters end above the bottom margin; the gap of t/4 below the
    // last row may fall into the margin.
    const int height = g.bottom - g.top;
    const int rowsThatFit = height < t ? 0 : (height - t) / g.lineStep + 1;
    g.rowsPerPage = std::min(format.lineMax, rowsThatFit);
    g.columnsPerRow = std::max(g.right - g.left, 0) / g.charWidth;
    return g;
}

PageMarks PlaceMarks(const PageGeometry& geometry, const PageDevice& device) {
    PageMarks marks;
    const int row = std::max(device.charHeight, 1);
    if (geometry.top >= 2 * row) {
        marks.header = true;
        marks.headerTop = (geometry.top - row) / 2;
    }
    const int below = device.height - geometry.bottom;
    if (below >= 2 * row) {
        marks.footer = true;
        marks.footerTop = geometry.bottom + (below - row) / 2;
    }
    return marks;
}

std::string PageNumberText(int page, int pageCount) {
    return std::to_string(page) + " / " + std::to_string(pageCount);
}

std::string PrintedText(std::string_view line) {
    return ExpandTabs(line, kPrintTabWidth);
}

std::size_t RowEnd(std::string_view text, std::size_t start, int columns) {
    if (start >= text.size()) return text.size();
    // Every character takes at least one column: a rest no longer than the row fits whole.
    if (text.size() - start <= static_cast<std::size_t>(std::max(columns, 0))) return text.size();
    std::size_t end = NextChar(text, start);
    const std::size_t limit = start + static_cast<std::size_t>(std::max(columns, 0));
    while (end < text.size()) {
        const std::size_t next = NextChar(text, end);
        if (next > limit) break;
        end = next;
    }
    return end;
}

RowWalker::RowWalker(const LineList& lines, int columnsPerRow, RowPosition start)
    : m_lines(lines), m_columns(columnsPerRow), m_position(start) {
    LoadLine();
}

std::string_view RowWalker::Row() const {
    return m_text.substr(m_position.offset, m_rowEnd - m_position.offset);
}

void RowWalker::Next() {
    if (AtEnd()) return;
    if (m_rowEnd < m_text.size()) {
        m_position.offset = m_rowEnd;
        m_rowEnd = RowEnd(m_text, m_position.offset, m_columns);
        return;
    }
    ++m_position.line;
    m_position.offset = 0;
    LoadLine();
}

void RowWalker::LoadLine() {
    if (AtEnd()) return;
    const std::string_view line = m_lines[static_cast<std::size_t>(m_position.line)].view();
    if (std::memchr(line.data(), '\t', line.size()) != nullptr) {
        m_expanded = PrintedText(line);
        m_text = m_expanded;
    } else {
        m_text = line;
    }
    m_position.offset = std::min(m_position.offset, m_text.size());
    m_rowEnd = RowEnd(m_text, m_position.offset, m_columns);
}

std::vector<RowPosition> PageStarts(const LineList& lines, const PageGeometry& geometry) {
    std::vector<RowPosition> starts{RowPosition{}};
    if (!geometry.HasRoom()) return starts;
    int rowsOnPage = 0;
    for (RowWalker rows(lines, geometry.columnsPerRow); !rows.AtEnd(); rows.Next()) {
        if (rowsOnPage == geometry.rowsPerPage) {
            starts.push_back(rows.Position());
            rowsOnPage = 0;
        }
        ++rowsOnPage;
    }
    return starts;
}

}  // namespace qb::gui
