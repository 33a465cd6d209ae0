// Draws printed pages: the rows of one page in the print font, each character in its byte
// columns (x = left + column * w), black on a transparent background, clipped to the text area.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <string_view>

#include "app/gui/printing/page_layout.h"
#include "app/gui/printing/print_format.h"

class QPainter;

namespace qb::gui {

// The print font of `setting` for a device of `dotsPerInch`: the stored face, or the fixed-pitch
// face and Japanese fallback that stand in for it, sized in the device's dots.
[[nodiscard]] QFont MakePrintFont(const PrintFontSetting& setting, int dotsPerInch);

class PrintPainter {
public:
    // `font` is sized in the dots of the device the pages are painted on (MakePrintFont).
    explicit PrintPainter(const QFont& font);

    // w: the font's average character width, at least 1 dot.
    int CharWidth() const { return m_charWidth; }
    // t: the font's character height (ascent and descent), at least 1 dot.
    int CharHeight() const { return m_charHeight; }

    // Draws the rows of the page that begins at `start`: at most geometry.rowsPerPage of them.
    void PaintPage(QPainter& painter, const LineList& lines, const PageGeometry& geometry,
                   RowPosition start) const;

    // Draws `sjis` with its first byte in the cell whose left edge is `x`, in the row whose top
    // is `y`. Control characters take their cells and draw nothing.
    void DrawRow(QPainter& painter, int x, int y, std::string_view sjis) const;

private:
    qreal Advance(QChar ch) const;

    QFont m_font;
    QFontMetricsF m_metrics;
    int m_charWidth = 1;
    int m_charHeight = 1;
    mutable QHash<char16_t, qreal> m_advances;
};

}  // namespace qb::gui
