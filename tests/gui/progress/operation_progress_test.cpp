// A long operation in the main window: its bar comes up, and its cancel button leaves the
// document exactly as it was; let run, it changes the document as without the bar.
#include "app/gui/progress/operation_progress.h"

#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "app/gui/main/gui_host.h"
#include "app/gui/main/main_frame.h"
#include "core/quillbay_doc.h"
#include "settings/settings_store.h"
#include "tests/gui/dialogs/modal_script.h"
#include "tests/gui/support/recording_host.h"
#include "tests/support/temp_dir.h"

using namespace qb;
using namespace qb::gui;

namespace {

std::vector<std::string> LinesOf(const CQuillbayDoc& doc) {
    std::vector<std::string> out;
    for (const Line& line : doc.Lines())
        out.push_back(line.str());
    return out;
}

}  // namespace

class OperationProgressTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void CancelLeavesTheDocumentAsItWas() {
        test::TempDir dir;
        std::string text;
        for (int i = 0; i < 20000; ++i)
            text += "line " + std::to_string(20000 - i) + " of a text to wrap\r\n";
        const std::string path = dir.Write("long.txt", text);
        for (const bool cancel : {true, false}) {
            test::RecordingHost host;
            SettingsStore settings;
            settings.WriteInt("Preview", "Show", 0);
            CMainFrame frame(host, settings);
            frame.show();
            QVERIFY(frame.OpenDocument(path));
            CQuillbayDoc& doc = *frame.ActiveDocument();
            const std::vector<std::string> before = LinesOf(doc);
            auto* progress =
                frame.findChild<OperationProgress*>(QStringLiteral("operationProgress"));
            progress->SetDelay(0);
            bool pressed = false;
            // The cancel button is pressed as soon as it shows.
            QObject::connect(progress, &OperationProgress::Shown, &frame, [&] {
                if (!cancel) return;
                frame.findChild<QPushButton*>(QStringLiteral("progressCancel"))->click();
                pressed = true;
            });

            for (CommandId id : {32784, 32918}) {  // wrap, sort
                pressed = false;
                test::ModalScript script;
                script.Then([](QWidget* dialog) {
                    test::Set(dialog, dialog->findChild<QWidget*>("number") ? "number" : "end1",
                              QStringLiteral("5"));
                    test::Ok(dialog);
                });
                frame.RunCommand(id);
                QCOMPARE(pressed, cancel);
                QVERIFY(!frame.findChild<QWidget*>(QStringLiteral("progressBox"))->isVisible());
                if (cancel) {
                    QCOMPARE(LinesOf(doc).size(), before.size());
                    QCOMPARE(LinesOf(doc), before);
                    QVERIFY(!doc.IsModified());
                    QVERIFY(!doc.CanUndo());
                } else {
                    QVERIFY(LinesOf(doc) != before);
                    QVERIFY(doc.CanUndo());
                }
            }
            QVERIFY(host.messages.empty());
        }
    }

    // A large save held the window with no bar. It shows the bar of the other long operations,
    // takes no typing into the document meanwhile, and its cancel leaves the file as it was.
    void ASaveShowsTheBarAndTakesNoInputMeanwhile() {
        test::TempDir dir;
        const std::string text(4 << 20, 'x');  // one line of 4 MB: several blocks of the writer
        for (const bool cancel : {false, true}) {
            const std::string path = dir.Write("big.txt", text + "\r\n");
            test::RecordingHost host;
            SettingsStore settings;
            settings.WriteInt("Preview", "Show", 0);
            CMainFrame frame(host, settings);
            frame.show();
            QVERIFY(frame.OpenDocument(path));
            CQuillbayDoc& doc = *frame.ActiveDocument();
            doc.SetLine(0, text + "y");
            auto* progress =
                frame.findChild<OperationProgress*>(QStringLiteral("operationProgress"));
            progress->SetDelay(0);
            bool shown = false;
            QObject::connect(progress, &OperationProgress::Shown, &frame, [&] {
                shown = true;
                if (QWidget* focus = QApplication::focusWidget()) QTest::keyClick(focus, 'z');
                if (cancel)
                    frame.findChild<QPushButton*>(QStringLiteral("progressCancel"))->click();
            });
            frame.RunCommand(57603);  // save
            QVERIFY(shown);
            QVERIFY(!frame.findChild<QWidget*>(QStringLiteral("progressBox"))->isVisible());
            QCOMPARE(doc.GetLine(0).str(), text + "y");  // the key went nowhere
            QCOMPARE(doc.IsModified(), cancel);
            QCOMPARE(test::ReadFileBytes(path), cancel ? text + "\r\n" : text + "y\r\n");
            QVERIFY(host.messages.empty());
        }
    }
};

QTEST_MAIN(OperationProgressTest)
#include "operation_progress_test.moc"
