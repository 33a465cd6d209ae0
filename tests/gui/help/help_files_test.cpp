// The HTML help: where it is looked for, the message when it is missing, and that it covers
// every command and macro command and holds no broken link.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

#include "app/gui/help/help_files.h"
#include "macro/command_table.h"
#include "macro/macro_commands.h"
#include "tests/support/temp_dir.h"

using namespace qb;
using namespace qb::gui;

namespace {

// The source tree's help folder: the last place the program looks.
QDir SourceHelp() {
    return QDir(QString::fromStdString(HelpFolders("/nonexistent").back()));
}

QString ReadPage(const QDir& dir, const QString& name) {
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

}  // namespace

class HelpFilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void LooksBesideTheProgramThenInTheSourceTree() {
        const std::vector<std::string> folders = HelpFolders("/opt/qb/bin");
        QCOMPARE(folders.front(), std::string("/opt/qb/share/quillbay/help"));
        QVERIFY(FindHelpPage(HelpPage::Contents, folders).found);
        const HelpLookup keywords = FindHelpPage(HelpPage::Keywords, folders);
        QVERIFY(keywords.found);
        QVERIFY(QString::fromStdString(keywords.path).endsWith("/help/keyword.html"));
    }

    void MissingHelpNamesTheFullPath() {
        test::TempDir dir;
        const std::string empty = dir.Path() + "/bin/../share/quillbay/help";
        const HelpLookup help = FindHelpPage(HelpPage::Contents, {empty, dir.File("other")});
        QVERIFY(!help.found);
        const std::string expected = dir.Path() + "/share/quillbay/help/index.html";
        QCOMPARE(help.path, expected);
        QCOMPARE(
            QString::fromStdString(MissingHelpMessage(help.path)),
            QString::fromUtf8("ヘルプファイルがありません：") + QString::fromStdString(expected));

        // A relative folder is reported as the full path it stands for.
        const HelpLookup relative = FindHelpPage(HelpPage::Keywords, {"no-such-help"});
        QVERIFY(QDir::isAbsolutePath(QString::fromStdString(relative.path)));
        QVERIFY(QString::fromStdString(relative.path).endsWith("/no-such-help/keyword.html"));
    }

    void CoversEveryCommandAndMacroCommand() {
        const QDir help = SourceHelp();
        // The index repeats every caption; a command must also be described on its menu's page.
        QString text;
        for (const QString& name : help.entryList({"*.html"}, QDir::Files))
            if (name != "keyword.html") text += ReadPage(help, name);
        QVERIFY(!text.isEmpty());
        // Captions appear as a menu shows them: the mnemonic letter without its '&'.
        for (const CommandInfo& row : AllCommands()) {
            if (row.caption.empty()) continue;
            const QString caption =
                QString::fromUtf8(row.caption.data(), qsizetype(row.caption.size())).remove('&');
            QVERIFY2(text.contains(caption), qPrintable(caption));
        }
        for (const MacroCommand& command : MacroCommands()) {
            const QString name =
                QString::fromUtf8(command.name.data(), qsizetype(command.name.size()));
            QVERIFY2(text.contains("<code>" + name), qPrintable(name));
        }
    }

    void EveryLinkFindsItsPageAndPlace() {
        const QDir help = SourceHelp();
        const QRegularExpression href(QStringLiteral("href=\"([^\"#]*)(?:#([^\"]*))?\""));
        for (const QString& name : help.entryList({"*.html"}, QDir::Files)) {
            const QString page = ReadPage(help, name);
            for (auto links = href.globalMatch(page); links.hasNext();) {
                const auto link = links.next();
                const QString target = link.captured(1).isEmpty() ? name : link.captured(1);
                const QString where = name + " -> " + link.captured(0);
                QVERIFY2(help.exists(target), qPrintable(where));
                if (link.captured(2).isEmpty()) continue;
                QVERIFY2(ReadPage(help, target).contains("id=\"" + link.captured(2) + "\""),
                         qPrintable(where));
            }
        }
    }
};

QTEST_MAIN(HelpFilesTest)
#include "help_files_test.moc"
