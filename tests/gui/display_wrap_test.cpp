// Display wrapping in the text view: a long line read in rows at the window's edge, numbered
// once, coloured as one target line, chosen with the mouse on any of its rows, and scrolled by
// rows; the text itself never changes.
#include <QScrollBar>
#include <QtTest>

#include "app/gui/view/quillbay_view.h"
#include "core/quillbay_doc.h"
#include "tests/support/fake_host.h"
#include "tests/support/sjis_literal.h"

using namespace qb;
using namespace qb::gui;

namespace {

// Line 1 short, line 2 a paragraph of 400 full-width characters, line 3 short.
std::shared_ptr<CQuillbayDoc> ParagraphDoc(test::TestApp& app) {
    auto doc = std::make_shared<CQuillbayDoc>(app.context);
    std::string paragraph;
    for (int i = 0; i < 40; ++i)
        paragraph += test::Sjis("春の朝、川沿いの道");  // 10 characters, 20 bytes
    doc->TakeLines({"first", paragraph, "third"});
    return doc;
}

int CountColor(const QImage& image, const QRect& area, QRgb color) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF)) ++count;
    return count;
}

// Which of the window's first `rows` rows show ink of `color` in the number column.
std::vector<bool> NumberedRows(const QImage& image, int rows, int h, int numberWidth) {
    std::vector<bool> numbered;
    for (int r = 0; r < rows; ++r)
        numbered.push_back(CountColor(image, QRect(0, r * h, numberWidth, h - 1), kNumberColor) >
                           0);
    return numbered;
}

// Shows the view at its size, so that its scroll bars and rows are those of that size.
void Show(CQuillbayView& view, int width, int height) {
    view.resize(width, height);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
}

}  // namespace

class DisplayWrapTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void AParagraphReadsInRowsWithOneLineNumber() {
        test::TestApp app;
        app.settings.WriteInt("View", "LineNo", 1);
        app.settings.WriteInt("View", "Wrap", 1);
        auto doc = ParagraphDoc(app);
        doc->Target().firstLine = doc->Target().lastLine = 2;  // the paragraph
        const std::string before(doc->GetLine(1).view());
        CQuillbayView view(doc, app.settings);
        Show(view, 640, 600);
        QVERIFY(view.DisplayWrap());
        const int w = view.CharWidth(), h = view.LineHeight();
        const auto rows = static_cast<int>(RowCount(doc->GetLine(1).view(), view.WrapColumns()));
        QVERIFY(rows >= 3);
        QVERIFY(4 + rows + 1 <= view.viewport()->height() / h);  // all of it in the window
        QCOMPARE(view.horizontalScrollBar()->maximum(), 0);      // nothing to scroll sideways

        const QImage image = view.viewport()->grab().toImage();
        const int x0 = 2 * w;
        // Line 1, then the paragraph's rows with its number on the first only, then line 3.
        std::vector<bool> expected(static_cast<std::size_t>(rows + 2), false);
        expected[0] = expected[1] = expected[static_cast<std::size_t>(rows + 1)] = true;
        QCOMPARE(NumberedRows(image, rows + 2, h, x0 - 1), expected);
        // Every row of the target line is on the navy band, from the first text cell.
        for (int r = 1; r <= rows; ++r)
            QVERIFY2(
                CountColor(image, QRect(x0, r * h, 2 * w, h - 1), kTargetBackColor) > w * h / 2,
                qPrintable(QStringLiteral("row %1").arg(r)));
        QCOMPARE(CountColor(image, QRect(x0, 0, 2 * w, h - 1), kTargetBackColor), 0);
        // No row runs past the window's edge, and the end mark follows the last line.
        QCOMPARE(CountColor(image, QRect(view.viewport()->width() - w / 2, h, w / 2, rows * h),
                            kTargetBackColor),
                 0);
        QVERIFY(CountColor(image, QRect(x0, (rows + 2) * h, 3 * w, h - 1), kEndColor) > 0);
        QCOMPARE(std::string(doc->GetLine(1).view()), before);  // the text is untouched
    }

    // A click on any row of a wrapped line chooses that line, and the status bar's column counts
    // on from the row's start.
    void TheMouseChoosesTheLogicalLine() {
        test::TestApp app;
        app.settings.WriteInt("View", "Wrap", 1);
        auto doc = ParagraphDoc(app);
        CQuillbayView view(doc, app.settings);
        Show(view, 400, 400);
        const int w = view.CharWidth(), h = view.LineHeight();
        const std::size_t thirdStart = RowStart(doc->GetLine(1).view(), 2, view.WrapColumns());
        QString position;
        connect(&view, &CQuillbayView::PointerMoved,
                [&](const QString& at, const QString&) { position = at; });
        const QPoint thirdRow(3 * w + w / 2, 3 * h + h / 2);  // the paragraph's third row
        QMouseEvent move(QEvent::MouseMove, thirdRow, view.viewport()->mapToGlobal(thirdRow),
                         Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(view.viewport(), &move);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, thirdRow);
        QCOMPARE(doc->Target().firstLine, 2);
        QCOMPARE(doc->Target().lastLine, 2);
        QCOMPARE(position, QStringLiteral("%1,2").arg(thirdStart + 4));
        const QPoint below(10, 30 * h);  // under the text: the end mark's line and on
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, below);
        QVERIFY(doc->Target().firstLine > 3);
    }

    // The wheel and the line keys move by rows, so the paragraph can be read a row at a time;
    // its later rows carry no number.
    void ScrollingMovesByRows() {
        test::TestApp app;
        app.settings.WriteInt("View", "LineNo", 1);
        app.settings.WriteInt("View", "Wrap", 1);
        auto doc = ParagraphDoc(app);
        doc->Target().firstLine = doc->Target().lastLine = 0;
        CQuillbayView view(doc, app.settings);
        Show(view, 400, 80);
        const int w = view.CharWidth(), h = view.LineHeight();
        view.ScrollLines(2);                         // the paragraph's second row at the top
        QCOMPARE(view.VerticalPosition(), 1LL * h);  // its line is the top line
        const QImage image = view.viewport()->grab().toImage();
        QCOMPARE(CountColor(image, QRect(0, 0, 2 * w - 1, h - 1), kNumberColor), 0);
        view.ScrollLines(-5);
        QCOMPARE(view.VerticalPosition(), 0LL);  // not above the top
        view.SetVerticalPosition(1LL << 40);     // the end: the last rows fill the window
        const QImage end = view.viewport()->grab().toImage();
        const int lastRow = view.viewport()->height() / h - 1;
        QVERIFY(CountColor(end, QRect(2 * w, lastRow * h, 3 * w, h - 1), kEndColor) > 0);
        // Row by row from the top, the keys stop at the same last place.
        view.ScrollLines(-1000);
        view.ScrollLines(1000);
        QCOMPARE(view.viewport()->grab().toImage(), end);
    }

    void TheSettingIsKeptAndTurningItOffKeepsTheTopLine() {
        test::TestApp app;
        auto doc = std::make_shared<CQuillbayDoc>(app.context);
        LineList lines(100, std::string("short"));
        lines[50] = std::string(800, 'p');
        doc->TakeLines(std::move(lines));
        {
            CQuillbayView view(doc, app.settings);
            QVERIFY(!view.DisplayWrap());
            view.ToggleDisplayWrap();
            QCOMPARE(app.settings.ReadInt("View", "Wrap", 0), 1);
        }
        CQuillbayView view(doc, app.settings);
        Show(view, 400, 200);
        QVERIFY(view.DisplayWrap());
        view.ScrollLines(48);
        const long long top = view.VerticalPosition();
        QCOMPARE(top, 48LL * view.LineHeight());
        view.ToggleDisplayWrap();
        QCOMPARE(app.settings.ReadInt("View", "Wrap", 1), 0);
        QCOMPARE(view.VerticalPosition(), top);
        QVERIFY(view.horizontalScrollBar()->maximum() > 0);  // the paragraph scrolls sideways again
    }

    // Going to a line far down brings it into the wrapped window.
    void GoingToALineShowsItWrapped() {
        test::TestApp app;
        app.settings.WriteInt("View", "Wrap", 1);
        auto doc = std::make_shared<CQuillbayDoc>(app.context);
        LineList lines;
        for (int i = 0; i < 5000; ++i)
            lines.emplace_back(std::string(150, 'a' + i % 26));
        doc->TakeLines(std::move(lines));
        CQuillbayView view(doc, app.settings);
        Show(view, 400, 300);
        view.ShowLine(4000);
        const int h = view.LineHeight();
        QVERIFY(view.VerticalPosition() / h <= 4000);
        QVERIFY(view.VerticalPosition() / h > 3950);
        const QImage image = view.viewport()->grab().toImage();
        QVERIFY(CountColor(image, image.rect(), kMarkedLineColor) > 0);
    }

    // Going to a line below the window brought it a third of the window down counted in lines,
    // so after paragraphs of many rows each the framed line stayed out of sight.
    void ALineGoneToBelowLongParagraphsComesIntoSight() {
        test::TestApp app;
        app.settings.WriteInt("View", "Wrap", 1);
        auto doc = std::make_shared<CQuillbayDoc>(app.context);
        std::string paragraph;
        for (int i = 0; i < 40; ++i)
            paragraph += test::Sjis("春の朝、川沿いの道");
        doc->TakeLines(LineList(40, paragraph));
        doc->Target().firstLine = doc->Target().lastLine = 0;  // no target colours
        CQuillbayView view(doc, app.settings);
        Show(view, 640, 400);
        for (const int line : {12, 30, 39, 3}) {
            view.ShowLine(line);
            QApplication::processEvents();
            const QImage image = view.viewport()->grab().toImage();
            QVERIFY2(CountColor(image, image.rect(), kMarkedLineColor) > 0,
                     qPrintable(QStringLiteral("line %1 is not in sight").arg(line)));
        }
    }
};

QTEST_MAIN(DisplayWrapTest)
#include "display_wrap_test.moc"
