// Draws Shift-JIS text on a grid of byte cells, for the text view and for printed pages alike:
// every byte takes one cell of the character width w, and each character is centred in its
// cells, at x = column * w whatever its glyph's own width, so the ruler, the columns of the
// status bar, the printed columns and the text always line up.
//
// The screen and the page share how a row becomes characters and where each one goes; they
// differ only in where the glyphs come from, which each says by overriding Advance and Place.
#pragma once

#include <QPointF>
#include <functional>
#include <optional>
#include <string_view>

class QPainter;

namespace qb::gui {

// What a double-byte code (lead * 256 + trail) is drawn as, or 0 for the code page's own
// character.
using CodeShownAs = std::function<char32_t(unsigned code)>;

class CellPainter {
public:
    virtual ~CellPainter() = default;

    // w: the width of one cell (at least 1).
    int CharWidth() const { return m_charWidth; }

    // Draws `sjis` with its first byte in the cell whose left edge is `x`, in the row whose top
    // is `y`, in the painter's pen colour. Control characters take their cells but draw
    // nothing, and so does a character no font can draw. `shownAs`, when set, is asked for
    // every double-byte code.
    void Draw(QPainter& painter, qreal x, qreal y, std::string_view sjis,
              const CodeShownAs& shownAs = {}) const;

protected:
    // `ascent` is the distance from a row's top to the baseline.
    CellPainter(int charWidth, qreal ascent);

    // The advance width of `ch`'s glyph, or nullopt when there is none to draw.
    virtual std::optional<qreal> Advance(char32_t ch) const = 0;
    // Draws, or collects for Flush, `ch` with its glyph's origin at `origin` on the baseline.
    virtual void Place(QPainter& painter, char32_t ch, QPointF origin) const = 0;
    // Ends one Draw: draws what Place collected.
    virtual void Flush(QPainter& painter) const { (void)painter; }

private:
    int m_charWidth;
    qreal m_ascent;
};

}  // namespace qb::gui
