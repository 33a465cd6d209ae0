#include "app/gui/view/qbay_ind_bar.h"

#include <QPainter>

#include "app/gui/view/cell_text.h"

namespace qb::gui {

CQBayIndBar::CQBayIndBar(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void CQBayIndBar::SetCellText(std::shared_ptr<CellText> cells) {
    m_cells = std::move(cells);
    setFixedHeight(sizeHint().height());
    update();
}

void CQBayIndBar::SetText(std::string text) {
    if (text == m_text) return;
    m_text = std::move(text);
    update();
}

QSize CQBayIndBar::sizeHint() const {
    const int lineHeight = m_cells ? m_cells->LineHeight() : 16;
    return {100, lineHeight * 6 / 5};
}

void CQBayIndBar::paintEvent(QPaintEvent*) {
    if (!m_cells || m_text.empty()) return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    m_cells->Draw(painter, 0, 0, m_text);
}

}  // namespace qb::gui
