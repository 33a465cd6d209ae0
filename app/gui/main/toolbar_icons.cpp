#include "app/gui/main/toolbar_icons.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

#include "app/gui/common/fonts.h"
#include "app/gui/common/qt_text.h"

namespace qb::gui {

namespace {

const QColor kInk(0x33, 0x33, 0x33);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kNavy(0x00, 0x00, 0x80);  // the view's target band
// Strokes drawn straight on the toolbar take the palette's text colour, so that they show on a
// dark toolbar as on a light one; strokes on paper keep kInk.
QColor BareInk() {
    return QGuiApplication::palette().color(QPalette::WindowText);
}

const QColor kFolder(0xE8, 0xB8, 0x3C);
const QColor kArrow(0x2E, 0x7D, 0x32);

// Draws on a 24 x 24 grid scaled to the size asked for, so each picture is written once.
class DrawnIconEngine : public QIconEngine {
public:
    explicit DrawnIconEngine(const ToolButton& button) : m_button(button) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        if (mode == QIcon::Disabled) painter->setOpacity(0.35);
        const int side = std::min(rect.width(), rect.height());
        painter->translate(rect.x() + (rect.width() - side) / 2.0,
                           rect.y() + (rect.height() - side) / 2.0);
        painter->scale(side / 24.0, side / 24.0);
        Draw(*painter);
        painter->restore();
    }
    QIconEngine* clone() const override { return new DrawnIconEngine(m_button); }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

private:
    void Draw(QPainter& p) const;
    void DrawGlyph(QPainter& p) const;

    ToolButton m_button;
};

QPen Pen(const QColor& color, qreal width = 1.5) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A sheet of paper with a folded corner, its top-left at (x, y).
void Page(QPainter& p, qreal x, qreal y, qreal w, qreal h) {
    QPainterPath sheet;
    sheet.moveTo(x, y);
    sheet.lineTo(x + w - 5, y);
    sheet.lineTo(x + w, y + 5);
    sheet.lineTo(x + w, y + h);
    sheet.lineTo(x, y + h);
    sheet.closeSubpath();
    p.setPen(Pen(kInk));
    p.setBrush(kPaper);
    p.drawPath(sheet);
    p.drawPolyline(QPolygonF({{x + w - 5, y}, {x + w - 5, y + 5}, {x + w, y + 5}}));
}

// Short rows of text: `widths` of them from (x, y) down, aligned by `align`.
void TextRows(QPainter& p, qreal x, qreal y, qreal span, std::initializer_list<qreal> widths,
              Qt::Alignment align, const QColor& color) {
    p.setPen(Pen(color, 2));
    for (qreal w : widths) {
        const qreal left = align == Qt::AlignLeft    ? x
                           : align == Qt::AlignRight ? x + span - w
                                                     : x + (span - w) / 2;
        p.drawLine(QPointF(left, y), QPointF(left + w, y));
        y += 4;
    }
}

// Four rows of text; the rows `band` says are on the navy target band.
void Lines(QPainter& p, std::initializer_list<bool> band) {
    qreal y = 4;
    for (bool on : band) {
        if (on) p.fillRect(QRectF(2, y, 20, 4), kNavy);
        p.setPen(Pen(on ? kPaper : BareInk(), 1.6));
        p.drawLine(QPointF(4, y + 2), QPointF(18, y + 2));
        y += 4;
    }
}

// A curved arrow for undo (to the left) and redo (mirrored).
void TurnArrow(QPainter& p, bool back) {
    if (!back) {
        p.translate(24, 0);
        p.scale(-1, 1);
    }
    QPainterPath curve;
    curve.moveTo(6, 10);
    curve.cubicTo(12, 4, 22, 8, 19, 17);
    p.setPen(Pen(kArrow, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    p.setBrush(kArrow);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({{2, 11}, {9, 5}, {10, 13}}));
}

void Magnifier(QPainter& p, qreal x, qreal y, qreal r) {
    p.setPen(Pen(BareInk(), 2));
    p.setBrush(QColor(0xDD, 0xEE, 0xFF));
    p.drawEllipse(QPointF(x, y), r, r);
    p.drawLine(QPointF(x + r * 0.7, y + r * 0.7), QPointF(x + r * 1.7, y + r * 1.7));
}

void ShiftArrow(QPainter& p, bool left) {
    TextRows(p, 10, 6, 12, {12, 12, 12, 12}, Qt::AlignLeft, BareInk());
    p.setPen(Pen(kArrow, 2));
    const qreal tip = left ? 2 : 8, tail = left ? 8 : 2;
    p.drawLine(QPointF(tail, 12), QPointF(tip, 12));
    const qreal back = left ? tip + 3 : tip - 3;
    p.drawPolyline(QPolygonF({{back, 9}, {tip, 12}, {back, 15}}));
}

void DrawPrinter(QPainter& p) {
    p.setPen(Pen(kInk));
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 3, 10, 7));  // the sheet going in
    p.setBrush(QColor(0x9E, 0x9E, 0x9E));
    p.drawRoundedRect(QRectF(3, 9, 18, 8), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 14, 10, 7));  // the sheet coming out
    TextRows(p, 9, 17, 6, {6, 4}, Qt::AlignLeft, kInk);
}

void DrawWrapView(QPainter& p) {
    TextRows(p, 3, 6, 18, {18}, Qt::AlignLeft, BareInk());
    TextRows(p, 3, 18, 18, {10}, Qt::AlignLeft, BareInk());
    // The end of the first row turns down and back to the start of the next.
    QPainterPath turn;
    turn.moveTo(21, 6);
    turn.cubicTo(24, 9, 22, 12, 18, 12);
    turn.lineTo(7, 12);
    p.setPen(Pen(kArrow, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(turn);
    p.drawPolyline(QPolygonF({{10, 9}, {6, 12}, {10, 15}}));
}

void DrawRecordOrRun(QPainter& p, bool record) {
    p.setPen(Qt::NoPen);
    if (record) {
        p.setBrush(QColor(0xD3, 0x2F, 0x2F));
        p.drawEllipse(QPointF(12, 12), 7, 7);
    } else {
        p.setBrush(kArrow);
        p.drawPolygon(QPolygonF({{7, 4}, {20, 12}, {7, 20}}));
    }
}

void DrawAbout(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1E, 0x63, 0xB5));
    p.drawEllipse(QPointF(12, 12), 9, 9);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(12, 7.5), 1.6, 1.6);
    p.drawRoundedRect(QRectF(10.6, 10.5, 2.8, 8), 1, 1);
}

void DrawFolder(QPainter& p) {
    p.setPen(Pen(kInk));
    p.setBrush(kFolder);
    QPainterPath folder;
    folder.moveTo(2, 6);
    folder.lineTo(9, 6);
    folder.lineTo(11, 8);
    folder.lineTo(21, 8);
    folder.lineTo(21, 19);
    folder.lineTo(2, 19);
    folder.closeSubpath();
    p.drawPath(folder);
    p.setBrush(kFolder.lighter(120));
    p.drawPolygon(QPolygonF({{2, 19}, {5, 11}, {23, 11}, {21, 19}}));
}

void DrawDisk(QPainter& p) {
    p.setPen(Pen(kInk));
    p.setBrush(QColor(0x3F, 0x6F, 0xB5));
    p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(6, 3, 12, 7));
    p.setBrush(QColor(0xCF, 0xD8, 0xDC));
    p.drawRect(QRectF(7, 14, 10, 7));
}

void DrawPaste(QPainter& p) {
    p.setPen(Pen(kInk));
    p.setBrush(QColor(0xB0, 0x85, 0x5A));
    p.drawRoundedRect(QRectF(4, 4, 16, 18), 2, 2);
    p.setBrush(QColor(0x9E, 0x9E, 0x9E));
    p.drawRoundedRect(QRectF(8, 2, 8, 4), 1, 1);
    Page(p, 8, 9, 12, 13);
}

void DrawNumbered(QPainter& p, DrawnIcon which) {
    switch (which) {
        case DrawnIcon::TargetLines:
            return Lines(p, {false, true, true, false});
        case DrawnIcon::AllLines:
            return Lines(p, {true, true, true, true});
        case DrawnIcon::OtherLines:
            return Lines(p, {true, false, false, true});
        default:
            return;
    }
}

}  // namespace

void DrawnIconEngine::DrawGlyph(QPainter& p) const {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(QRgb(m_button.tint)));
    p.drawRoundedRect(QRectF(1, 1, 22, 22), 4, 4);
    const QString text = Utf8ToQString(m_button.glyph);
    // Looked up once: the lookup walks the installed families, and a bar paints every picture
    // each time the pointer moves over it.
    static const QString family = DefaultFontFamily();
    QFont font(family);
    font.setBold(true);
    font.setPixelSize(text.size() <= 1 ? 17 : text.size() == 2 ? 12 : 9);
    p.setFont(font);
    p.setPen(kPaper);
    p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, text);
}

void DrawnIconEngine::Draw(QPainter& p) const {
    using D = DrawnIcon;
    switch (m_button.drawn) {
        case D::Glyph:
            return DrawGlyph(p);
        case D::NewPage:
            Page(p, 5, 2, 14, 20);
            return TextRows(p, 8, 10, 8, {8, 6, 8}, Qt::AlignLeft, kInk);
        case D::Open:
            return DrawFolder(p);
        case D::Save:
            return DrawDisk(p);
        case D::Copy:
            Page(p, 3, 2, 12, 15);
            Page(p, 9, 7, 12, 15);
            return TextRows(p, 11, 13, 7, {7, 5}, Qt::AlignLeft, kInk);
        case D::Paste:
            return DrawPaste(p);
        case D::Undo:
        case D::Redo:
            return TurnArrow(p, m_button.drawn == D::Undo);
        case D::TargetLines:
        case D::AllLines:
        case D::OtherLines:
            return DrawNumbered(p, m_button.drawn);
        case D::Replace:
            TextRows(p, 2, 5, 12, {12, 8}, Qt::AlignLeft, BareInk());
            return Magnifier(p, 13, 13, 5);
        case D::Print:
            return DrawPrinter(p);
        case D::Preview:
            Page(p, 3, 2, 14, 19);
            TextRows(p, 6, 8, 8, {8, 6, 8}, Qt::AlignLeft, kInk);
            return Magnifier(p, 14, 14, 4.5);
        case D::WrapView:
            return DrawWrapView(p);
        case D::AlignLeft:
            return TextRows(p, 3, 5, 18, {18, 10, 14, 8}, Qt::AlignLeft, BareInk());
        case D::AlignCenter:
            return TextRows(p, 3, 5, 18, {18, 10, 14, 8}, Qt::AlignHCenter, BareInk());
        case D::AlignRight:
            return TextRows(p, 3, 5, 18, {18, 10, 14, 8}, Qt::AlignRight, BareInk());
        case D::ShiftLeft:
        case D::ShiftRight:
            return ShiftArrow(p, m_button.drawn == D::ShiftLeft);
        case D::Record:
        case D::Run:
            return DrawRecordOrRun(p, m_button.drawn == D::Record);
        case D::About:
            return DrawAbout(p);
    }
}

QIcon DrawnToolButtonIcon(const ToolButton& button) {
    return QIcon(new DrawnIconEngine(button));
}

QIcon ToolButtonIcon(const ToolButton& button) {
    if (!button.themeIcon.empty()) {
        const QString name = Utf8ToQString(button.themeIcon);
        if (QIcon::hasThemeIcon(name)) return QIcon::fromTheme(name);
    }
    return DrawnToolButtonIcon(button);
}

}  // namespace qb::gui
