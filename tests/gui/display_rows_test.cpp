// Display wrapping without a window: where rows break, how the top row moves, how far down the
// window may go, and that only the lines in the window are ever read.
#include <QtTest>
#include <random>

#include "app/gui/view/display_rows.h"
#include "convert/sjis.h"
#include "tests/support/sjis_literal.h"

using namespace qb::gui;

namespace {

// The rows of a line as a reader would cut them: characters from the start, a row ending where
// the next character would not fit in `columns` cells.
std::vector<std::size_t> ReferenceRowStarts(std::string_view line, std::size_t columns) {
    std::vector<std::size_t> starts{0};
    std::size_t rowStart = 0;
    for (std::size_t pos = 0; pos < line.size();) {
        const std::size_t next = qb::NextChar(line, pos);
        if (next - rowStart > columns) {
            starts.push_back(pos);
            rowStart = pos;
        }
        pos = next;
    }
    return starts;
}

// A text of lines with the given byte lengths, all of single-byte characters.
struct PlainText {
    std::vector<std::string> lines;
    mutable int reads = 0;
    explicit PlainText(std::initializer_list<std::size_t> lengths) {
        for (std::size_t n : lengths)
            lines.emplace_back(n, 'x');
    }
    WrappedRows Rows(std::size_t columns) const {
        return WrappedRows(
            [this](int i) {
                ++reads;
                return std::string_view(lines[static_cast<std::size_t>(i)]);
            },
            static_cast<int>(lines.size()), columns);
    }
};

}  // namespace

class DisplayRowsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Rows found from the edge backwards must agree with a walk from the line's start: no
    // double-byte character cut in two, no row wider than the window, none left short without
    // cause.
    void RowsBreakWhereAWalkFromTheStartWould() {
        std::vector<std::string> lines = {
            "",
            "abc",
            qb::test::Sjis("あいうえおかきくけこ"),
            "a" + qb::test::Sjis("漢字かな混じり") + "b\x81",  // a lone lead byte at the end
            std::string("\x81\x81\x81\x40\x82\0\x41\x82\xA0", 9),
            qb::test::Sjis("ｱｲ表示ソ半角ｶﾅ"),
        };
        std::mt19937 random(27);
        for (int i = 0; i < 200; ++i) {
            std::string line;
            const int length = static_cast<int>(random() % 60);
            for (int b = 0; b < length; ++b)
                line += static_cast<char>(random() % 3 == 0 ? 'a' : 0x80 + random() % 0x7D);
            lines.push_back(line);
        }
        for (const std::string& line : lines) {
            for (std::size_t columns = kMinRowColumns; columns <= 9; ++columns) {
                const std::vector<std::size_t> expected = ReferenceRowStarts(line, columns);
                QCOMPARE(RowCount(line, columns), static_cast<long long>(expected.size()));
                for (std::size_t r = 0; r < expected.size(); ++r)
                    QCOMPARE(RowStart(line, static_cast<long long>(r), columns), expected[r]);
                QCOMPARE(RowStart(line, 1000, columns), expected.back());  // past the last row
            }
        }
    }

    void RowCountsAtTheEdges() {
        struct Case {
            const char* name;
            std::string line;
            std::size_t columns;
            long long rows;
        };
        const Case cases[] = {
            {"an empty line is one row", "", 10, 1},
            {"a line exactly as wide as the window", std::string(10, 'x'), 10, 1},
            {"one byte more", std::string(11, 'x'), 10, 2},
            {"a 400-byte line at 80 columns", std::string(400, 'x'), 80, 5},
            {"no width still holds a character a row", qb::test::Sjis("日本"), 0, 2},
            {"one cell counts as two", std::string(4, 'x'), 1, 2},
            {"a full-width character moves whole", "x" + qb::test::Sjis("日"), 2, 2},
        };
        for (const Case& c : cases)
            QVERIFY2(RowCount(c.line, c.columns) == c.rows, c.name);
    }

    // With the kinsoku sets a row takes a closing mark that would begin the next one, and leaves
    // an opening one to the next; a row never ends up empty, whatever the sets hold.
    void RowsFollowTheLineBreakingRules() {
        const RowBreakRules rules(qb::test::Sjis("。、」"), true, qb::test::Sjis("「"), true);
        struct Case {
            const char* name;
            const char* text;
            std::size_t columns;
            std::vector<std::size_t> starts;
        };
        const Case cases[] = {
            {"a full stop hangs on the row before", "あいう。えお", 6, {0, 8}},
            {"only one character hangs", "あいう。、え", 6, {0, 8}},
            {"an opening bracket goes down", "あい「う」", 6, {0, 4}},
            {"a row of nothing but the bracket keeps it", "「「「「", 2, {0, 2, 4, 6}},
            {"a row of closing marks still moves on", "。。。。", 2, {0, 4}},
            {"no mark at the edge: the edge", "あいうえお", 6, {0, 6}},
        };
        for (const Case& c : cases) {
            const std::string line = qb::test::Sjis(c.text);
            std::vector<std::size_t> starts;
            for (long long r = 0; r < RowCount(line, c.columns, &rules); ++r)
                starts.push_back(RowStart(line, r, c.columns, &rules));
            QVERIFY2(starts == c.starts, c.name);
        }
        const RowBreakRules off(qb::test::Sjis("。"), false, qb::test::Sjis("「"), false);
        QCOMPARE(NextRowStart(qb::test::Sjis("あいう。"), 0, 6, &off), std::size_t(6));
    }

    // Lines of 25, 5, 12 and 0 bytes at 10 columns take 3, 1, 2 and 1 rows.
    void TheTopMovesByRowsAcrossLines() {
        const PlainText text{25, 5, 12, 0};
        const WrappedRows rows = text.Rows(10);
        const RowPosition end{4, 0};
        struct Case {
            const char* name;
            RowPosition from;
            long long by;
            RowPosition to;
        };
        const Case cases[] = {
            {"within a line", {0, 0}, 2, {0, 2}},
            {"into the next line", {0, 1}, 2, {1, 0}},
            {"over a short line", {0, 2}, 2, {2, 0}},
            {"up into the rows of a long line", {2, 0}, -2, {0, 2}},
            {"not above the first row", {1, 0}, -10, {0, 0}},
            {"not below the last top", {0, 0}, 100, end},
            {"the last top itself", {2, 1}, 2, end},
        };
        for (const Case& c : cases)
            QVERIFY2(rows.Move(c.from, c.by, end) == c.to, c.name);
    }

    void TheLastTopShowsTheEndMarkAtTheBottom() {
        const PlainText text{25, 5, 12, 0};  // 7 rows and the end mark
        const WrappedRows rows = text.Rows(10);
        QVERIFY(rows.LastTop(8) == (RowPosition{0, 0}));   // everything fits
        QVERIFY(rows.LastTop(20) == (RowPosition{0, 0}));  // and then some
        QVERIFY(rows.LastTop(4) == (RowPosition{2, 0}));   // 2 rows, the empty line, END
        QVERIFY(rows.LastTop(6) == (RowPosition{0, 2}));   // into the first line's rows
        QVERIFY(rows.LastTop(1) == (RowPosition{4, 0}));   // a window of one row: END alone

        const PlainText tall{1000};  // one line of 100 rows, taller than the window
        QVERIFY(tall.Rows(10).LastTop(10) == (RowPosition{0, 91}));
        QVERIFY(PlainText{}.Rows(10).LastTop(10) == (RowPosition{0, 0}));
    }

    void TheWindowsRowsFollowTheTop() {
        const PlainText text{25, 5};
        const std::vector<DisplayRow> rows = text.Rows(10).Rows({0, 1}, 10);
        QCOMPARE(rows.size(), std::size_t(3));  // two rows of line 1, one of line 2; then END
        QCOMPARE(rows[0].line, 0);
        QCOMPARE(rows[0].row, 1LL);
        QCOMPARE(rows[0].start, std::size_t(10));
        QCOMPARE(rows[0].end, std::size_t(20));
        QVERIFY(!rows[0].lastOfLine);
        QCOMPARE(rows[1].end, std::size_t(25));
        QVERIFY(rows[1].lastOfLine);
        QCOMPARE(rows[2].line, 1);
        QCOMPARE(rows[2].row, 0LL);
        QVERIFY(rows[2].lastOfLine);
        // A top beyond the text is brought back inside it.
        QCOMPARE(text.Rows(10).Rows({0, 99}, 1).front().row, 2LL);
    }

    // A paint must not walk the text: laying out a window in the middle of a million lines, or
    // at its end, reads only the lines it shows.
    void OnlyTheLinesInTheWindowAreRead() {
        PlainText text{};
        text.lines.assign(1000000, std::string(30, 'x'));
        const WrappedRows rows = text.Rows(10);
        text.reads = 0;
        QCOMPARE(rows.Rows({500000, 1}, 40).size(), std::size_t(40));
        QVERIFY(text.reads < 100);
        text.reads = 0;
        QVERIFY(rows.LastTop(40) == (RowPosition{999987, 0}));
        QVERIFY(text.reads < 100);
        text.reads = 0;
        QVERIFY(rows.Move({500000, 0}, -45, {999987, 0}) == (RowPosition{499985, 0}));
        QVERIFY(text.reads < 100);
    }
};

QTEST_APPLESS_MAIN(DisplayRowsTest)
#include "display_rows_test.moc"
