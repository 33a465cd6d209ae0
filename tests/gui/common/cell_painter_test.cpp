// The one cell painter of the view and the printed page: where each character of a row goes,
// and what a double-byte code is drawn as, alike on the screen and on the page.
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <memory>
#include <set>
#include <vector>

#include "app/gui/common/cell_painter.h"
#include "app/gui/common/screen_font.h"
#include "app/gui/printing/print_painter.h"
#include "app/gui/view/cell_text.h"
#include "settings/settings_store.h"
#include "tests/support/sjis_literal.h"

using namespace qb;
using namespace qb::gui;

namespace {

constexpr int kCells = 12;

struct Painter {
    const char* name;
    std::shared_ptr<CellPainter> cells;
    int rowHeight;
};

std::vector<Painter> ScreenAndPage() {
    auto screen = std::make_shared<CellText>(ReadScreenFont(SettingsStore()));
    auto page = std::make_shared<PrintPainter>(MakePrintFont(PrintFontSetting{}, 100));
    return {{"screen", screen, screen->LineHeight()}, {"page", page, page->CharHeight()}};
}

QImage Row(const Painter& p, std::string_view sjis, const CodeShownAs& shownAs = {}) {
    const int w = p.cells->CharWidth();
    // A cell of white on each side catches ink that strays out of the row's cells.
    QImage image((kCells + 2) * w, p.rowHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    p.cells->Draw(painter, w, 0, sjis, shownAs);
    return image;
}

// The cells (from 0, the row's first) that hold ink. A glyph may spill a pixel of antialiasing
// over its cells' edges: ink in a cell's edge column counts for it only when the cell across
// that edge has none inside it.
std::set<int> InkedCells(const QImage& image, int w) {
    std::vector<bool> ink(static_cast<std::size_t>(image.width()));
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (qGray(image.pixel(x, y)) < 160) ink[static_cast<std::size_t>(x)] = true;
    const auto inside = [&](int cell) {  // cell counted from the image's left edge
        for (int x = cell * w + 1; x < (cell + 1) * w - 1; ++x)
            if (x >= 0 && x < image.width() && ink[static_cast<std::size_t>(x)]) return true;
        return false;
    };
    std::set<int> cells;
    for (int x = 0; x < image.width(); ++x) {
        if (!ink[static_cast<std::size_t>(x)]) continue;
        const int cell = x / w;
        const int within = x % w;
        if ((within == 0 && inside(cell - 1)) || (within == w - 1 && inside(cell + 1))) continue;
        cells.insert(cell - 1);
    }
    return cells;
}

}  // namespace

class CellPainterTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every byte is a cell: a double-byte character fills two, a control character takes its
    // cell and draws nothing, on the screen and on the page alike.
    void CharactersKeepToTheirByteCells() {
        const struct {
            std::string sjis;
            std::set<int> inked;
        } cases[] = {
            {test::Sjis("A日B"), {0, 1, 2, 3}},
            {test::Sjis("日"), {0, 1}},
            {"\x01X\x7FY", {1, 3}},
            {test::Sjis("  全"), {2, 3}},
            {test::Sjis("ｶﾞ"), {0, 1}},
            {"\x81", {0}},  // a lone lead byte shows as one "・"
        };
        for (const Painter& p : ScreenAndPage())
            for (const auto& c : cases) {
                const std::set<int> inked = InkedCells(Row(p, c.sjis), p.cells->CharWidth());
                QVERIFY2(inked == c.inked,
                         qPrintable(QStringLiteral("%1 %2").arg(
                             p.name, QString::fromStdString(test::Show(c.sjis)))));
            }
    }

    // The lookup for stand-in characters: a double-byte code it names is drawn as its
    // character, exactly as that character itself; 0 leaves the code page's own character, and
    // single bytes are never asked about.
    void ACodeShownAsAnotherCharacterIsDrawnAsThatCharacter() {
        const std::string hiraganaA = test::Sjis("あ");
        std::vector<unsigned> asked;
        const CodeShownAs shownAs = [&asked](unsigned code) -> char32_t {
            asked.push_back(code);
            return code == 0xF040 ? U'あ' : 0;
        };
        for (const Painter& p : ScreenAndPage()) {
            asked.clear();
            QCOMPARE(Row(p, "x\xF0\x40" + hiraganaA + "\xF0\x41", shownAs),
                     Row(p, "x" + hiraganaA + hiraganaA + "\xF0\x41"));
            QCOMPARE(asked, (std::vector<unsigned>{0xF040, 0x82A0, 0xF041}));
        }
    }
};

QTEST_MAIN(CellPainterTest)
#include "cell_painter_test.moc"
