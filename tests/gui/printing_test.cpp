// Printing: the page arithmetic, pages printed to PDF, and the print format dialog.
#include <QApplication>
#include <QFontDialog>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

#include "app/gui/printing/page_layout.h"
#include "app/gui/printing/print_driver.h"
#include "app/gui/printing/print_format.h"
#include "app/gui/printing/print_frm_dlg.h"
#include "app/gui/printing/print_painter.h"
#include "settings/settings_store.h"
#include "tests/support/sjis_literal.h"
#include "tests/support/temp_dir.h"

using namespace qb;
using namespace qb::gui;

namespace {

LineList Lines(int count, std::string_view text = "line") {
    return LineList(static_cast<std::size_t>(count), Line(text));
}

// Pages of a PDF file: its page objects ("/Type /Pages" is the tree above them).
int PdfPageCount(const std::string& path) {
    const QString pdf = QString::fromLatin1(QByteArray::fromStdString(test::ReadFileBytes(path)));
    int pages = 0;
    auto matches = QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-z])")).globalMatch(pdf);
    for (; matches.hasNext(); matches.next())
        ++pages;
    return pages;
}

// Answers the next modal window (a message box or the font dialog) with `answer` once it is up.
template <class Answer>
void WhenModal(Answer answer) {
    QTimer::singleShot(0, [answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal) answer(modal);
    });
}

}  // namespace

class PrintingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void PageGeometryFromLineMaxAndBottomMargin() {
        // 100 dots to the inch: 30 mm is 118 dots. t = 10, so the step is 12.
        const struct {
            const char* what;
            PrintFormat format;
            int height;
            int rows;
        } cases[] = {
            {"LineMax limits", {30, 30, 30, 30, 50}, 1100, 50},
            {"bottom margin limits", {30, 30, 30, 30, 50}, 236 + 10 + 12 * 19, 20},
            {"one dot short of the 20th row", {30, 30, 30, 30, 50}, 236 + 10 + 12 * 19 - 1, 19},
            {"exactly one row", {30, 30, 30, 30, 50}, 236 + 10, 1},
            {"no row", {30, 30, 30, 30, 50}, 236 + 9, 0},
            {"margins past the paper", {30, 1000, 30, 30, 50}, 1100, 0},
            {"LineMax 1", {30, 30, 30, 30, 1}, 1100, 1},
        };
        for (const auto& c : cases) {
            const PageGeometry g = LayOutPage(c.format, PageDevice{800, c.height, 100, 6, 10});
            QVERIFY2(g.rowsPerPage == c.rows, c.what);
            QCOMPARE(g.lineStep, 12);
            QCOMPARE(g.left, 118);
            QCOMPARE(g.columnsPerRow, (800 - 236) / 6);
        }
        // Side margins that leave room for one column cannot hold a double-byte character.
        QVERIFY(!LayOutPage({101, 30, 100, 30, 50}, PageDevice{800, 1100, 100, 6, 10}).HasRoom());
        QVERIFY(LayOutPage({100, 30, 100, 30, 50}, PageDevice{800, 1100, 100, 6, 10}).HasRoom());
    }

    void TabsExpandToEightColumnStops() {
        const struct {
            const char* line;
            const char* printed;
        } cases[] = {
            {"a\tb", "a       b"},  {"\t", "        "}, {"12345678\tx", "12345678        x"},
            {"あ\tb", "あ      b"},  // a double-byte character takes two columns
            {"ｱ\tb", "ｱ       b"},   // half-width kana one
        };
        for (const auto& c : cases)
            QCOMPARE(PrintedText(test::Sjis(c.line)), test::Sjis(c.printed));
    }

    void PagesStartWhereRowsRunOut() {
        PageGeometry g;
        g.rowsPerPage = 50;
        g.columnsPerRow = 10;
        using Starts = std::vector<RowPosition>;
        QCOMPARE(PageStarts(Lines(120), g), (Starts{{0, 0}, {50, 0}, {100, 0}}));
        QCOMPARE(PageStarts(Lines(100), g), (Starts{{0, 0}, {50, 0}}));
        QCOMPARE(PageStarts(Lines(0), g), (Starts{{0, 0}}));

        // A line wider than the page goes on over the next rows, and a page may begin inside it.
        g.rowsPerPage = 2;
        const LineList wide{Line(std::string(25, 'x')), Line("y")};
        QCOMPARE(PageStarts(wide, g), (Starts{{0, 0}, {0, 20}}));
        RowWalker rows(wide, g.columnsPerRow);
        QStringList seen;
        for (; !rows.AtEnd(); rows.Next())
            seen << QString::fromStdString(std::string(rows.Row()));
        QCOMPARE(seen, (QStringList{"xxxxxxxxxx", "xxxxxxxxxx", "xxxxx", "y"}));

        // A double-byte character is never split: it moves to the next row whole.
        const std::string kana = test::Sjis("123456789あい");
        QCOMPARE(RowEnd(kana, 0, 10), std::size_t{9});
        QCOMPARE(RowEnd(kana, 9, 10), kana.size());
        QCOMPARE(RowEnd(kana, 0, 1), std::size_t{1});  // at least one character a row
    }

    void PrintsThreePagesFor120LinesToPdf() {
        test::TempDir dir;
        SettingsStore settings;
        const struct {
            const char* what;
            int from, to, copies;
            int pages;
            bool ok;
        } cases[] = {
            {"all pages", 0, 0, 1, 3, true},          {"pages 2 to 3", 2, 3, 1, 2, true},
            {"range past the end", 2, 9, 1, 2, true}, {"two copies", 0, 0, 2, 6, true},
            {"no such page", 4, 5, 1, 0, false},
        };
        for (const auto& c : cases) {
            const std::string pdf = dir.File(std::string(c.what) + ".pdf");
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(pdf));
            printer.setPageSize(QPageSize(QPageSize::A4));
            if (c.from > 0) {
                printer.setPrintRange(QPrinter::PageRange);
                printer.setFromTo(c.from, c.to);
            }
            printer.setCopyCount(c.copies);
            const PrintOutcome outcome = PrintLines(printer, Lines(120), settings);
            QVERIFY2(outcome.Ok() == c.ok, c.what);
            QVERIFY2(outcome.pages == c.pages, c.what);
            if (c.ok) QVERIFY2(PdfPageCount(pdf) == c.pages, c.what);
        }
    }

    void RefusesAFormatWithNoRoomAndAPrinterThatCannotStart() {
        SettingsStore settings;
        settings.WriteInt("Print", "Top", 200);
        settings.WriteInt("Print", "Bottom", 200);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        test::TempDir dir;
        printer.setOutputFileName(QString::fromStdString(dir.File("none.pdf")));
        PrintOutcome outcome = PrintLines(printer, Lines(3), settings);
        QVERIFY(!outcome.Ok());
        QCOMPARE(outcome.pages, 0);

        printer.setOutputFileName(QString::fromStdString(dir.File("no/such/folder/x.pdf")));
        outcome = PrintLines(printer, Lines(3), SettingsStore());
        QVERIFY(outcome.error.contains(QStringLiteral("no/such/folder/x.pdf")));
    }

    void InkStaysInsideTheMargins() {
        // A page at 100 dots to the inch: 30 mm margins are 118 dots.
        QImage page(827, 1169, QImage::Format_RGB32);
        page.fill(Qt::white);
        const PrintPainter text(MakePrintFont(PrintFontSetting{}, 100));
        const PageGeometry g = LayOutPage(
            PrintFormat{},
            PageDevice{page.width(), page.height(), 100, text.CharWidth(), text.CharHeight()});
        const LineList lines{Line(test::Sjis("あいうえお漢字ABC")), Line(std::string(500, 'W'))};
        {
            QPainter painter(&page);
            text.PaintPage(painter, lines, g, RowPosition{});
        }
        auto inkIn = [&](QRect area) {
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    if (qGray(page.pixel(x, y)) < 128) return true;
            return false;
        };
        QVERIFY(inkIn(QRect(g.left, g.top, 10 * text.CharWidth(), g.lineStep)));
        QVERIFY(!inkIn(QRect(0, 0, page.width(), g.top)));
        QVERIFY(!inkIn(QRect(0, 0, g.left, page.height())));
        QVERIFY(!inkIn(QRect(g.right, 0, page.width() - g.right, page.height())));
        // The wide line goes on over the next rows instead of being cut at the right margin.
        QVERIFY(inkIn(QRect(g.left, g.RowTop(3), text.CharWidth(), text.CharHeight())));
    }

    // The format dialog named "ＭＳ ゴシック", a font not installed here: it names the font the
    // pages are printed with, and what that stands in for.
    void TheFormatDialogNamesTheFontReallyUsed() {
        QCOMPARE(
            PrintFontCaption(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"), 10.08),
            QStringLiteral("IPAGothic (10.1 pt)（「ＭＳ ゴシック」の代わり）"));
        QCOMPARE(PrintFontCaption(QStringLiteral("ipagothic"), QStringLiteral("IPAGothic"), 12),
                 QStringLiteral("IPAGothic (12.0 pt)"));
    }

    // Pages carried no file name and no number: they go in the top and bottom margins, centred
    // there, and only where a margin holds two rows of the font.
    void TheNameAndPageNumberGoWhereTheMarginsHaveRoom() {
        const struct {
            int top, bottom, height, charHeight;
            bool header, footer;
            int headerTop, footerTop;
        } cases[] = {
            {118, 1051, 1169, 20, true, true, 49, 1100},
            {40, 1129, 1169, 20, true, true, 10, 1139},
            {39, 1130, 1169, 20, false, false, 0, 0},  // 39 dots hold one row, not two
            {0, 1169, 1169, 20, false, false, 0, 0},
        };
        for (const auto& c : cases) {
            PageGeometry g;
            g.top = c.top;
            g.bottom = c.bottom;
            const PageMarks marks = PlaceMarks(g, PageDevice{827, c.height, 100, 10, c.charHeight});
            QCOMPARE(marks.header, c.header);
            QCOMPARE(marks.footer, c.footer);
            if (c.header) QCOMPARE(marks.headerTop, c.headerTop);
            if (c.footer) QCOMPARE(marks.footerTop, c.footerTop);
        }
        QCOMPARE(PageNumberText(3, 12), std::string("3 / 12"));

        QImage page(827, 1169, QImage::Format_RGB32);
        page.fill(Qt::white);
        const PrintPainter text(MakePrintFont(PrintFontSetting{}, 100));
        const PageDevice device{page.width(), page.height(), 100, text.CharWidth(),
                                text.CharHeight()};
        const PageGeometry g = LayOutPage(PrintFormat{}, device);
        {
            QPainter painter(&page);
            text.PaintMarks(painter, g, PlaceMarks(g, device), QStringLiteral("報告書.txt"),
                            QStringLiteral("1 / 2"));
        }
        auto inkIn = [&](QRect area) {
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    if (qGray(page.pixel(x, y)) < 128) return true;
            return false;
        };
        QVERIFY(inkIn(QRect(g.left, 0, g.right - g.left, g.top)));
        QVERIFY(inkIn(QRect(g.left, g.bottom, g.right - g.left, page.height() - g.bottom)));
        QVERIFY(!inkIn(QRect(g.left, g.top, g.right - g.left, g.bottom - g.top)));
        QVERIFY(!inkIn(QRect(0, 0, g.left, page.height())));
    }

    // The page prints what the view shows: a stand-in as the character it stands for.
    void AStandInIsPrintedAsTheCharacterItStandsFor() {
        const PrintPainter text(MakePrintFont(PrintFontSetting{}, 100));
        const PageGeometry g = LayOutPage(
            PrintFormat{}, PageDevice{827, 1169, 100, text.CharWidth(), text.CharHeight()});
        const auto page = [&](const std::string& line, const CodeShownAs& shownAs) {
            QImage image(827, 300, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            text.PaintPage(painter, LineList{Line(line)}, g, RowPosition{}, shownAs);
            return image;
        };
        const CodeShownAs shownAs = [](unsigned code) -> char32_t {
            return code == 0xF9FC ? U'漢' : 0;
        };
        QCOMPARE(page("A\xF9\xFC"
                      "B",
                      shownAs),
                 page(test::Sjis("A漢B"), {}));
        QVERIFY(page("A\xF9\xFC"
                     "B",
                     {}) != page(test::Sjis("A漢B"), {}));
    }

    void FormatDialogRefusesBadFieldsAndStaysOpen() {
        const struct {
            const char* field;
            const char* text;
            const char* message;
        } cases[] = {
            {"lineMax", "abc", "整数を入力してください。"},
            {"lineMax", "", "整数を入力してください。"},
            {"lineMax", "0", "1 から 9999 までの整数を入力してください。"},
            {"left", "-1", "0 から 1000 までの整数を入力してください。"},
            {"bottom", "12mm", "整数を入力してください。"},
        };
        for (const auto& c : cases) {
            SettingsStore settings;
            CPrintFrmDlg dialog(settings);
            dialog.show();
            auto* edit = dialog.findChild<QLineEdit*>(QString::fromUtf8(c.field));
            QVERIFY(edit);
            edit->setText(QString::fromUtf8(c.text));
            QString shown;
            WhenModal([&shown](QWidget* modal) {
                if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                    shown = box->text();
                    box->accept();
                }
            });
            dialog.accept();
            QCOMPARE(shown, QString::fromUtf8(c.message));
            QVERIFY(dialog.isVisible());
            QCOMPARE(dialog.focusWidget(), edit);
            QCOMPARE(settings.ReadInt("Print", "LineMax", -1), -1);
        }

        SettingsStore settings;
        CPrintFrmDlg dialog(settings);
        dialog.findChild<QLineEdit*>(QStringLiteral("top"))->setText(QStringLiteral(" 15 "));
        dialog.findChild<QLineEdit*>(QStringLiteral("lineMax"))->setText(QStringLiteral("60"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(settings.ReadInt("Print", "Top", -1), 15);
        QCOMPARE(settings.ReadInt("Print", "LineMax", -1), 60);
        QCOMPARE(settings.ReadInt("Print", "Left", -1), 30);
    }

    void PrintFontIsKeptWhenTheFormatDialogIsCancelled() {
        SettingsStore settings;
        CPrintFrmDlg dialog(settings);
        dialog.show();
        QFont chosen(QStringLiteral("IPAGothic"));
        chosen.setPointSizeF(9);
        chosen.setUnderline(true);
        WhenModal([chosen](QWidget* modal) {
            if (auto* fonts = qobject_cast<QFontDialog*>(modal)) {
                fonts->setCurrentFont(chosen);
                fonts->accept();
            }
        });
        dialog.findChild<QPushButton*>(QStringLiteral("font"))->click();
        dialog.findChild<QLineEdit*>(QStringLiteral("lineMax"))->setText(QStringLiteral("10"));
        dialog.reject();

        const PrintFontSetting font = LoadPrintFont(settings);
        QCOMPARE(QString::fromStdString(font.face), QStringLiteral("IPAGothic"));
        QCOMPARE(font.size, 13);  // 9 points in hundredths of an inch
        QVERIFY(font.underline);
        QCOMPARE(settings.ReadInt("Print", "LineMax", -1), -1);
    }

    void StoredValuesOutOfRangeReadAsDefaults() {
        SettingsStore settings;
        settings.WriteInt("Print", "LineMax", 0);
        settings.WriteInt("Print", "Left", -5);
        settings.WriteInt("Print", "Top", 12);
        settings.WriteInt("PFont", "Size", -13);
        settings.WriteInt("PFont", "Weight", 0);
        const PrintFormat format = LoadPrintFormat(settings);
        QCOMPARE(format.lineMax, 50);
        QCOMPARE(format.left, 30);
        QCOMPARE(format.top, 12);
        const PrintFontSetting font = LoadPrintFont(settings);
        QCOMPARE(font.size, 13);
        QCOMPARE(font.weight, 400);
    }
};

QTEST_MAIN(PrintingTest)
#include "printing_test.moc"
