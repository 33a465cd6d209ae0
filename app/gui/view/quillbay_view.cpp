#include "app/gui/view/quillbay_view.h"

#include <QFontInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "app/gui/common/font_dialog.h"
#include "app/gui/common/qt_text.h"
#include "app/gui/common/row_spacing.h"
#include "app/gui/common/screen_font.h"
#include "app/gui/view/cell_text.h"
#include "app/gui/view/go_to_line.h"
#include "app/gui/view/view_geometry.h"
#include "core/quillbay_doc.h"
#include "settings/settings_store.h"
#include "shape/kinsoku_settings.h"

namespace qb::gui {

namespace {

constexpr int kWheelNotch = 120;  // one notch of a mouse wheel, in 1/8 degree

}  // namespace

CQuillbayView::CQuillbayView(std::shared_ptr<CQuillbayDoc> doc, SettingsStore& settings,
                             QWidget* parent)
    : QAbstractScrollArea(parent),
      m_docHolder(std::move(doc)),
      m_doc(*m_docHolder),
      m_settings(settings) {
    const QFont font = ReadScreenFont(settings);
    m_cells = CellText::For(font, RowSpacing(settings, QFontMetrics(font).height()));
    m_lineNumbers = settings.ReadInt("View", "LineNo", 0) != 0;
    m_wrap = settings.ReadInt("View", "Wrap", 0) != 0;
    if (m_wrap) setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setCursor(Qt::IBeamCursor);
    horizontalScrollBar()->setSingleStep(1);
    AfterGeometryChange();
}

CQuillbayView::~CQuillbayView() = default;

const QFont& CQuillbayView::ScreenFont() const {
    return m_cells->Font();
}

int CQuillbayView::CharWidth() const {
    return m_cells->CharWidth();
}

int CQuillbayView::LineHeight() const {
    return m_cells->LineHeight();
}

void CQuillbayView::SetScreenFont(const QFont& font) {
    QFont pixelFont(font);
    if (pixelFont.pixelSize() <= 0) pixelFont.setPixelSize(QFontInfo(font).pixelSize());
    m_cells = CellText::For(pixelFont, RowSpacing(m_settings, QFontMetrics(pixelFont).height()));
    AfterGeometryChange();
    Q_EMIT FontChanged();
}

void CQuillbayView::SetLineNumbers(bool on) {
    if (on == m_lineNumbers) return;
    m_lineNumbers = on;
    AfterGeometryChange();
}

void CQuillbayView::SetDisplayWrap(bool on) {
    if (on == m_wrap) return;
    // The line at the top stays at the top.
    const int topLine = static_cast<int>(VerticalPosition() / LineHeight());
    m_wrap = on;
    m_top = {topLine, 0};
    setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    horizontalScrollBar()->setValue(0);
    AfterGeometryChange();
    if (!on) SetVerticalPosition(static_cast<long long>(topLine) * LineHeight());
}

void CQuillbayView::ToggleDisplayWrap() {
    SetDisplayWrap(!m_wrap);
    m_settings.WriteInt("View", "Wrap", m_wrap ? 1 : 0);
}

std::size_t CQuillbayView::WrapColumns() const {
    // Two cells stay free: room for a full-width character hanging past the edge ("。"), or for
    // the line-end arrow.
    const int cells = (viewport()->width() - NumberCells() * CharWidth()) / CharWidth() - 2;
    return std::max<std::size_t>(static_cast<std::size_t>(std::max(cells, 0)), kMinRowColumns);
}

void CQuillbayView::DocumentChanged() {
    m_maxColumns = 80;
    if (m_markedLine >= m_doc.LineCount()) m_markedLine = -1;
    AfterGeometryChange();
}

void CQuillbayView::Refresh() {
    viewport()->update();
}

void CQuillbayView::ToggleLineNumbers() {
    SetLineNumbers(!m_lineNumbers);
    m_settings.WriteInt("View", "LineNo", m_lineNumbers ? 1 : 0);
}

void CQuillbayView::ChooseFont() {
    const std::optional<QFont> chosen = FontDialog::Ask(ScreenFont(), this);
    // OK without a change leaves the stored setting as it was, a face that is not installed
    // included.
    if (!chosen || *chosen == ScreenFont()) return;
    SetScreenFont(*chosen);
    WriteScreenFont(m_settings, ScreenFont());
}

void CQuillbayView::ScrollLines(int n) {
    if (m_wrap) {
        const WrappedRows rows = Layout();
        // SetTop keeps the end mark on the last whole row; Move stops there too.
        SetTop(rows.Move(m_top, n, rows.LastTop(viewport()->height() / LineHeight())));
        return;
    }
    SetVerticalPosition(VerticalPosition() + static_cast<long long>(n) * LineHeight());
}

void CQuillbayView::ScrollPages(int n) {
    SetVerticalPosition(VerticalPosition() + n * VerticalPage(m_doc.LineCount(), LineHeight()));
}

void CQuillbayView::GoToLine() {
    const int count = m_doc.LineCount();
    const int current =
        m_markedLine >= 0 ? m_markedLine : static_cast<int>(VerticalPosition() / LineHeight());
    if (const std::optional<int> line = AskLineNumber(this, count, current + 1))
        ShowLine(*line - 1);
}

void CQuillbayView::ShowLine(int index) {
    if (index < 0 || index >= m_doc.LineCount()) return;
    m_markedLine = index;
    const int h = LineHeight();
    if (m_wrap) {
        // Wrapped, the window's rows say whether the line is in sight.
        const auto shown = Layout().Rows(m_top, viewport()->height() / h);
        const bool inSight =
            !shown.empty() &&
            (index > shown.front().line ||
             (index == shown.front().line && shown.front().row == 0)) &&
            (index < shown.back().line || (index == shown.back().line && shown.back().lastOfLine));
        // A third of the window above the line counts rows, not lines: the lines before it
        // may take many rows each.
        if (!inSight) {
            const WrappedRows rows = Layout();
            const int windowRows = viewport()->height() / h;
            SetTop(rows.Move({index, 0}, -(windowRows / 3), rows.LastTop(windowRows)));
        }
        viewport()->update();
        return;
    }
    const long long y = static_cast<long long>(index) * h;
    const int rows = std::max(1, viewport()->height() / h);
    // A line already in the window stays where it is; another comes a third of the way down,
    // with some of what leads up to it in sight.
    if (y < VerticalPosition() || y + h > VerticalPosition() + viewport()->height())
        SetVerticalPosition(y - static_cast<long long>(rows / 3) * h);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

long long CQuillbayView::VerticalPosition() const {
    if (m_wrap) return static_cast<long long>(m_top.line) * LineHeight();
    return static_cast<long long>(verticalScrollBar()->value()) * m_vUnit;
}

long long CQuillbayView::HorizontalPosition() const {
    return static_cast<long long>(horizontalScrollBar()->value()) * CharWidth();
}

void CQuillbayView::SetVerticalPosition(long long pixels) {
    if (m_wrap) {
        const long long line = std::clamp(pixels / LineHeight(), 0LL, 1LL * m_doc.LineCount());
        SetTop({static_cast<int>(line), 0});
        return;
    }
    const long long value =
        std::clamp(pixels / m_vUnit, 0LL, static_cast<long long>(verticalScrollBar()->maximum()));
    verticalScrollBar()->setValue(static_cast<int>(value));
}

// ---- Geometry -----------------------------------------------------------------------------------

int CQuillbayView::NumberCells() const {
    return NumberColumnCells(m_doc.LineCount(), m_lineNumbers);
}

int CQuillbayView::VisibleColumns() const {
    return viewport()->width() / CharWidth() + 1;
}

int CQuillbayView::WindowRows() const {
    return viewport()->height() / LineHeight() + 1;
}

WrappedRows CQuillbayView::Layout() const {
    const CQuillbayDoc& doc = m_doc;
    return WrappedRows([&doc](int i) { return doc.GetLine(i).view(); }, doc.LineCount(),
                       WrapColumns(), m_rowRules);
}

void CQuillbayView::SetTop(RowPosition top) {
    const WrappedRows rows = Layout();
    const RowPosition last = rows.LastTop(viewport()->height() / LineHeight());
    if (top.line > last.line || (top.line == last.line && top.row > last.row)) top = last;
    m_top = rows.Clamp(top);
    // The bar counts lines; its handler leaves the row alone while the line is the same.
    verticalScrollBar()->setValue(m_top.line);
    viewport()->update();
}

void CQuillbayView::MeasureVisibleLines() {
    if (m_wrap) return;  // no line is wider than the window
    const int h = LineHeight();
    const long long first = VerticalPosition() / h;
    const long long last = std::min<long long>((VerticalPosition() + viewport()->height()) / h + 1,
                                               m_doc.LineCount() - 1LL);
    for (long long i = first; i <= last; ++i)
        m_maxColumns = std::max(m_maxColumns,
                                static_cast<long long>(m_doc.GetLine(static_cast<int>(i)).size()));
}

void CQuillbayView::UpdateScrollBars() {
    const int w = CharWidth();
    const int h = LineHeight();
    const int n = m_doc.LineCount();
    // Horizontally the bar counts columns, so the ruler and the text stay on whole cells.
    const long long totalColumns = m_maxColumns + NumberCells();
    const long long windowColumns = viewport()->width() / w;
    QScrollBar* hBar = horizontalScrollBar();
    if (m_wrap) {
        hBar->setRange(0, 0);
        // Vertically the bar counts logical lines: knowing every line's rows would need every
        // line measured, and only the window's lines ever are.
        const WrappedRows rows = Layout();
        const RowPosition last = rows.LastTop(viewport()->height() / h);
        QScrollBar* vBar = verticalScrollBar();
        vBar->setRange(0, last.line);
        vBar->setPageStep(std::max(viewport()->height() / h, 1));
        vBar->setSingleStep(1);
        SetTop(m_top);
        return;
    }
    hBar->setRange(0, static_cast<int>(std::clamp(totalColumns - windowColumns, 0LL,
                                                  static_cast<long long>(INT_MAX / 2))));
    hBar->setPageStep(3);
    // Vertically it counts pixels, with a row below the last line for the end mark.
    const ScrollAxis axis = MakeScrollAxis((n + 1LL) * h, viewport()->height(), VerticalPage(n, h));
    const long long position = VerticalPosition();
    m_vUnit = axis.unit;
    QScrollBar* vBar = verticalScrollBar();
    vBar->setRange(0, axis.maximum);
    vBar->setPageStep(axis.page);
    vBar->setSingleStep(std::max(h / axis.unit, 1));
    if (position / m_vUnit != vBar->value()) SetVerticalPosition(position);
}

void CQuillbayView::UpdateRuler() {
    const long long first = horizontalScrollBar()->value() + 1LL;
    const long long last = m_wrap ? static_cast<long long>(WrapColumns())
                                  : std::min(m_maxColumns, first + VisibleColumns());
    std::string ruler = RulerText(NumberCells(), first, last);
    if (ruler == m_ruler) return;
    m_ruler = std::move(ruler);
    Q_EMIT RulerChanged(
        QString::fromLatin1(m_ruler.data(), static_cast<qsizetype>(m_ruler.size())));
}

void CQuillbayView::AfterGeometryChange() {
    // The wrap command's kinsoku sets, as the kinsoku dialog may have changed them.
    const KinsokuSettings kinsoku = LoadKinsokuSettings(m_settings);
    m_rowRules =
        RowBreakRules(kinsoku.lineStart, kinsoku.hanging, kinsoku.lineEnd, kinsoku.pushOut);
    MeasureVisibleLines();
    UpdateScrollBars();
    MeasureVisibleLines();  // the scroll position may have moved to other lines
    UpdateScrollBars();
    UpdateRuler();
    viewport()->update();
}

void CQuillbayView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    AfterGeometryChange();
}

void CQuillbayView::scrollContentsBy(int, int) {
    if (m_wrap) {
        // The user moved the bar: its line comes to the top from its first row.
        if (verticalScrollBar()->value() != m_top.line) m_top = {verticalScrollBar()->value(), 0};
        viewport()->update();
        return;
    }
    const long long before = m_maxColumns;
    MeasureVisibleLines();
    if (m_maxColumns != before) UpdateScrollBars();
    UpdateRuler();
    viewport()->update();
}

// ---- Painting -----------------------------------------------------------------------------------

void CQuillbayView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QRect area = viewport()->rect();
    painter.fillRect(area, QColor(kBackColor));
    const int numberCells = NumberCells();
    const CodeShownAs shownAs = DocumentText::ShownAs(m_doc);
    if (m_wrap) {
        PaintWrapped(painter, numberCells, shownAs);
        return;
    }
    const int h = LineHeight();
    const int x0 = numberCells * CharWidth();
    const long long textX = x0 - HorizontalPosition();
    const long long top = VerticalPosition();
    const int n = m_doc.LineCount();
    const long long first = top / h;
    const long long last = std::min<long long>((top + area.height()) / h, n);
    for (long long i = first; i <= last; ++i) {
        const int y = static_cast<int>(i * h - top);
        if (i == n) {
            DrawEndMark(painter, textX, y, x0);
            break;
        }
        DrawRow(painter, static_cast<int>(i), y, textX, numberCells, shownAs);
    }
    DrawMark(painter, first, last);
}

// Wrapped, the window's rows are laid out from the top row down: a line's number stands on its
// first row only, and its target band and frame cover all its rows.
void CQuillbayView::PaintWrapped(QPainter& painter, int numberCells, const CodeShownAs& shownAs) {
    const int w = CharWidth();
    const int h = LineHeight();
    const int x0 = numberCells * w;
    const QRect area = viewport()->rect();
    const std::vector<DisplayRow> rows = Layout().Rows(m_top, WindowRows());
    int y = 0;
    int markTop = -1, markBottom = -1;
    for (const DisplayRow& row : rows) {
        const std::string_view line = m_doc.GetLine(row.line).view();
        const bool target = m_doc.IsTargetLine(row.line);
        painter.setClipRect(x0, 0, area.width() - x0, area.height());
        DrawBytes(painter, line, row.start, row.end, x0 - static_cast<long long>(row.start) * w, y,
                  target, shownAs);
        if (row.lastOfLine)
            DrawLineEnd(painter, x0 + static_cast<long long>(row.end - row.start) * w, y, target);
        painter.setClipping(false);
        DrawNumber(painter, row.line, y, numberCells, row.row == 0);
        if (row.line == m_markedLine) {
            if (markTop < 0) markTop = y;
            markBottom = y + h;
        }
        y += h;
    }
    const bool atEnd = rows.empty()
                           ? m_top.line >= m_doc.LineCount()
                           : rows.back().line == m_doc.LineCount() - 1 && rows.back().lastOfLine;
    if (atEnd && y < area.height()) DrawEndMark(painter, x0, y, x0);
    if (markTop >= 0) DrawMarkFrame(painter, markTop, markBottom - markTop);
}

void CQuillbayView::DrawEndMark(QPainter& painter, long long textX, int y, int x0) {
    // The row after the last line holds the end mark.
    const QRect area = viewport()->rect();
    painter.setClipRect(x0, 0, area.width() - x0, area.height());
    painter.setPen(QColor(kEndColor));
    m_cells->Draw(painter, static_cast<qreal>(textX), y, "END");
    painter.setClipping(false);
}

// A thin frame around the line gone to, over the target colours rather than instead of them.
void CQuillbayView::DrawMark(QPainter& painter, long long first, long long last) {
    if (m_markedLine < first || m_markedLine > last || m_markedLine >= m_doc.LineCount()) return;
    const int h = LineHeight();
    DrawMarkFrame(painter,
                  static_cast<int>(m_markedLine * static_cast<long long>(h) - VerticalPosition()),
                  h);
}

void CQuillbayView::DrawMarkFrame(QPainter& painter, int y, int height) {
    painter.setClipping(false);
    painter.setPen(QPen(QColor(kMarkedLineColor), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(1, y + 1, viewport()->width() - 2, height - 2));
}

void CQuillbayView::DrawRow(QPainter& painter, int index, int y, long long textX, int numberCells,
                            const CodeShownAs& shownAs) {
    const int w = CharWidth();
    const int x0 = numberCells * w;
    const QRect area = viewport()->rect();
    const std::string_view line = m_doc.GetLine(index).view();
    // Only the bytes in the window are drawn; the first is moved back to a character's start.
    const auto firstColumn = static_cast<std::size_t>(horizontalScrollBar()->value());
    const std::size_t from = CharStartAtOrBefore(line, firstColumn);
    const std::size_t to = std::min(line.size(), firstColumn + VisibleColumns() + 2);

    painter.setClipRect(x0, 0, area.width() - x0, area.height());
    const bool target = m_doc.IsTargetLine(index);
    DrawBytes(painter, line, from, to, textX, y, target, shownAs);
    const long long end = textX + static_cast<long long>(line.size()) * w;
    if (end < area.width()) DrawLineEnd(painter, end, y, target);
    painter.setClipping(false);
    DrawNumber(painter, index, y, numberCells, true);
}

void CQuillbayView::DrawBytes(QPainter& painter, std::string_view line, std::size_t from,
                              std::size_t to, long long textX, int y, bool target,
                              const CodeShownAs& shownAs) {
    if (from >= to) return;
    const int w = CharWidth();
    const int left = static_cast<int>(textX + static_cast<long long>(from) * w);
    if (target)
        painter.fillRect(left, y, static_cast<int>(to - from) * w, LineHeight(),
                         QColor(kTargetBackColor));
    painter.setPen(QColor(target ? kTargetTextColor : kTextColor));
    m_cells->Draw(painter, left, y, line.substr(from, to - from), shownAs);
}

// The line-end arrow right after the text. A target line's band takes it in, so that an empty
// target line shows as one.
void CQuillbayView::DrawLineEnd(QPainter& painter, long long left, int y, bool target) {
    const int w = CharWidth();
    const int h = LineHeight();
    const int e = static_cast<int>(left);
    if (target) painter.fillRect(e, y, w, h, QColor(kTargetBackColor));
    painter.setPen(QPen(QColor(target ? kTargetTextColor : kArrowColor), 0));
    const QPoint top(e + w / 2, y + h / 4);
    const QPoint bottom(e + w / 2, y + 3 * h / 4);
    painter.drawLine(top, bottom);
    painter.drawLine(bottom, QPoint(e + w / 4, y + h / 2));
    painter.drawLine(QPoint(e + 3 * w / 4, y + h / 2), bottom);
}

// The number column's cells of a row; the number itself only where `shown` (a wrapped line's
// later rows leave it blank, so each line is numbered once).
void CQuillbayView::DrawNumber(QPainter& painter, int index, int y, int numberCells, bool shown) {
    if (numberCells <= 0) return;
    painter.fillRect(0, y, numberCells * CharWidth(), LineHeight(), QColor(kBackColor));
    if (!shown) return;
    painter.setPen(QColor(kNumberColor));
    m_cells->Draw(painter, 0, y, LineNumberText(index + 1LL, numberCells));
}

// ---- Mouse --------------------------------------------------------------------------------------

GridPoint CQuillbayView::CellAt(const QPoint& p) const {
    const int numberCells = NumberCells();
    if (!m_wrap)
        return PointToCell(p.x(), p.y(), HorizontalPosition(), VerticalPosition(), CharWidth(),
                           LineHeight(), numberCells);
    // Wrapped, the row under the point names the line, and the cell counts on from its start.
    const long long index = std::max(p.y(), 0) / LineHeight();
    const std::vector<DisplayRow> rows = Layout().Rows(m_top, static_cast<int>(index) + 1);
    const long long cell = std::max(p.x(), 0) / CharWidth() - numberCells;  // 0: first text cell
    if (index < static_cast<long long>(rows.size())) {
        const DisplayRow& row = rows[static_cast<std::size_t>(index)];
        const long long column = cell < 0 ? cell + 1 : static_cast<long long>(row.start) + cell + 1;
        return {column, row.line + 1LL};
    }
    // Below the text: the rows after the last line count on as lines, as unwrapped.
    const long long next = rows.empty() ? m_top.line : rows.back().line + 1LL;
    return {cell + 1, next + 1 + index - static_cast<long long>(rows.size())};
}

void CQuillbayView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        Q_EMIT ContextMenuRequested(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    const GridPoint cell = CellAt(p);
    TargetState& target = m_doc.Target();
    PressSelect(target.firstLine, target.lastLine, cell.row,
                event->modifiers().testFlag(Qt::ShiftModifier));
    m_dragging = true;
    Q_EMIT TargetRangeChanged();
}

void CQuillbayView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    const GridPoint cell = CellAt(p);
    if (cell.column > 0) {
        const std::string code = m_doc.CharCodeAt(ClampRow(cell.row - 1), ClampRow(cell.column));
        Q_EMIT PointerMoved(QStringLiteral("%1,%2").arg(cell.column).arg(cell.row),
                            QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size())));
    } else {
        Q_EMIT PointerMoved(QString(), QString());
    }
    if (m_dragging && DragSelect(m_doc.Target().lastLine, cell.row)) Q_EMIT TargetRangeChanged();
}

// The pointer's place is no longer over the text: the status bar shows none rather than the last.
void CQuillbayView::leaveEvent(QEvent* event) {
    QAbstractScrollArea::leaveEvent(event);
    Q_EMIT PointerMoved(QString(), QString());
}

void CQuillbayView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) m_dragging = false;
}

void CQuillbayView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (m_doc.CountTargetLines() == 1) Q_EMIT CommandRequested(kCommandLineEdit);
}

void CQuillbayView::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();  // a sideways wheel
        return;
    }
    // Each notch is one line: down for a turn towards the user, up for one away.
    m_wheelRest += delta;
    while (m_wheelRest >= kWheelNotch) {
        m_wheelRest -= kWheelNotch;
        ScrollLines(-1);
    }
    while (m_wheelRest <= -kWheelNotch) {
        m_wheelRest += kWheelNotch;
        ScrollLines(1);
    }
    event->accept();
}

}  // namespace qb::gui
