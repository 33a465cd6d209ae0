// "複数ファイル置換" through the main window with its review: Cancel writes nothing; unticking
// a file leaves it as it was while the others are replaced.
#include "app/gui/review/multi_file_review.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QtTest>

#include "app/gui/main/gui_host.h"
#include "app/gui/main/main_frame.h"
#include "core/quillbay_doc.h"
#include "macro/macro_recorder.h"
#include "settings/settings_store.h"
#include "tests/gui/dialogs/modal_script.h"
#include "tests/gui/support/recording_host.h"
#include "tests/support/temp_dir.h"

using namespace qb;
using namespace qb::gui;
using namespace qb::test;

namespace {

ModalScript::Step FillReplace(const std::string& folder) {
    return [folder](QWidget* dialog) {
        Set(dialog, "folder", QString::fromStdString(folder));
        Set(dialog, "pattern", QStringLiteral("*.txt"));
        Set(dialog, "find", QStringLiteral("abc"));
        Set(dialog, "replacement", QStringLiteral("xyz"));
        Ok(dialog);
    };
}

}  // namespace

class MultiFileReviewTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void CancelWritesNothingAndUntickedFilesStay() {
        TempDir dir;
        const std::string a = dir.Write("a.txt", "keep\r\nabc 1\r\n");
        const std::string b = dir.Write("b.txt", "ABC\r\n");
        dir.Write("c.txt", "nothing here\r\n");
        const std::string doc = dir.Write("doc.txt", "open\r\n");
        test::RecordingHost host;
        SettingsStore settings;
        CMainFrame frame(host, settings);
        QVERIFY(frame.OpenDocument(doc));

        QStringList listed;
        QString before, after;
        ModalScript script;
        script.Then(FillReplace(dir.Path()));
        script.Then([&](QWidget* review) {
            auto* files = review->findChild<QTreeWidget*>(QStringLiteral("reviewFiles"));
            for (int i = 0; i < files->topLevelItemCount(); ++i)
                listed << files->topLevelItem(i)->text(0) + QLatin1Char('|') +
                              files->topLevelItem(i)->text(1) + QLatin1Char('|') +
                              files->topLevelItem(i)->text(2);
            before =
                review->findChild<QPlainTextEdit*>(QStringLiteral("reviewBefore"))->toPlainText();
            after =
                review->findChild<QPlainTextEdit*>(QStringLiteral("reviewAfter"))->toPlainText();
            Cancel(review);
        });
        frame.RunCommand(32851);
        QCOMPARE(listed, QStringList({"a.txt|ASCII|1", "b.txt|ASCII|1"}));
        QCOMPARE(before, QStringLiteral("     2: abc 1"));
        QCOMPARE(after, QStringLiteral("     2: xyz 1"));
        QCOMPARE(ReadFileBytes(a), std::string("keep\r\nabc 1\r\n"));
        QCOMPARE(ReadFileBytes(b), std::string("ABC\r\n"));

        int files = -1;
        ModalScript run;
        run.Then(FillReplace(dir.Path()));
        run.Then([](QWidget* review) {
            auto* list = review->findChild<QTreeWidget*>(QStringLiteral("reviewFiles"));
            list->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
            Ok(review);
        });
        run.Then([&](QWidget* report) {
            files = Shown(report, "filesChanged").toInt();
            Ok(report);
        });
        frame.RunCommand(32851);
        QCOMPARE(ReadFileBytes(a), std::string("keep\r\nxyz 1\r\n"));
        QCOMPARE(ReadFileBytes(b), std::string("ABC\r\n"));
        QCOMPARE(files, 1);
        QCOMPARE(run.Unexpected(), 0);
        QVERIFY(host.messages.empty());
    }

    // A file read and left alone (more characters Shift-JIS lacks than stand-ins) was counted as
    // "読めなかったファイル 1 個", and the message about it named no file.
    void AFileLeftAloneIsNamedAndNotCountedAsUnread() {
        TempDir dir;
        dir.Write("a.txt", "abc\r\n");
        std::string many;
        for (char32_t c = 0x20000; c < 0x20000 + 2000; ++c) {  // none of them in Shift-JIS
            many += static_cast<char>(0xF0 | (c >> 18));
            many += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            many += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            many += static_cast<char>(0x80 | (c & 0x3F));
        }
        const std::string full = dir.Write("full.txt", "abc " + many + "\n");
        const std::string doc = dir.Write("doc.txt", "open\r\n");
        test::RecordingHost host;
        SettingsStore settings;
        CMainFrame frame(host, settings);
        QVERIFY(frame.OpenDocument(doc));

        QString intro;
        ModalScript script;
        script.Then(FillReplace(dir.Path()));
        script.Then([&](QWidget* review) {
            intro = review->findChild<QLabel*>(QStringLiteral("reviewIntro"))->text();
            Cancel(review);
        });
        frame.RunCommand(32851);
        QCOMPARE(script.Unexpected(), 0);
        QVERIFY2(!intro.contains(QStringLiteral("読めなかった")), qPrintable(intro));
        QVERIFY2(intro.contains(QStringLiteral("そのままにするファイル 1 個")), qPrintable(intro));
        QCOMPARE(host.messages.size(), std::size_t{1});
        QVERIFY2(
            QString::fromStdString(host.messages[0]).endsWith(QString::fromStdString(": " + full)),
            host.messages[0].c_str());
    }

    // The changed lines of a UTF-8 file were shown as plain Shift-JIS: a character Shift-JIS
    // lacks (held as a stand-in) showed as some user-defined character, not as itself.
    void ACharacterShiftJisLacksShowsAsItselfInTheReview() {
        TempDir dir;
        const std::string check = "\xE2\x9C\x93";  // U+2713, no Shift-JIS form
        dir.Write("u.txt", "\xEF\xBB\xBF" + check + " abc\n");
        const std::string doc = dir.Write("doc.txt", "open\r\n");
        test::RecordingHost host;
        SettingsStore settings;
        CMainFrame frame(host, settings);
        QVERIFY(frame.OpenDocument(doc));

        QString before, after;
        ModalScript script;
        script.Then(FillReplace(dir.Path()));
        script.Then([&](QWidget* review) {
            before =
                review->findChild<QPlainTextEdit*>(QStringLiteral("reviewBefore"))->toPlainText();
            after =
                review->findChild<QPlainTextEdit*>(QStringLiteral("reviewAfter"))->toPlainText();
            Cancel(review);
        });
        frame.RunCommand(32851);
        QCOMPARE(script.Unexpected(), 0);
        QCOMPARE(before, QStringLiteral("     1: \u2713 abc"));
        QCOMPARE(after, QStringLiteral("     1: \u2713 xyz"));
    }
};

QTEST_MAIN(MultiFileReviewTest)
#include "multi_file_review_test.moc"
