// The file dialogs opened so narrow that the dates were cut to "9 Dec ...:54:59" and the side
// bar to "コンピ…": every column and place must show whole.
#include "app/gui/dialogs/file_dialogs.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QListView>
#include <QTreeView>
#include <QtTest>

#include "tests/gui/dialogs/modal_script.h"
#include "tests/support/temp_dir.h"

using namespace qb;
using namespace qb::gui;
using qb::test::ModalScript;

class FileDialogsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void NoColumnIsCutShort() {
        test::TempDir dir;
        dir.Write("quarterly report, draft 3.txt", "x");
        FileDialogSpec spec;
        spec.title = QStringLiteral("開く");
        spec.folder = QString::fromStdString(dir.Path());
        QStringList cut;
        ModalScript script;
        script.Then([&cut](QWidget* dialog) {
            auto* files = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
            QVERIFY(files);
            QTRY_VERIFY(files->model()->rowCount(files->rootIndex()) > 0);
            QHeaderView* header = files->header();
            for (int column = 1; column < header->count(); ++column)
                if (!header->isSectionHidden(column) &&
                    header->sectionSize(column) <
                        static_cast<QAbstractItemView*>(files)->sizeHintForColumn(column))
                    cut << QStringLiteral("column %1").arg(column);
            // Beside the other columns, the name keeps room for the long name.
            int others = 0;
            for (int column = 1; column < header->count(); ++column)
                if (!header->isSectionHidden(column))
                    others += static_cast<QAbstractItemView*>(files)->sizeHintForColumn(column);
            const int name = static_cast<QAbstractItemView*>(files)->sizeHintForColumn(0);
            if (others + name > files->viewport()->width())
                cut << QStringLiteral("%1 + %2 of %3 px")
                           .arg(others)
                           .arg(name)
                           .arg(files->viewport()->width());
            auto* places = dialog->findChild<QListView*>(QStringLiteral("sidebar"));
            for (int row = 0; places && row < places->model()->rowCount(); ++row)
                if (places->viewport()->width() <
                    places->sizeHintForIndex(places->model()->index(row, 0)).width())
                    cut << places->model()->index(row, 0).data().toString();
            static_cast<QDialog*>(dialog)->reject();
        });
        QVERIFY(!ChooseFile(nullptr, spec));
        QCOMPARE(script.Unexpected(), 0);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(", ")));
    }
};

QTEST_MAIN(FileDialogsTest)
#include "file_dialogs_test.moc"
