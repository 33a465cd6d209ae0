// Go to line (Ctrl+G through the installed key file): a 100 MB text gave no way to reach line
// 250,000. The line is shown and framed; the target lines and the text stay as they were.
#include <QInputDialog>
#include <QSpinBox>
#include <QtTest>

#include "app/gui/main/main_frame.h"
#include "app/gui/view/quillbay_view.h"
#include "core/quillbay_doc.h"
#include "settings/settings_store.h"
#include "tests/gui/dialogs/modal_script.h"
#include "tests/gui/support/recording_host.h"
#include "tests/support/temp_dir.h"

using namespace qb;
using namespace qb::gui;
using namespace qb::test;

namespace {

std::string NumberedLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    return text;
}

// Answers the line dialog with `number`, as typed.
ModalScript::Step Answer(int number, QString* label = nullptr) {
    return [number, label](QWidget* dialog) {
        auto* input = qobject_cast<QInputDialog*>(dialog);
        if (!input) qFatal("not the line dialog");
        if (label) *label = input->labelText();
        input->findChild<QSpinBox*>()->setValue(number);
        input->accept();
    };
}

bool InWindow(const CQuillbayView& view, int index) {
    const long long y = static_cast<long long>(index) * view.LineHeight();
    return y >= view.VerticalPosition() &&
           y + view.LineHeight() <= view.VerticalPosition() + view.viewport()->height();
}

}  // namespace

class GoToLineTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void CtrlGShowsAndFramesTheLineAndLeavesTheTargetsAlone() {
        TempDir dir;
        SettingsStore settings(dir.File("settings.ini"));
        RecordingHost host;
        CMainFrame frame(host, settings);
        frame.resize(800, 600);
        frame.show();
        QVERIFY(frame.OpenDocument(dir.Write("doc.txt", NumberedLines(3000))));
        CQuillbayView* view = frame.ActiveView();
        CQuillbayDoc& doc = view->Document();
        doc.Target().firstLine = 2;
        doc.Target().lastLine = 3;
        QApplication::setActiveWindow(&frame);
        view->setFocus();
        QVERIFY(QTest::qWaitFor([view] { return QApplication::focusWidget() == view; }));

        QString label;
        struct Case {
            int typed;
            int shown;  // 0-based
        };
        // Far down, back near the top, and past the end (the box stops at the last line).
        const Case cases[] = {{2500, 2499}, {10, 9}, {99999, 2999}, {1, 0}};
        for (const Case& c : cases) {
            ModalScript script;
            script.Then(Answer(c.typed, &label));
            QTest::keyClick(view, Qt::Key_G, Qt::ControlModifier);
            QCOMPARE(script.Pending(), 0);
            QCOMPARE(view->MarkedLine(), c.shown);
            QVERIFY2(InWindow(*view, c.shown), qPrintable(QString::number(c.typed)));
            QCOMPARE(script.Unexpected(), 0);
            view->setFocus();
        }
        QVERIFY2(label.contains(QStringLiteral("3000")), qPrintable(label));
        QCOMPARE(doc.Target().firstLine, 2);
        QCOMPARE(doc.Target().lastLine, 3);
        QVERIFY(!doc.IsModified());

        // Cancelled: nothing moves.
        view->ShowLine(1999);
        const long long at = view->VerticalPosition();
        ModalScript cancel;
        cancel.Then([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
        QTest::keyClick(view, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(view->MarkedLine(), 1999);
        QCOMPARE(view->VerticalPosition(), at);

        // Ctrl+End and Ctrl+Home: the end and the start of the text.
        view->setFocus();
        QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
        QVERIFY(InWindow(*view, 2999));
        QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(view->VerticalPosition(), 0LL);
        QCOMPARE(doc.Target().firstLine, 2);
    }
};

QTEST_MAIN(GoToLineTest)
#include "go_to_line_test.moc"
