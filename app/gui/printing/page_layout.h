// Where printed text goes on a page, computed without a printer: the text area inside the
// margins, the line step, how many rows a page holds, and which row each page starts with.
//
// Every length is in device dots. Text is set on a grid of byte columns: a single-byte
// character takes one cell of the print font's average character width w, a double-byte
// character two, and tabs are expanded to stops every 8 columns. A line longer than the text
// area is continued on the next row (never cut at the right margin), so a page holds rows: at
// most LineMax, and no more than fit wholly above the bottom margin.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/gui/printing/print_format.h"
#include "core/line.h"

namespace qb::gui {

// Tab stops of printed text, in byte columns.
inline constexpr int kPrintTabWidth = 8;

// The printer's printable area and the print font's measures.
struct PageDevice {
    int width = 0;  // printable area, dots
    int height = 0;
    int dotsPerInch = 0;
    int charWidth = 0;   // w: the font's average character width
    int charHeight = 0;  // t: the font's character height
};

struct PageGeometry {
    // The text area: the printable area less the four margins (right and bottom exclusive).
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int charWidth = 0;
    int lineStep = 0;       // t + t/4
    int rowsPerPage = 0;    // min(LineMax, rows that fit wholly above the bottom margin)
    int columnsPerRow = 0;  // byte columns between the side margins

    // Whether a row and a double-byte character fit in the text area at all.
    bool HasRoom() const { return rowsPerPage >= 1 && columnsPerRow >= 2; }
    int RowTop(int row) const { return top + row * lineStep; }
};

// Rounded to the nearest dot.
[[nodiscard]] int MillimetresToDots(int millimetres, int dotsPerInch);

[[nodiscard]] PageGeometry LayOutPage(const PrintFormat& format, const PageDevice& device);

// Where the file name and the page number go: each centred in its margin (the name in the top
// one, the number in the bottom one), and only when that margin holds two rows of the print
// font, so that a mark never crowds the text or runs off the page.
struct PageMarks {
    bool header = false;
    int headerTop = 0;
    bool footer = false;
    int footerTop = 0;
};
[[nodiscard]] PageMarks PlaceMarks(const PageGeometry& geometry, const PageDevice& device);

// The page number as printed: "3 / 12".
[[nodiscard]] std::string PageNumberText(int page, int pageCount);

// The line as printed: tabs expanded to stops every kPrintTabWidth byte columns.
[[nodiscard]] std::string PrintedText(std::string_view line);

// The end of the row of `text` that begins at byte `start`: as many whole characters as fit in
// `columns` byte columns, and at least one character, so every row makes progress.
[[nodiscard]] std::size_t RowEnd(std::string_view text, std::size_t start, int columns);

// A printed row: the document line and the byte offset in its printed text where the row begins.
struct RowPosition {
    int line = 0;
    std::size_t offset = 0;
    friend bool operator==(const RowPosition&, const RowPosition&) = default;
};

// Walks the printed rows of a document, from a row on: an empty line is one empty row.
class RowWalker {
public:
    RowWalker(const LineList& lines, int columnsPerRow, RowPosition start = {});

    bool AtEnd() const { return m_position.line >= static_cast<int>(m_lines.size()); }
    RowPosition Position() const { return m_position; }
    // The bytes of the current row (tabs expanded); valid until Next().
    std::string_view Row() const;
    void Next();

private:
    void LoadLine();

    const LineList& m_lines;
    int m_columns;
    RowPosition m_position;
    std::string_view m_text;  // the current line's printed text
    std::string m_expanded;   // its storage when the line holds tabs
    std::size_t m_rowEnd = 0;
};

// The first row of every page, in order. An empty document is one blank page. Needs
// geometry.HasRoom().
[[nodiscard]] std::vector<RowPosition> PageStarts(const LineList& lines,
                                                  const PageGeometry& geometry);

}  // namespace qb::gui
