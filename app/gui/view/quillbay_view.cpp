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
    return static_cast<long long>(verticalScrollBar()->value()) * m_vUnit;
}

long long CQuillbayView::HorizontalPosition() const {
    return static_cast<long long>(horizontalScrollBar()->value()) * CharWidth();
}

void CQuillbayView::SetVerticalPosition(long long pixels) {
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

void CQuillbayView::MeasureVisibleLines() {
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
    const long long last = std::min(m_maxColumns, first + VisibleColumns());
    std::string ruler = RulerText(NumberCells(), first, last);
    if (ruler == m_ruler) return;
    m_ruler = std::move(ruler);
    Q_EMIT RulerChanged(
        QString::fromLatin1(m_ruler.data(), static_cast<qsizetype>(m_ruler.size())));
}

void CQuillbayView::AfterGeometryChange() {
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
    const int w = CharWidth();
    const int h = LineHeight();
    const int numberCells = NumberCells();
    const int x0 = numberCells * w;
    const long long textX = x0 - HorizontalPosition();
    const long long top = VerticalPosition();
    const int n = m_doc.LineCount();
    const long long first = top / h;
    const long long last = std::min<long long>((top + area.height()) / h, n);
    const CodeShownAs shownAs = DocumentText::ShownAs(m_doc);
    for (long long i = first; i <= last; ++i) {
        const int y = static_cast<int>(i * h - top);
        if (i == n) {
            // The row after the last line holds the end mark.
            painter.setClipRect(x0, 0, area.width() - x0, area.height());
            painter.setPen(QColor(kEndColor));
            m_cells->Draw(painter, static_cast<qreal>(textX), y, "END");
            painter.setClipping(false);
            break;
        }
        DrawRow(painter, static_cast<int>(i), y, textX, numberCells, shownAs);
    }
    DrawMark(painter, first, last);
}

// A thin frame around the line gone to, over the target colours rather than instead of them.
void CQuillbayView::DrawMark(QPainter& painter, long long first, long long last) {
    if (m_markedLine < first || m_markedLine > last || m_markedLine >= m_doc.LineCount()) return;
    const int h = LineHeight();
    const int y = static_cast<int>(m_markedLine * static_cast<long long>(h) - VerticalPosition());
    painter.setClipping(false);
    painter.setPen(QPen(QColor(kMarkedLineColor), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(1, y + 1, viewport()->width() - 2, h - 2));
}

void CQuillbayView::DrawRow(QPainter& painter, int index, int y, long long textX, int numberCells,
                            const CodeShownAs& shownAs) {
    const int w = CharWidth();
    const int h = LineHeight();
    const int x0 = numberCells * w;
    const QRect area = viewport()->rect();
    const std::string_view line = m_doc.GetLine(index).view();
    // Only the bytes in the window are drawn; the first is moved back to a character's start.
    const auto firstColumn = static_cast<std::size_t>(horizontalScrollBar()->value());
    const std::size_t from = CharStartAtOrBefore(line, firstColumn);
    const std::size_t to = std::min(line.size(), firstColumn + VisibleColumns() + 2);

    painter.setClipRect(x0, 0, area.width() - x0, area.height());
    const bool target = m_doc.IsTargetLine(index);
    if (from < to) {
        const int left = static_cast<int>(textX + static_cast<long long>(from) * w);
        if (target)
            painter.fillRect(left, y, static_cast<int>(to - from) * w, h, QColor(kTargetBackColor));
        painter.setPen(QColor(target ? kTargetTextColor : kTextColor));
        m_cells->Draw(painter, left, y, line.substr(from, to - from), shownAs);
    }
    // The line-end arrow right after the text. A target line's band takes it in, so that an
    // empty target line shows as one.
    const long long end = textX + static_cast<long long>(line.size()) * w;
    if (end < area.width()) {
        const int e = static_cast<int>(end);
        if (target) painter.fillRect(e, y, w, h, QColor(kTargetBackColor));
        painter.setPen(QPen(QColor(target ? kTargetTextColor : kArrowColor), 0));
        const QPoint top(e + w / 2, y + h / 4);
        const QPoint bottom(e + w / 2, y + 3 * h / 4);
        painter.drawLine(top, bottom);
        painter.drawLine(bottom, QPoint(e + w / 4, y + h / 2));
        painter.drawLine(QPoint(e + 3 * w / 4, y + h / 2), bottom);
    }
    painter.setClipping(false);
    if (numberCells > 0) {
        painter.fillRect(0, y, x0, h, QColor(kBackColor));
        painter.setPen(QColor(kNumberColor));
        m_cells->Draw(painter, 0, y, LineNumberText(index + 1LL, numberCells));
    }
}

// ---- Mouse --------------------------------------------------------------------------------------

void CQuillbayView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        Q_EMIT ContextMenuRequested(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    const GridPoint cell = PointToCell(p.x(), p.y(), HorizontalPosition(), VerticalPosition(),
                                       CharWidth(), LineHeight(), NumberCells());
    TargetState& target = m_doc.Target();
    PressSelect(target.firstLine, target.lastLine, cell.row,
                event->modifiers().testFlag(Qt::ShiftModifier));
    m_dragging = true;
    Q_EMIT TargetRangeChanged();
}

void CQuillbayView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    const GridPoint cell = PointToCell(p.x(), p.y(), HorizontalPosition(), VerticalPosition(),
                                       CharWidth(), LineHeight(), NumberCells());
    if (cell.column > 0) {
        const std::string code = m_doc.CharCodeAt(ClampRow(cell.row - 1), ClampRow(cell.column));
        Q_EMIT PointerMoved(QStringLiteral("%1,%2").arg(cell.column).arg(cell.row),
                            QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size())));
    } else {
        Q_EMIT PointerMoved(QString(), QString());
    }
    if (m_dragging && DragSelect(m_doc.Target().lastLine, cell.row)) Q_EMIT TargetRangeChanged();
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
