#include "app/gui/printing/print_painter.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "app/gui/common/fonts.h"
#include "app/gui/common/qt_text.h"

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

PrintPainter::PrintPainter(const QFont& font)
    : CellPainter(static_cast<int>(std::lround(QFontMetricsF(font).averageCharWidth())),
                  QFontMetricsF(font).ascent()),
      m_font(font),
      m_metrics(font) {
    m_charHeight =
        std::max(1, static_cast<int>(std::ceil(m_metrics.ascent() + m_metrics.descent())));
}

std::optional<qreal> PrintPainter::Advance(char32_t ch) const {
    const auto found = m_advances.constFind(ch);
    if (found != m_advances.cend()) return *found;
    const qreal advance = ch <= 0xFFFF ? m_metrics.horizontalAdvance(QChar(char16_t(ch)))
                                       : m_metrics.horizontalAdvance(QString::fromUcs4(&ch, 1));
    m_advances.insert(ch, advance);
    return advance;
}

void PrintPainter::Place(QPainter& painter, char32_t ch, QPointF origin) const {
    // The advances are the print font's, so are the glyphs (PaintPage has set it already).
    if (painter.font() != m_font) painter.setFont(m_font);
    painter.drawText(origin, QString::fromUcs4(&ch, 1));
}

void PrintPainter::PaintPage(QPainter& painter, const LineList& lines, const PageGeometry& geometry,
                             RowPosition start, const CodeShownAs& shownAs) const {
    painter.save();
    painter.setFont(m_font);
    painter.setPen(Qt::black);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setClipRect(QRect(QPoint(geometry.left, geometry.top),
                              QPoint(geometry.right - 1, geometry.bottom - 1)));
    RowWalker rows(lines, geometry.columnsPerRow, start);
    for (int row = 0; row < geometry.rowsPerPage && !rows.AtEnd(); ++row, rows.Next())
        Draw(painter, geometry.left, geometry.RowTop(row), rows.Row(), shownAs);
    painter.restore();
}

void PrintPainter::PaintMarks(QPainter& painter, const PageGeometry& geometry,
                              const PageMarks& marks, const QString& name,
                              const QString& pageNumber) const {
    painter.save();
    painter.setFont(m_font);
    painter.setPen(Qt::black);
    painter.setClipping(false);
    const int width = geometry.right - geometry.left;
    if (marks.header && !name.isEmpty()) {
        const QString shown = m_metrics.elidedText(name, Qt::ElideMiddle, width);
        painter.drawText(QRect(geometry.left, marks.headerTop, width, m_charHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, shown);
    }
    if (marks.footer)
        painter.drawText(QRect(geometry.left, marks.footerTop, width, m_charHeight),
                         Qt::AlignHCenter | Qt::AlignVCenter, pageNumber);
    painter.restore();
}

}  // namespace qb::gui
