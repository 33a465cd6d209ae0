// Draws printed pages: the rows of one page in the print font, each character in its byte
// columns (x = left + column * w, see CellPainter), black on a transparent background, clipped to
// the text area. Glyphs come from the print font as text, so the page keeps text that can be
// searched and copied, and the font's own fallbacks draw what its face lacks.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>

#include "app/gui/common/cell_painter.h"
#include "app/gui/printing/page_layout.h"
#include "app/gui/printing/print_format.h"

namespace qb::gui {

// The print font of `setting` for a device of `dotsPerInch`: the stored face, or the fixed-pitch
// face and Japanese fallback that stand in for it, sized in the device's dots.
[[nodiscard]] QFont MakePrintFont(const PrintFontSetting& setting, int dotsPerInch);

class PrintPainter : public CellPainter {
public:
    // `font` is sized in the dots of the device the pages are painted on (MakePrintFont). w is
    // the font's average character width, at least 1 dot.
    explicit PrintPainter(const QFont& font);

    // t: the font's character height (ascent and descent), at least 1 dot.
    int CharHeight() const { return m_charHeight; }

    // Draws the rows of the page that begins at `start`: at most geometry.rowsPerPage of them,
    // the double-byte codes as `shownAs` says (the document's stand-ins).
    void PaintPage(QPainter& painter, const LineList& lines, const PageGeometry& geometry,
                   RowPosition start, const CodeShownAs& shownAs = {}) const;

    // Draws the file name (at the left margin, cut at the right one) and the page number
    // (centred) where `marks` says there is room; an empty name is left out.
    void PaintMarks(QPainter& painter, const PageGeometry& geometry, const PageMarks& marks,
                    const QString& name, const QString& pageNumber) const;

protected:
    std::optional<qreal> Advance(char32_t ch) const override;
    void Place(QPainter& painter, char32_t ch, QPointF origin) const override;

private:
    QFont m_font;
    QFontMetricsF m_metrics;
    int m_charHeight = 1;
    mutable QHash<char32_t, qreal> m_advances;
};

}  // namespace qb::gui
