// CQuillbayView: the text view of one document window. It shows the document's lines one per
// row, or cut into rows at the window's edge with display wrapping (display_rows.h), on a grid
// of byte cells (see CellText), marks the target lines white on navy, shows line
// numbers and the "END" mark, publishes the column ruler, and lets the user choose the target
// range with the mouse.
//
// Painting touches only the rows in the window: nothing walks every line. The widest line seen
// so far sets the horizontal scroll range; lines are measured as they come into view, and the
// measure starts again when the document changes.
#pragma once

#include <QAbstractScrollArea>
#include <memory>
#include <string>

#include "app/gui/common/cell_painter.h"
#include "app/gui/view/display_rows.h"
#include "app/gui/view/view_geometry.h"
#include "macro/command_table.h"

namespace qb {
class CQuillbayDoc;
class SettingsStore;
}  // namespace qb

namespace qb::gui {

class CellText;

// The fixed colours of the view.
inline constexpr QRgb kTextColor = qRgb(0, 0, 0);
inline constexpr QRgb kBackColor = qRgb(255, 255, 255);
inline constexpr QRgb kTargetTextColor = qRgb(255, 255, 255);
inline constexpr QRgb kTargetBackColor = qRgb(0, 0, 128);
inline constexpr QRgb kNumberColor = qRgb(0, 128, 0);
inline constexpr QRgb kEndColor = qRgb(0, 128, 255);
inline constexpr QRgb kArrowColor = qRgb(0, 0, 128);
inline constexpr QRgb kMarkedLineColor = qRgb(255, 102, 0);  // the frame of the line gone to

class CQuillbayView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // A view of `doc`, which lives as long as one of its views does; the font comes from section
    // "Font" and the line numbers from "View"/"LineNo" of `settings`.
    CQuillbayView(std::shared_ptr<CQuillbayDoc> doc, SettingsStore& settings,
                  QWidget* parent = nullptr);
    ~CQuillbayView() override;

    CQuillbayDoc& Document() const { return m_doc; }
    const std::shared_ptr<CQuillbayDoc>& SharedDocument() const { return m_docHolder; }

    // ---- Display --------------------------------------------------------------------------------

    const QFont& ScreenFont() const;
    void SetScreenFont(const QFont& font);
    const std::shared_ptr<CellText>& Cells() const { return m_cells; }
    int CharWidth() const;
    int LineHeight() const;

    bool LineNumbers() const { return m_lineNumbers; }
    void SetLineNumbers(bool on);

    // The lines changed: measure the visible lines again, reset the scroll sizes, repaint.
    void DocumentChanged();
    // Only the marks changed (the target range): repaint.
    void Refresh();

    // The ruler the indicator strip shows.
    const std::string& Ruler() const { return m_ruler; }

    // Display wrapping: long lines are cut into rows at the window's edge (the text stays as it
    // is). Line numbers and the target colours follow the logical line. Stored as "View"/"Wrap".
    bool DisplayWrap() const { return m_wrap; }
    void SetDisplayWrap(bool on);
    // The command: wrapping on or off, stored.
    void ToggleDisplayWrap();
    // With wrapping on, the bytes of a row: the cells between the number column and the edge,
    // less two for a character hanging past it or the line-end arrow.
    std::size_t WrapColumns() const;

    // ---- Commands of the view -------------------------------------------------------------------

    // kCommandLineNumbers: line numbers on or off, stored as "View"/"LineNo".
    void ToggleLineNumbers();
    // kCommandFont: the font dialog (common/font_dialog.h); a choice is stored in section "Font".
    void ChooseFont();
    // kCommandLineDown / kCommandLineUp: one line down (n > 0) or up; kCommandPageDown /
    // kCommandPageUp: one page (a tenth of the text).
    void ScrollLines(int n);
    void ScrollPages(int n);
    // kCommandGoToLine: asks for a line number and shows that line (ShowLine).
    void GoToLine();

    // Brings line `index` (0-based) into the window and frames it, leaving the target lines as
    // they are. Out of range: nothing happens.
    void ShowLine(int index);
    // The framed line, or -1.
    int MarkedLine() const { return m_markedLine; }

    // Scroll positions in pixels. With display wrapping the vertical one is the top line's
    // place as if every line took one row, which the window's first line is found from.
    long long VerticalPosition() const;
    long long HorizontalPosition() const;
    void SetVerticalPosition(long long pixels);

Q_SIGNALS:
    void RulerChanged(const QString& ruler);
    void FontChanged();
    // The pointer is over column,row ("%d,%d") on a character with this code; both empty over
    // the number column and when the pointer leaves the view.
    void PointerMoved(const QString& position, const QString& code);
    // The mouse changed the document's target range: every view of it should repaint.
    void TargetRangeChanged();
    // A command the view asks for (a double-click asks for the line editor).
    void CommandRequested(qb::CommandId id);
    void ContextMenuRequested(const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int NumberCells() const;
    int VisibleColumns() const;
    // Rows the window shows, the last one maybe in part.
    int WindowRows() const;
    // The document's rows as display wrapping cuts them at the window's width.
    WrappedRows Layout() const;
    // With wrapping: makes `top` (kept within the text) the window's first row.
    void SetTop(RowPosition top);
    // The column and row (1-based, as the status bar names them) under a point of the window.
    GridPoint CellAt(const QPoint& point) const;
    // Raises the widest-line measure to the lines now in the window (and the one below).
    void MeasureVisibleLines();
    void UpdateScrollBars();
    void UpdateRuler();
    void AfterGeometryChange();
    // `shownAs`: what the document's stand-ins are drawn as (DocumentText::ShownAs).
    void DrawRow(QPainter& painter, int index, int y, long long textX, int numberCells,
                 const CodeShownAs& shownAs);
    void PaintWrapped(QPainter& painter, int numberCells, const CodeShownAs& shownAs);
    // Bytes [from, to) of a line with byte `from` at x `left`, on the target band when `target`.
    void DrawBytes(QPainter& painter, std::string_view line, std::size_t from, std::size_t to,
                   long long left, int y, bool target, const CodeShownAs& shownAs);
    // The line-end arrow in the cell at x `left`.
    void DrawLineEnd(QPainter& painter, long long left, int y, bool target);
    void DrawNumber(QPainter& painter, int index, int y, int numberCells, bool shown);
    void DrawEndMark(QPainter& painter, long long textX, int y, int x0);
    void DrawMark(QPainter& painter, long long first, long long last);
    // The frame around the line gone to, from the window's row `y` for `height` pixels.
    void DrawMarkFrame(QPainter& painter, int y, int height);

    std::shared_ptr<CQuillbayDoc> m_docHolder;
    CQuillbayDoc& m_doc;
    SettingsStore& m_settings;
    std::shared_ptr<CellText> m_cells;
    bool m_lineNumbers = false;
    long long m_maxColumns = 80;  // the widest line measured, in cells; at least 80
    int m_vUnit = 1;              // pixels per vertical scroll-bar step
    bool m_dragging = false;
    int m_wheelRest = 0;  // wheel rotation not yet turned into lines (1/8 degree units)
    std::string m_ruler;
    int m_markedLine = -1;
    bool m_wrap = false;
    RowPosition m_top;  // with wrapping: the window's first row
    RowBreakRules m_rowRules;
};

}  // namespace qb::gui
