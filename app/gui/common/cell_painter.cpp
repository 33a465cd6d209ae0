#include "app/gui/common/cell_painter.h"

#include <algorithm>
#include <vector>

#include "convert/cp932.h"

namespace qb::gui {

CellPainter::CellPainter(int charWidth, qreal ascent)
    : m_charWidth(std::max(charWidth, 1)), m_ascent(ascent) {}

void CellPainter::Draw(QPainter& painter, qreal x, qreal y, std::string_view sjis,
                       const CodeShownAs& shownAs) const {
    if (sjis.empty()) return;
    thread_local std::vector<char16_t> units;
    thread_local std::vector<std::size_t> offsets;
    units.resize(sjis.size());
    offsets.resize(sjis.size() + 1);
    const std::size_t count = SjisToUtf16(sjis, units.data(), offsets.data());
    const qreal w = m_charWidth;
    const qreal baseline = y + m_ascent;
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t at = offsets[k];
        const std::size_t bytes = offsets[k + 1] - at;
        char32_t ch = units[k];
        if (shownAs && bytes == 2) {
            const unsigned code = static_cast<unsigned char>(sjis[at]) << 8 |
                                  static_cast<unsigned char>(sjis[at + 1]);
            if (const char32_t shown = shownAs(code)) ch = shown;
        }
        if (ch < 0x20 || ch == 0x7F) continue;
        const std::optional<qreal> advance = Advance(ch);
        if (!advance) continue;
        const qreal cells = static_cast<qreal>(bytes) * w;
        const qreal left = x + static_cast<qreal>(at) * w + (cells - *advance) / 2;
        Place(painter, ch, QPointF(left, baseline));
    }
    Flush(painter);
}

}  // namespace qb::gui
