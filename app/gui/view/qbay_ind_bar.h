// CQBayIndBar: the one-line strip above a document's text view that shows the column ruler. Its
// height is 1.2 times the view font's line height; the text is drawn at its top-left corner on
// the view's grid of cells, so each ruler mark stands over its column.
#pragma once

#include <QWidget>
#include <memory>
#include <string>

namespace qb::gui {

class CellText;

class CQBayIndBar : public QWidget {
    Q_OBJECT
public:
    explicit CQBayIndBar(QWidget* parent = nullptr);

    // The view's font: sets the strip's height and the cells of its text.
    void SetCellText(std::shared_ptr<CellText> cells);
    // The text shown (ASCII); an empty text leaves the strip empty.
    void SetText(std::string text);
    const std::string& Text() const { return m_text; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::shared_ptr<CellText> m_cells;
    std::string m_text;
};

}  // namespace qb::gui
