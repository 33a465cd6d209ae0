// The air between rows: rows set tight to the character height made Japanese text hard to read.
#include "app/gui/common/row_spacing.h"

#include <QtTest>

#include "settings/settings_store.h"
#include "tests/support/temp_dir.h"

using namespace qb;
using namespace qb::gui;

class RowSpacingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void AShareOfTheFontHeight() {
        const struct {
            int height, percent, pixels;
        } cases[] = {
            {20, 15, 3},   {16, 15, 2},   {14, 15, 2},
            {20, 0, 0},    {4, 5, 1},      // any air asked for is at least a pixel
            {20, 100, 20}, {20, 250, 20},  // more than the font's height is never added
            {0, 15, 0},    {20, -5, 0},
        };
        for (const auto& c : cases)
            QCOMPARE(RowSpacing(c.height, c.percent), c.pixels);
    }

    void StoredAsAPercentageWithADefault() {
        test::TempDir dir;
        SettingsStore settings(dir.File("settings.ini"));
        QCOMPARE(LineSpacingPercent(settings), kDefaultLineSpacing);
        QVERIFY(RowSpacing(settings, 20) > 0);  // a little air out of the box
        settings.WriteInt("View", "LineSpacing", 0);
        QCOMPARE(RowSpacing(settings, 20), 0);
        settings.WriteInt("View", "LineSpacing", 400);  // edited by hand
        QCOMPARE(LineSpacingPercent(settings), 100);
    }
};

QTEST_MAIN(RowSpacingTest)
#include "row_spacing_test.moc"
