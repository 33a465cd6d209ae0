// Draws Shift-JIS text on the view's grid of cells: every byte one cell of the character width,
// each character at x = column * w whatever its glyph's own width (a glyph narrower or wider
// than its cells is centred in them), so the ruler, the columns of the status bar and the text
// always line up.
//
// Characters are decoded through the program's own code page 932 tables and drawn as glyph runs
// from two fonts: the chosen one, and a Japanese font for the characters it lacks. Glyph lookups
// are cached per character, so a repaint costs a table lookup per visible character.
#pragma once

#include <QColor>
#include <QFont>
#include <QRawFont>
#include <memory>
#include <string_view>
#include <vector>

class QPainter;

namespace qb::gui {

class CellText {
public:
    // The text painter for `font`, shared by every view that uses the same font.
    static std::shared_ptr<CellText> For(const QFont& font);

    explicit CellText(const QFont& font);

    const QFont& Font() const { return m_font; }
    // w: the width of one cell (the font's average character width, at least 1).
    int CharWidth() const { return m_charWidth; }
    // h: the height of one row (the font's character height, at least 1).
    int LineHeight() const { return m_lineHeight; }

    // Draws `sjis` with its first byte in the cell whose left edge is `x`, in the row whose top
    // is `y`, in the painter's pen colour. Control characters take their cells but draw nothing.
    void Draw(QPainter& painter, qreal x, qreal y, std::string_view sjis) const;

private:
    struct Glyph {
        quint32 index = 0;
        float advance = 0;
        std::uint8_t font = 0;  // 0 the chosen font, 1 the Japanese fallback
        bool known = false;
    };
    const Glyph& Lookup(char16_t ch) const;

    QFont m_font;
    QRawFont m_raw[2];
    int m_charWidth = 8;
    int m_lineHeight = 16;
    qreal m_ascent = 12;
    mutable std::vector<Glyph> m_glyphs;  // by UTF-16 unit, filled as characters appear
};

}  // namespace qb::gui
