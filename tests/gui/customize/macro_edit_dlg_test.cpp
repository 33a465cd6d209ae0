// The macro menu entry dialog's labels: each mnemonic reaches its field.
#include "app/gui/customize/macro_edit_dlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include "settings/settings_store.h"

using namespace qb;
using namespace qb::gui;

class MacroEditDlgTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // "ファイル名(&F):" beside a row of widgets had no buddy: it showed its "&" and Alt+F did
    // nothing.
    void EveryMnemonicLeadsToItsField() {
        SettingsStore settings;
        CMacroEditDlg dialog({"name", "/tmp/a.qmc"}, settings, nullptr);
        const std::pair<const char*, const char*> rows[] = {
            {"マクロ名(&M):", "name"},
            {"ファイル名(&F):", "file"},
        };
        for (const auto& [text, field] : rows) {
            QLabel* label = nullptr;
            for (QLabel* l : dialog.findChildren<QLabel*>())
                if (l->text() == QString::fromUtf8(text)) label = l;
            QVERIFY2(label, text);
            QVERIFY2(label->buddy(), text);
            QCOMPARE(label->buddy()->objectName(), QString::fromLatin1(field));
        }
    }
};

QTEST_MAIN(MacroEditDlgTest)
#include "macro_edit_dlg_test.moc"
