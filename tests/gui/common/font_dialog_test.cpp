// The font dialog: OK without a change turned a regular font italic, stored Italic=1 and moved
// 14 pixels to 15; it listed no Japanese font.
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include "app/gui/common/font_dialog.h"
#include "app/gui/common/fonts.h"
#include "app/gui/common/screen_font.h"
#include "app/gui/main/main_frame.h"
#include "app/gui/view/quillbay_view.h"
#include "settings/settings_store.h"
#include "tests/gui/dialogs/modal_script.h"
#include "tests/gui/support/recording_host.h"
#include "tests/support/temp_dir.h"

using namespace qb;
using namespace qb::gui;
using namespace qb::test;

namespace {

void PressOk(QWidget* dialog) {
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

QFont PixelFont(const QString& family, int pixels, int weight, bool italic, bool underline) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

}  // namespace

class FontDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void OkWithoutAChangeGivesBackTheSameFont() {
        const QString mono = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
        const QFont fonts[] = {
            PixelFont(mono, 14, 400, false, false),
            PixelFont(mono, 15, 700, true, true),
            PixelFont(DefaultFontFamily(), 13, 400, false, false),
            PixelFont(QStringLiteral("No Such Face"), 400, 300, false, true),
        };
        for (const QFont& font : fonts) {
            FontDialog dialog(font, nullptr);
            QCOMPARE(dialog.findChild<QCheckBox*>(QStringLiteral("italic"))->isChecked(),
                     font.italic());
            const QFont chosen = dialog.Chosen();
            QCOMPARE(chosen, font);
            QCOMPARE(chosen.pixelSize(), font.pixelSize());
            QCOMPARE(chosen.italic(), font.italic());
            QCOMPARE(chosen.weight(), font.weight());
        }
    }

    // A change of one thing changes that alone.
    void OneChangeChangesOnlyItself() {
        const QFont font = PixelFont(DefaultFontFamily(), 14, 400, false, false);
        FontDialog dialog(font, nullptr);
        dialog.findChild<QSpinBox*>(QStringLiteral("size"))->setValue(20);
        QFont chosen = dialog.Chosen();
        QCOMPARE(chosen.pixelSize(), 20);
        QCOMPARE(chosen.family(), font.family());
        QVERIFY(!chosen.italic());
        QCOMPARE(chosen.weight(), font.weight());
        dialog.findChild<QCheckBox*>(QStringLiteral("bold"))->setChecked(true);
        chosen = dialog.Chosen();
        QCOMPARE(chosen.weight(), QFont::Bold);
        QVERIFY(!chosen.italic() && !chosen.underline());
    }

    void JapaneseFontsAreListed() {
        QStringList japanese;
        for (const QString& family : QFontDatabase::families())
            if (QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese))
                japanese << family;
        if (japanese.isEmpty()) QSKIP("no Japanese font installed");
        const QStringList listed = FontDialogFamilies();
        for (const QString& family : japanese)
            QVERIFY2(listed.contains(family), qPrintable(family));
    }

    // Through the window: the stored setting stays as it was, an uninstalled face included.
    void OkInTheWindowKeepsTheStoredFont() {
        TempDir dir;
        SettingsStore settings(dir.File("settings.ini"));
        settings.WriteString("Font", "FaceName", "FIXEDSYS");
        settings.WriteInt("Font", "Size", 14);
        settings.WriteInt("Font", "Italic", 0);
        RecordingHost host;
        CMainFrame frame(host, settings);
        frame.show();
        QVERIFY(frame.OpenDocument(dir.Write("doc.txt", "x\r\n")));
        CQuillbayView* view = frame.ActiveView();
        const QFont before = view->ScreenFont();
        QCOMPARE(before.pixelSize(), 14);
        QVERIFY(!before.italic());
        ModalScript script;
        script.Then(PressOk);
        frame.RunCommand(kCommandFont);
        QCOMPARE(script.Pending(), 0);
        QCOMPARE(view->ScreenFont(), before);
        QCOMPARE(settings.ReadString("Font", "FaceName", ""), std::string("FIXEDSYS"));
        QCOMPARE(settings.ReadInt("Font", "Size", 0), 14);
        QCOMPARE(settings.ReadInt("Font", "Italic", 1), 0);

        script.Then([](QWidget* d) {
            d->findChild<QSpinBox*>(QStringLiteral("size"))->setValue(18);
            PressOk(d);
        });
        frame.RunCommand(kCommandFont);
        QCOMPARE(view->ScreenFont().pixelSize(), 18);
        QCOMPARE(settings.ReadInt("Font", "Size", 0), 18);
        QCOMPARE(settings.ReadInt("Font", "Italic", 1), 0);
        QCOMPARE(script.Unexpected(), 0);
    }
};

QTEST_MAIN(FontDialogTest)
#include "font_dialog_test.moc"
