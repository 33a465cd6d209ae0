// Saving text that would not read back as it is: the save asks first, naming the places; a "no"
// leaves the file and the modified flag as they were.
#include "app/gui/review/lossy_save.h"

#include <QtTest>
#include <filesystem>

#include "app/gui/main/gui_host.h"
#include "app/gui/main/main_frame.h"
#include "core/quillbay_doc.h"
#include "settings/settings_store.h"
#include "tests/gui/support/recording_host.h"
#include "tests/support/temp_dir.h"

using namespace qb;
using namespace qb::gui;

class LossySaveTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void DecliningKeepsTheFileAndTheModifiedFlag() {
        test::TempDir dir;
        const std::string path = dir.Write("f.txt", "old\r\n");
        const std::string other = dir.File("g.txt");
        test::RecordingHost host;
        host.answer = false;
        host.savePath = other;
        SettingsStore settings;
        CMainFrame frame(host, settings);
        QVERIFY(frame.OpenDocument(path));
        CQuillbayDoc& doc = *frame.ActiveDocument();
        doc.SetLine(0, "a\nb\x1A");

        for (CommandId id : {57603, 57604}) {  // save, save as
            host.questions.clear();
            frame.RunCommand(id);
            QCOMPARE(host.questions.size(), std::size_t(1));
            const QString question = QString::fromStdString(host.questions.front());
            QVERIFY2(question.contains(QStringLiteral("1 行 2 桁目: 改行文字 LF（0A）")),
                     qPrintable(question));
            QVERIFY2(question.contains(QStringLiteral("1 行 4 桁目: Ctrl-Z（1A）")),
                     qPrintable(question));
            QCOMPARE(test::ReadFileBytes(path), std::string("old\r\n"));
            QVERIFY(!std::filesystem::exists(other));
            QVERIFY(doc.IsModified());
            QCOMPARE(doc.PathName(), path);
        }

        host.answer = true;
        frame.RunCommand(57603);
        QCOMPARE(test::ReadFileBytes(path), std::string("a\nb\x1A\r\n"));
        QVERIFY(!doc.IsModified());

        // Text that reads back whole is saved without a question.
        host.questions.clear();
        doc.SetLine(0, "fine");
        frame.RunCommand(57603);
        QVERIFY(host.questions.empty());
        QCOMPARE(test::ReadFileBytes(path), std::string("fine\r\n"));
    }

    // A conversion that turns characters into '?' says so once, naming where; one that loses
    // nothing says nothing.
    void AConversionThatLosesCharactersSaysWhere() {
        test::TempDir dir;
        test::RecordingHost host;
        SettingsStore settings;
        settings.WriteInt("System", "Verify", 0);
        settings.WriteInt("System", "Auto", 0);  // the UTF-8 file is read as its bytes
        CMainFrame frame(host, settings);
        QVERIFY(frame.OpenDocument(dir.Write("u.txt",
                                             "ok\r\nab\xF0\x9F\x98\x80"
                                             "c\r\n")));
        frame.RunCommand(32927);  // UTF8→シフトJIS
        QCoreApplication::processEvents();
        QCOMPARE(host.warnings.size(), 1);
        QVERIFY2(host.warnings.front().contains(QStringLiteral("u.txt 2 行 3 桁目")),
                 qPrintable(host.warnings.front()));

        QVERIFY(frame.OpenDocument(dir.Write("s.txt", "plain\r\n")));
        frame.RunCommand(32927);
        QCoreApplication::processEvents();
        QCOMPARE(host.warnings.size(), 1);

        // The conversion of an EUC-JP file on opening names the file too.
        settings.WriteInt("System", "Auto", 1);
        QVERIFY(frame.OpenDocument(dir.Write("e.txt", "\xC6\xFC\xCB\xDC \x8F\xB0\xA1\r\n")));
        QCoreApplication::processEvents();
        QCOMPARE(host.warnings.size(), 2);
        QVERIFY2(host.warnings.back().contains(QStringLiteral("e.txt 1 行 6 桁目")),
                 qPrintable(host.warnings.back()));
    }
};

QTEST_MAIN(LossySaveTest)
#include "lossy_save_test.moc"
