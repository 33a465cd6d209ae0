// What the text view shows and how the mouse and the page keys act on it, on rendered pixels
// and on the document's target range.
#include <QScrollBar>
#include <QtTest>

#include "app/gui/view/quillbay_view.h"
#include "core/quillbay_doc.h"
#include "tests/support/fake_host.h"
#include "tests/support/sjis_literal.h"

using namespace qb;
using namespace qb::gui;

namespace {

std::shared_ptr<CQuillbayDoc> MakeDoc(test::TestApp& app, int lines) {
    auto doc = std::make_shared<CQuillbayDoc>(app.context);
    LineList list;
    for (int i = 0; i < lines; ++i)
        list.emplace_back(i == 1 ? test::Sjis("日本語テキスト") : "line " + std::to_string(i + 1));
    doc->TakeLines(std::move(list));
    return doc;
}

int CountColor(const QImage& image, const QRect& area, QRgb color) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF)) ++count;
    return count;
}

// Dark grey to black pixels: black text, antialiased or not (the navy arrow is not counted).
int CountDark(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) < 110 && qGreen(p) < 110 && qBlue(p) < 110) ++count;
        }
    return count;
}

// Pixels lighter than mid-grey: white text, antialiased or not.
int CountLight(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) > 160) ++count;
    return count;
}

}  // namespace

class QuillbayViewTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void DrawsTargetsNumbersAndTheEndMark() {
        test::TestApp app;
        app.settings.WriteInt("View", "LineNo", 1);
        auto doc = MakeDoc(app, 3);
        doc->Target().firstLine = doc->Target().lastLine = 2;
        CQuillbayView view(doc, app.settings);
        view.resize(400, 200);
        const QImage image = view.viewport()->grab().toImage();
        const int w = view.CharWidth(), h = view.LineHeight();
        const int x0 = 2 * w;  // 3 lines: a number column of two cells
        const QRect numbers(0, 0, x0 - 1, h - 1);
        const QRect row2(x0, h, 14 * w - 1, h - 1);
        const QRect row3(x0, 2 * h, 6 * w - 1, h - 1);
        const QRect end(x0, 3 * h, 3 * w - 1, h - 1);
        QVERIFY(CountColor(image, numbers, kNumberColor) > 0);
        QVERIFY(CountColor(image, row2, kTargetBackColor) > row2.width() * row2.height() / 2);
        QVERIFY(CountLight(image, row2) > 10);  // white text on the navy
        QCOMPARE(CountColor(image, row3, kTargetBackColor), 0);
        QVERIFY(CountColor(image, row3, kTextColor) > 0);
        QVERIFY(CountColor(image, end, kEndColor) > 0);
        QCOMPARE(view.Ruler().substr(0, 2), std::string("_|"));
        // An empty target line shows by its line-end cell.
        doc->SetLine(1, "");
        const QImage emptied = view.viewport()->grab().toImage();
        QVERIFY(CountColor(emptied, QRect(x0, h, w - 1, h - 1), kTargetBackColor) > w * h / 2);
    }

    // Every byte is one cell: a double-byte character is drawn inside its two cells, so the
    // ruler names every column right, whatever the glyphs' own widths; scrolling sideways moves
    // the text under a number column that stays.
    void CharactersSitInTheirCells() {
        test::TestApp app;
        auto doc = std::make_shared<CQuillbayDoc>(app.context);
        doc->TakeLines({test::Sjis("A日B")});
        doc->Target().firstLine = doc->Target().lastLine = 0;  // nothing marked
        CQuillbayView view(doc, app.settings);
        view.resize(400, 100);
        const int w = view.CharWidth(), h = view.LineHeight();
        const QImage image = view.viewport()->grab().toImage();
        const auto ink = [&](int firstCell, int cells) {
            return CountDark(image, QRect(firstCell * w, 0, cells * w, h - 1));
        };
        QVERIFY(ink(0, 1) > 0);
        QVERIFY(ink(1, 2) > 4);
        QVERIFY(ink(3, 1) > 0);
        QCOMPARE(ink(4, 20), 0);  // past the text only the navy line-end arrow
        QCOMPARE(view.Ruler().substr(0, 10), std::string("----*----+"));

        view.SetLineNumbers(true);
        view.horizontalScrollBar()->setValue(1);
        const QImage scrolled = view.viewport()->grab().toImage();
        const int x0 = 2 * w;
        QVERIFY(CountColor(scrolled, QRect(0, 0, x0, h - 1), kNumberColor) > 0);
        QVERIFY(CountDark(scrolled, QRect(x0, 0, 2 * w, h - 1)) > 4);  // 日
        QCOMPARE(view.Ruler().substr(0, 4), std::string("_|--"));
    }

    // A stand-in is drawn as the character it stands for, exactly where that character's own
    // code would be drawn; once the bytes are final they are bytes again, not stand-ins.
    void AStandInIsDrawnAsTheCharacterItStandsFor() {
        test::TestApp app;
        const auto grab = [&](const std::shared_ptr<CQuillbayDoc>& doc) {
            doc->Target().firstLine = doc->Target().lastLine = 0;
            CQuillbayView view(doc, app.settings);
            view.resize(300, 60);
            return view.viewport()->grab().toImage();
        };
        auto own = std::make_shared<CQuillbayDoc>(app.context);
        own->TakeLines({test::Sjis("A日B")});
        auto standIn = std::make_shared<CQuillbayDoc>(app.context);
        const unsigned code = standIn->StandInsForNewText().CodeFor(U'日');
        QVERIFY(code != 0);
        const std::string bytes{char(code >> 8), char(code & 0xFF)};
        standIn->TakeLines({"A" + bytes + "B"});
        auto privateUse = std::make_shared<CQuillbayDoc>(app.context);
        privateUse->TakeLines({"A" + bytes + "B"});  // no table: the area code's own glyph
        QCOMPARE(grab(standIn), grab(own));
        QVERIFY(grab(privateUse) != grab(own));
    }

    void PageDownMovesATenthOfTheText() {
        test::TestApp app;
        auto doc = MakeDoc(app, 200);
        CQuillbayView view(doc, app.settings);
        view.resize(300, 200);
        const int h = view.LineHeight();
        view.ScrollPages(1);
        QCOMPARE(view.VerticalPosition(), 20LL * h);
        view.ScrollLines(1);
        QCOMPARE(view.VerticalPosition(), 21LL * h);
        view.ScrollPages(-1);
        view.ScrollPages(-1);
        QCOMPARE(view.VerticalPosition(), 0LL);  // not above the top
    }

    void MouseChoosesTheTargetRange() {
        struct Case {
            const char* name;
            bool shift;  // the second press holds Shift; otherwise the button is dragged there
            int first, last, targets;
        };
        const Case cases[] = {
            {"click 5, Shift-click 2", true, 2, 5, 4},
            {"click 5, drag up to 2", false, 5, 2, 0},
        };
        for (const Case& c : cases) {
            test::TestApp app;
            auto doc = MakeDoc(app, 10);
            CQuillbayView view(doc, app.settings);
            view.resize(300, 300);
            const int h = view.LineHeight();
            const QPoint line5(30, 4 * h + h / 2), line2(30, h + h / 2);
            QTest::mousePress(view.viewport(), Qt::LeftButton, {}, line5);
            if (c.shift) {
                QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, line5);
                QTest::mousePress(view.viewport(), Qt::LeftButton, Qt::ShiftModifier, line2);
            } else {
                QMouseEvent move(QEvent::MouseMove, line2, view.viewport()->mapToGlobal(line2),
                                 Qt::NoButton, Qt::LeftButton, {});
                QApplication::sendEvent(view.viewport(), &move);
            }
            QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, line2);
            QVERIFY2(doc->Target().firstLine == c.first && doc->Target().lastLine == c.last,
                     c.name);
            QVERIFY2(doc->CountTargetLines() == c.targets, c.name);
        }
    }
};

QTEST_MAIN(QuillbayViewTest)
#include "quillbay_view_test.moc"
