// The view's arithmetic without a window: number column, ruler, pointer cells, scroll axes,
// the mouse rules of the target range and finding a character's start from the right.
#include <QtTest>

#include "app/gui/view/view_geometry.h"
#include "convert/sjis.h"
#include "tests/support/sjis_literal.h"

using namespace qb::gui;

class ViewGeometryTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void NumberColumnWidths() {
        struct Case {
            int lines;
            bool on;
            int cells;
            const char* lastNumber;
        };
        const Case cases[] = {
            {9, true, 2, "9|"},
            {10, true, 3, "10|"},
            {99, true, 3, "99|"},
            {100, true, 4, "100|"},
            {0, true, 2, "0|"},
            {100, false, 0, nullptr},
            {2000000000, true, 11, "2000000000|"},
        };
        for (const Case& c : cases) {
            QCOMPARE(NumberColumnCells(c.lines, c.on), c.cells);
            if (c.lastNumber) QCOMPARE(LineNumberText(c.lines, c.cells), std::string(c.lastNumber));
        }
        QCOMPARE(LineNumberText(7, 4), std::string("  7|"));
    }

    void Ruler() {
        QCOMPARE(RulerText(0, 1, 12), std::string("----*----+--"));
        QCOMPARE(RulerText(4, 9, 11), std::string("  _|-+-"));
        QCOMPARE(RulerText(2, 5, 4), std::string("_|"));
    }

    void PointerCells() {
        // w 8, h 16; with a three-cell number column the first text column starts at x 24.
        const GridPoint over = PointToCell(10, 40, 0, 0, 8, 16, 3);
        QCOMPARE(over.column, -1LL);
        QCOMPARE(over.row, 3LL);
        const GridPoint text = PointToCell(24, 0, 16, 32, 8, 16, 3);
        QCOMPARE(text.column, 3LL);  // two columns scrolled away
        QCOMPARE(text.row, 3LL);
    }

    void ScrollAxes() {
        const ScrollAxis small = MakeScrollAxis(201 * 16, 300, VerticalPage(200, 16));
        QCOMPARE(small.unit, 1);
        QCOMPARE(small.maximum, 201 * 16 - 300);
        QCOMPARE(small.page, 320);
        QCOMPARE(VerticalPage(5, 16), 8LL);
        // Taller than an int: the bar counts in larger units and still reaches the end.
        const long long total = 300000000LL * 16;
        const ScrollAxis huge = MakeScrollAxis(total, 500, VerticalPage(300000000, 16));
        QVERIFY(huge.unit > 1);
        QVERIFY(static_cast<long long>(huge.maximum) * huge.unit >= total - 500);
        QCOMPARE(MakeScrollAxis(100, 500, 0).maximum, 0);
    }

    void MouseRules() {
        int first = 1, last = 1;
        PressSelect(first, last, 5, false);
        QCOMPARE(first, 5);
        QCOMPARE(last, 5);
        PressSelect(first, last, 2, true);  // Shift puts them in order
        QCOMPARE(first, 2);
        QCOMPARE(last, 5);
        QVERIFY(!DragSelect(last, 5));
        QVERIFY(DragSelect(last, 1));  // dragging does not
        QCOMPARE(first, 2);
        QCOMPARE(last, 1);
        PressSelect(first, last, 5000000000LL, false);
        QCOMPARE(first, INT_MAX);
    }

    // Against a scan from the start of the line, at every offset of awkward lines.
    void CharStartFromTheRight() {
        const std::string lines[] = {
            qb::test::Sjis("あいうえお"),
            "a" + qb::test::Sjis("漢字") + "b\x81",        // a lone lead byte at the end
            std::string("\x81\x81\x81\x40\x82\0\x41", 7),  // lead bytes as trails; a zero byte
            qb::test::Sjis("ｱｲ表示ソ"),                    // half-width kana; 0x5C and 0x7E trails
            "",
        };
        for (const std::string& line : lines) {
            for (std::size_t pos = 0; pos <= line.size() + 1; ++pos) {
                std::size_t expected = std::min(pos, line.size());
                if (pos > 0 && pos < line.size() && qb::IsLeadAt(line, pos - 1) == 1)
                    expected = pos - 1;
                QCOMPARE(CharStartAtOrBefore(line, pos), expected);
            }
        }
    }
};

QTEST_APPLESS_MAIN(ViewGeometryTest)
#include "view_geometry_test.moc"
