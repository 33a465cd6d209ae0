#include "app/gui/view/cell_text.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "app/gui/common/fonts.h"

namespace qb::gui {

std::shared_ptr<CellText> CellText::For(const QFont& font, int spacing) {
    static QHash<QString, std::weak_ptr<CellText>> shared;
    const QString key = font.key() + QLatin1Char('/') + QString::number(spacing);
    if (auto existing = shared.value(key).lock()) return existing;
    auto made = std::make_shared<CellText>(font, spacing);
    shared.insert(key, made);
    return made;
}

CellText::CellText(const QFont& font, int spacing)
    : CellPainter(QFontMetrics(font).averageCharWidth(),
                  QFontMetrics(font).ascent() + std::max(spacing, 0) / 2),
      m_font(font),
      m_glyphs(0x10000) {
    const int characterHeight = std::max(QFontMetrics(font).height(), 1);
    m_lineHeight = characterHeight + std::max(spacing, 0);
    m_raw[0] = QRawFont::fromFont(font);
    // The Japanese stand-in of the face, when the face is not Japanese itself.
    QFont japanese(font);
    const QStringList families = ResolveFontFamilies(font.family());
    if (families.size() > 1) japanese.setFamily(families.back());
    // A full-width character fills its two cells, as in fonts made for both scripts, but stays
    // inside the row.
    japanese.setPixelSize(std::max(std::min(2 * CharWidth(), characterHeight), 1));
    m_raw[1] = QRawFont::fromFont(japanese, QFontDatabase::Japanese);
    m_textFont = japanese;
}

const CellText::Glyph& CellText::Lookup(char32_t ch) const {
    Glyph& glyph = ch < m_glyphs.size() ? m_glyphs[ch] : m_wideGlyphs[ch];
    if (!glyph.known) Find(ch, glyph);
    return glyph;
}

void CellText::Find(char32_t ch, Glyph& glyph) const {
    glyph.known = true;
    const QString text = QString::fromUcs4(&ch, 1);
    const auto has = [&](int f) {
        return m_raw[f].isValid() && m_raw[f].supportsCharacter(uint(ch));
    };
    if (!has(0) && !has(1) && ch > 0x7F) {
        // Neither face has it: the system's fallback may, when drawn as text.
        const qreal advance = QFontMetricsF(m_textFont).horizontalAdvance(text);
        glyph.font = advance > 0 ? 2 : 3;
        glyph.advance = static_cast<float>(advance);
        return;
    }
    // Beyond Latin-1 the Japanese font comes first: its symbols (★, ─, ○) are drawn to fill
    // the two cells they take, where a Latin font draws them narrow.
    const std::uint8_t order[2] = {std::uint8_t(ch < 0x100 ? 0 : 1),
                                   std::uint8_t(ch < 0x100 ? 1 : 0)};
    for (std::uint8_t f : order) {
        const QRawFont& raw = m_raw[f];
        // The Japanese font also answers for what neither has: its "missing glyph" box.
        if (!raw.isValid() || (f == 0 && !raw.supportsCharacter(uint(ch)))) continue;
        if (f == 1 && order[0] == 1 && !raw.supportsCharacter(uint(ch)) && m_raw[0].isValid() &&
            m_raw[0].supportsCharacter(uint(ch)))
            continue;
        const QList<quint32> indexes = raw.glyphIndexesForString(text);
        if (indexes.isEmpty()) continue;
        glyph.index = indexes.front();
        const QList<QPointF> advances = raw.advancesForGlyphIndexes(indexes);
        glyph.advance = advances.isEmpty() ? 0.0f : static_cast<float>(advances.front().x());
        glyph.font = f;
        return;
    }
    glyph.font = 3;
}

std::optional<qreal> CellText::Advance(char32_t ch) const {
    const Glyph& glyph = Lookup(ch);
    if (glyph.font > 2) return std::nullopt;
    return glyph.advance;
}

void CellText::Place(QPainter&, char32_t ch, QPointF origin) const {
    const Glyph& glyph = Lookup(ch);
    if (glyph.font == 2) {
        m_texts.emplace_back(QString::fromUcs4(&ch, 1),
                             QPointF(std::round(origin.x()), origin.y()));
        return;
    }
    // On whole pixels, every copy of a glyph looks the same.
    m_indexes[glyph.font].push_back(glyph.index);
    m_positions[glyph.font].emplace_back(std::round(origin.x()), origin.y());
}

void CellText::Flush(QPainter& painter) const {
    for (int f = 0; f < 2; ++f) {
        if (m_indexes[f].empty()) continue;
        QGlyphRun run;
        run.setRawFont(m_raw[f]);
        run.setUnderline(m_font.underline());
        run.setRawData(m_indexes[f].data(), m_positions[f].data(),
                       static_cast<int>(m_indexes[f].size()));
        painter.drawGlyphRun(QPointF(0, 0), run);
        m_indexes[f].clear();
        m_positions[f].clear();
    }
    if (m_texts.empty()) return;
    const QFont before = painter.font();
    painter.setFont(m_textFont);
    for (const auto& [text, origin] : m_texts)
        painter.drawText(origin, text);
    painter.setFont(before);
    m_texts.clear();
}

}  // namespace qb::gui
