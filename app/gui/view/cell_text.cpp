#include "app/gui/view/cell_text.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "app/gui/common/fonts.h"
#include "convert/cp932.h"

namespace qb::gui {

std::shared_ptr<CellText> CellText::For(const QFont& font) {
    static QHash<QString, std::weak_ptr<CellText>> shared;
    const QString key = font.key();
    if (auto existing = shared.value(key).lock()) return existing;
    auto made = std::make_shared<CellText>(font);
    shared.insert(key, made);
    return made;
}

CellText::CellText(const QFont& font) : m_font(font), m_glyphs(0x10000) {
    const QFontMetrics metrics(font);
    m_charWidth = std::max(metrics.averageCharWidth(), 1);
    m_lineHeight = std::max(metrics.height(), 1);
    m_ascent = metrics.ascent();
    m_raw[0] = QRawFont::fromFont(font);
    // The Japanese stand-in of the face, when the face is not Japanese itself.
    QFont japanese(font);
    const QStringList families = ResolveFontFamilies(font.family());
    if (families.size() > 1) japanese.setFamily(families.back());
    // A full-width character fills its two cells, as in fonts made for both scripts, but stays
    // inside the row.
    japanese.setPixelSize(std::max(std::min(2 * m_charWidth, m_lineHeight), 1));
    m_raw[1] = QRawFont::fromFont(japanese, QFontDatabase::Japanese);
}

const CellText::Glyph& CellText::Lookup(char16_t ch) const {
    Glyph& glyph = m_glyphs[ch];
    if (glyph.known) return glyph;
    glyph.known = true;
    const QString text(QChar(static_cast<ushort>(ch)));
    // Beyond Latin-1 the Japanese font comes first: its symbols (★, ─, ○) are drawn to fill
    // the two cells they take, where a Latin font draws them narrow.
    const std::uint8_t order[2] = {std::uint8_t(ch < 0x100 ? 0 : 1),
                                   std::uint8_t(ch < 0x100 ? 1 : 0)};
    for (std::uint8_t f : order) {
        const QRawFont& raw = m_raw[f];
        // The Japanese font also answers for what neither has: its "missing glyph" box.
        if (!raw.isValid() || (f == 0 && !raw.supportsCharacter(QChar(ch)))) continue;
        if (f == 1 && order[0] == 1 && !raw.supportsCharacter(QChar(ch)) && m_raw[0].isValid() &&
            m_raw[0].supportsCharacter(QChar(ch)))
            continue;
        const QList<quint32> indexes = raw.glyphIndexesForString(text);
        if (indexes.isEmpty()) continue;
        glyph.index = indexes.front();
        const QList<QPointF> advances = raw.advancesForGlyphIndexes(indexes);
        glyph.advance = advances.isEmpty() ? 0.0f : static_cast<float>(advances.front().x());
        glyph.font = f;
        return glyph;
    }
    glyph.font = 2;  // nothing can draw it
    return glyph;
}

void CellText::Draw(QPainter& painter, qreal x, qreal y, std::string_view sjis) const {
    if (sjis.empty()) return;
    thread_local std::vector<char16_t> units;
    thread_local std::vector<std::size_t> offsets;
    thread_local std::vector<quint32> indexes[2];
    thread_local std::vector<QPointF> positions[2];
    units.resize(sjis.size());
    offsets.resize(sjis.size() + 1);
    const std::size_t count = SjisToUtf16(sjis, units.data(), offsets.data());
    for (int f = 0; f < 2; ++f) {
        indexes[f].clear();
        positions[f].clear();
    }
    const qreal w = m_charWidth;
    const qreal baseline = y + m_ascent;
    for (std::size_t k = 0; k < count; ++k) {
        const char16_t ch = units[k];
        if (ch < 0x20 || ch == 0x7F) continue;
        const Glyph& glyph = Lookup(ch);
        if (glyph.font > 1) continue;
        const qreal cells = static_cast<qreal>(offsets[k + 1] - offsets[k]) * w;
        const qreal left = x + static_cast<qreal>(offsets[k]) * w + (cells - glyph.advance) / 2;
        indexes[glyph.font].push_back(glyph.index);
        positions[glyph.font].emplace_back(std::round(left), baseline);
    }
    for (int f = 0; f < 2; ++f) {
        if (indexes[f].empty()) continue;
        QGlyphRun run;
        run.setRawFont(m_raw[f]);
        run.setUnderline(m_font.underline());
        run.setRawData(indexes[f].data(), positions[f].data(), static_cast<int>(indexes[f].size()));
        painter.drawGlyphRun(QPointF(0, 0), run);
    }
}

}  // namespace qb::gui
