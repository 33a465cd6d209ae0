#include "app/gui/printing/print_painter.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

#include "app/gui/common/fonts.h"
#include "app/gui/common/qt_text.h"
#include "convert/cp932.h"

namespace qb::gui {

QFont MakePrintFont(const PrintFontSetting& setting, int dotsPerInch) {
    QFont font = ResolveFont(Utf8ToQString(setting.face));
    // The size is in hundredths of an inch.
    font.setPixelSize(
        std::max(1, static_cast<int>(std::lround(setting.size * dotsPerInch / 100.0))));
    font.setWeight(static_cast<QFont::Weight>(setting.weight));
    font.setItalic(setting.italic);
    font.setUnderline(setting.underline);
    return font;
}

PrintPainter::PrintPainter(const QFont& font) : m_font(font), m_metrics(font) {
    m_charWidth = std::max(1, static_cast<int>(std::lround(m_metrics.averageCharWidth())));
    m_charHeight =
        std::max(1, static_cast<int>(std::ceil(m_metrics.ascent() + m_metrics.descent())));
}

qreal PrintPainter::Advance(QChar ch) const {
    const auto found = m_advances.constFind(ch.unicode());
    if (found != m_advances.cend()) return *found;
    const qreal advance = m_metrics.horizontalAdvance(ch);
    m_advances.insert(ch.unicode(), advance);
    return advance;
}

void PrintPainter::DrawRow(QPainter& painter, int x, int y, std::string_view sjis) const {
    if (sjis.empty()) return;
    std::vector<char16_t> units(sjis.size());
    std::vector<std::size_t> offsets(sjis.size() + 1);
    const std::size_t count = SjisToUtf16(sjis, units.data(), offsets.data());
    const qreal baseline = y + m_metrics.ascent();
    for (std::size_t k = 0; k < count; ++k) {
        const QChar ch(static_cast<ushort>(units[k]));
        if (ch.unicode() < 0x20 || ch.unicode() == 0x7F) continue;
        // Centred in its cells, so a glyph a little narrower or wider than w * bytes keeps to
        // its columns.
        const qreal cells = static_cast<qreal>(offsets[k + 1] - offsets[k]) * m_charWidth;
        const qreal left =
            x + static_cast<qreal>(offsets[k]) * m_charWidth + (cells - Advance(ch)) / 2;
        painter.drawText(QPointF(left, baseline), QString(ch));
    }
}

void PrintPainter::PaintPage(QPainter& painter, const LineList& lines, const PageGeometry& geometry,
                             RowPosition start) const {
    painter.save();
    painter.setFont(m_font);
    painter.setPen(Qt::black);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setClipRect(QRect(QPoint(geometry.left, geometry.top),
                              QPoint(geometry.right - 1, geometry.bottom - 1)));
    RowWalker rows(lines, geometry.columnsPerRow, start);
    for (int row = 0; row < geometry.rowsPerPage && !rows.AtEnd(); ++row, rows.Next())
        DrawRow(painter, geometry.left, geometry.RowTop(row), rows.Row());
    painter.restore();
}

}  // namespace qb::gui
