// Find through the installed key file: Ctrl+F asks and finds, F3 finds the next line, Shift+F3
// the one before, and passing the end is said. The target lines and the text stay as they were.
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "app/gui/main/main_frame.h"
#include "app/gui/view/quillbay_view.h"
#include "core/quillbay_doc.h"
#include "macro/macro_controller.h"
#include "macro/macro_recorder.h"
#include "settings/settings_store.h"
#include "tests/gui/dialogs/modal_script.h"
#include "tests/gui/support/recording_host.h"
#include "tests/support/sjis_literal.h"
#include "tests/support/temp_dir.h"

using namespace qb;
using namespace qb::gui;
using namespace qb::test;

class FindTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A character Shift-JIS lacks is found in a UTF-8 file, not searched for as '?'.
    void AnEmojiIsFoundInAUtf8File() {
        TempDir dir;
        SettingsStore settings(dir.File("settings.ini"));
        RecordingHost host;
        CMainFrame frame(host, settings);
        frame.show();
        QVERIFY(frame.OpenDocument(dir.Write("u8.txt", "a?b\nno\nthe \xF0\x9F\x98\x80 line\n")));
        CQuillbayView* view = frame.ActiveView();
        ModalScript script;
        script.Then([](QWidget* dialog) {
            dialog->findChild<QLineEdit*>(QStringLiteral("text"))
                ->setText(QString::fromUtf8("\xF0\x9F\x98\x80"));
            static_cast<QDialog*>(dialog)->accept();
        });
        QApplication::setActiveWindow(&frame);
        view->setFocus();
        QVERIFY(QTest::qWaitFor([view] { return QApplication::focusWidget() == view; }));
        QTest::keyClick(view, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(view->MarkedLine(), 2);
    }

    void CtrlFFindsAndF3FindsTheNextAndSaysWhenItWraps() {
        TempDir dir;
        SettingsStore settings(dir.File("settings.ini"));
        RecordingHost host;
        CMainFrame frame(host, settings);
        frame.show();
        std::string text;
        for (int i = 0; i < 500; ++i)
            text += i == 120   ? Sjis("ここに検索語あり\r\n")
                    : i == 400 ? Sjis("ｹﾝｻｸ語 も検索語\r\n")
                               : "line " + std::to_string(i) + "\r\n";
        QVERIFY(frame.OpenDocument(dir.Write("doc.txt", text)));
        CQuillbayView* view = frame.ActiveView();
        CQuillbayDoc& doc = view->Document();
        doc.Target().firstLine = 5;
        doc.Target().lastLine = 6;
        QApplication::setActiveWindow(&frame);
        view->setFocus();
        QVERIFY(QTest::qWaitFor([view] { return QApplication::focusWidget() == view; }));

        QStringList told;
        ModalScript script;
        script.Then([](QWidget* dialog) {
            dialog->findChild<QLineEdit*>(QStringLiteral("text"))
                ->setText(QStringLiteral("検索語"));
            static_cast<QDialog*>(dialog)->accept();
        });
        QTest::keyClick(view, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(view->MarkedLine(), 120);
        const auto press = [&](Qt::KeyboardModifiers modifiers) {
            view->setFocus();
            QTest::keyClick(view, Qt::Key_F3, modifiers);
        };
        press(Qt::NoModifier);
        QCOMPARE(view->MarkedLine(), 400);
        script.Then([&](QWidget* box) {
            told << static_cast<QMessageBox*>(box)->text();
            static_cast<QDialog*>(box)->accept();
        });
        press(Qt::NoModifier);  // past the end: back to the first
        QCOMPARE(view->MarkedLine(), 120);
        press(Qt::NoModifier);
        QCOMPARE(view->MarkedLine(), 400);
        press(Qt::ShiftModifier);
        QCOMPARE(view->MarkedLine(), 120);
        QCOMPARE(told.size(), 1);
        QVERIFY2(told.front().contains(QStringLiteral("先頭から")), qPrintable(told.front()));

        // The half-width ｹﾝｻｸ is found only while width is tolerated (the default).
        script.Then([](QWidget* dialog) {
            dialog->findChild<QLineEdit*>(QStringLiteral("text"))
                ->setText(QStringLiteral("ケンサク"));
            static_cast<QDialog*>(dialog)->accept();
        });
        view->setFocus();
        QTest::keyClick(view, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(view->MarkedLine(), 400);
        script.Then([](QWidget* dialog) {
            dialog->findChild<QCheckBox*>(QStringLiteral("width"))->setChecked(false);
            static_cast<QDialog*>(dialog)->accept();
        });
        script.Then([&](QWidget* box) {
            told << static_cast<QMessageBox*>(box)->text();
            static_cast<QDialog*>(box)->accept();
        });
        view->setFocus();
        QTest::keyClick(view, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(told.size(), 2);
        QVERIFY2(told.back().contains(QStringLiteral("見つかりません")), qPrintable(told.back()));
        QCOMPARE(view->MarkedLine(), 400);

        QCOMPARE(doc.Target().firstLine, 5);
        QCOMPARE(doc.Target().lastLine, 6);
        QVERIFY(!doc.IsModified());
        QCOMPARE(script.Unexpected(), 0);
    }

    // One click makes every line Find finds a target, with its tolerances, as one LineSelect
    // line that replays to the same targets.
    void AllFoundLinesBecomeTheTargetsAsOneRecordedLine() {
        TempDir dir;
        SettingsStore settings(dir.File("settings.ini"));
        RecordingHost host;
        CMainFrame frame(host, settings);
        frame.show();
        const char* const lines[] = {"ガ", "ｶﾞ", "カ", "が", "ア", "x ｶﾞｷ", "ｶ", "カ゛"};
        std::string text;
        for (const char* line : lines)
            text += Sjis(line) + "\r\n";
        QVERIFY(frame.OpenDocument(dir.Write("doc.txt", text)));
        CQuillbayView* view = frame.ActiveView();
        CQuillbayDoc& doc = view->Document();
        doc.Target().invert = true;  // turned off, or the other lines would be the targets
        const std::string macro = dir.File("rec.qmc");
        QVERIFY(frame.Macros().Recorder().Start(macro));
        ModalScript script;
        script.Then([](QWidget* dialog) {
            dialog->findChild<QLineEdit*>(QStringLiteral("text"))->setText(QStringLiteral("ガ"));
            dialog->findChild<QCheckBox*>(QStringLiteral("width"))->setChecked(true);
            dialog->findChild<QCheckBox*>(QStringLiteral("kana"))->setChecked(true);
            dialog->findChild<QPushButton*>(QStringLiteral("allTargets"))->click();
        });
        QApplication::setActiveWindow(&frame);
        view->setFocus();
        QVERIFY(QTest::qWaitFor([view] { return QApplication::focusWidget() == view; }));
        QTest::keyClick(view, Qt::Key_F, Qt::ControlModifier);
        frame.Macros().Recorder().Stop();
        QCOMPARE(script.Unexpected(), 0);

        const QList<bool> expected = {true, true, false, true, false, true, false, true};
        const auto targets = [&doc] {
            QList<bool> now;
            for (int i = 0; i < doc.LineCount(); ++i)
                now << doc.IsTargetLine(i);
            return now;
        };
        QCOMPARE(targets(), expected);
        QVERIFY(!doc.IsModified());
        const QList<QByteArray> recorded =
            QByteArray::fromStdString(dir.Read("rec.qmc")).split('\n');
        QCOMPARE(recorded.size(), 3);  // Notsel, LineSelect and the end of the last line
        QCOMPARE(recorded[0], QByteArray("Notsel\r"));
        QVERIFY2(recorded[1].startsWith("LineSelect 1 "), recorded[1].constData());

        // The line alone gives the same targets on replay.
        QVERIFY(dir.Write("one.qmc", recorded[1].toStdString() + "\n") != "");
        doc.Target() = TargetState{};
        frame.Macros().RunMacroFile(dir.File("one.qmc"));
        QCOMPARE(targets(), expected);
    }
};

QTEST_MAIN(FindTest)
#include "find_test.moc"
