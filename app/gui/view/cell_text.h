// The view's cell painter (see CellPainter): glyphs drawn as glyph runs from two fonts, the
// chosen one and a Japanese font for the characters it lacks, each placed on whole pixels. What
// neither has (an emoji, a rare kanji a stand-in holds) is drawn as text in the Japanese font,
// so that the system's font fallback finds a face for it.
// Glyph lookups are cached per character, so a repaint costs a table lookup per visible
// character.
#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QRawFont>
#include <memory>
#include <vector>

#include "app/gui/common/cell_painter.h"

namespace qb::gui {

class CellText : public CellPainter {
public:
    // The text painter for `font` with `spacing` pixels between rows, shared by every view that
    // uses the same font and spacing.
    static std::shared_ptr<CellText> For(const QFont& font, int spacing = 0);

    explicit CellText(const QFont& font, int spacing = 0);

    const QFont& Font() const { return m_font; }
    // h: the height of one row (the font's character height, at least 1, and the spacing; the
    // characters sit in the middle of it).
    int LineHeight() const { return m_lineHeight; }

protected:
    std::optional<qreal> Advance(char32_t ch) const override;
    void Place(QPainter& painter, char32_t ch, QPointF origin) const override;
    void Flush(QPainter& painter) const override;

private:
    struct Glyph {
        quint32 index = 0;
        float advance = 0;
        std::uint8_t font = 0;  // 0 the chosen font, 1 the Japanese one, 2 as text, 3 none
        bool known = false;
    };
    const Glyph& Lookup(char32_t ch) const;
    void Find(char32_t ch, Glyph& glyph) const;

    QFont m_font;
    QRawFont m_raw[2];
    QFont m_textFont;  // for what neither raw font has
    int m_lineHeight = 16;
    mutable std::vector<Glyph> m_glyphs;          // by UTF-16 unit, filled as characters appear
    mutable QHash<char32_t, Glyph> m_wideGlyphs;  // beyond U+FFFF
    // The glyphs of one Draw, by font, until Flush.
    mutable std::vector<quint32> m_indexes[2];
    mutable std::vector<QPointF> m_positions[2];
    mutable std::vector<std::pair<QString, QPointF>> m_texts;
};

}  // namespace qb::gui
