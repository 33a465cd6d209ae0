// The preview pane of the parameter dialogs, driven as a user drives them: fields set, the pane
// watched, then OK. What the pane shows after must be what OK then does to the same lines.
#include "app/gui/preview/preview_pane.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include "app/gui/common/qt_text.h"
#include "app/gui/dialogs/command_ui.h"
#include "tests/gui/dialogs/modal_script.h"
#include "tests/macro/macro_fixture.h"
#include "tests/support/sjis_literal.h"

using namespace qb;
using namespace qb::test;
using qb::gui::PreviewPane;

namespace {

using Fields = std::vector<std::pair<const char*, QString>>;

const std::vector<std::string> kLines = SjisLines({
    "あいうえお かきくけこ さしすせそ",
    "ABC abc,Abc (x) 123",
    "１２３ 123\tｶﾀｶﾅ",
    "ABC abc,Abc (x) 123",
    "",
    "かきく,けこ A B C",
});

PreviewPane* PaneOf(QWidget* dialog) {
    return dialog->findChild<PreviewPane*>(QStringLiteral("preview"));
}

// Sets `fields` and waits for the preview of the values they make.
bool SetAndWait(QWidget* dialog, const Fields& fields) {
    PreviewPane* pane = PaneOf(dialog);
    if (!pane) return false;
    QSignalSpy updated(pane, &PreviewPane::Updated);
    for (const auto& [key, value] : fields)
        Set(dialog, key, value);
    return updated.count() > 0 || updated.wait(5000);
}

QString AfterText(QWidget* dialog) {
    return dialog->findChild<QPlainTextEdit*>(QStringLiteral("previewAfter"))->toPlainText();
}

}  // namespace

class PreviewPaneTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // For every dialog with a preview: the lines the pane shows after are those OK leaves.
    void ThePreviewIsWhatOkDoes() {
        const struct {
            CommandId id;
            Fields fields;
        } rows[] = {
            {32784, {{"number", "6"}}},
            {32801, {{"number", "7"}}},
            {32772, {{"number", "5"}}},
            {32773, {{"number", "2"}}},
            {32840, {{"text", ","}, {"replace", "1"}}},
            {32770, {{"column", "3"}, {"text", "＊"}}},
            {32771,
             {{"column", "2"},
              {"digits", "3"},
              {"start", "5"},
              {"step", "-2"},
              {"zeroSuppress", "1"}}},
            {32775, {{"column", "2"}, {"text", "a\\nb"}}},
            {32776, {{"first", "2"}, {"last", "3"}}},
            {32839, {{"column", "2"}, {"count", "3"}, {"overwrite", "1"}}},
            {32841, {{"count", "3"}}},
            {32916, {{"text", " "}}},
            {32905, {{"width", "4"}}},
            {32906, {{"width", "4"}}},
            {32850, {{"first", "1"}, {"last", "10"}}},
            {32825, {{"text", "末"}}},
            {32783, {{"search", "abc"}, {"replacement", "x\\ty"}, {"case", "1"}}},
            {32783, {{"search", "[0-9]+"}, {"replacement", "#"}, {"regExp", "1"}}},
            {32926, {{"search", "\\s"}, {"width", "1"}}},
            {32827, {{"start", "あ"}, {"end", "う"}, {"replacement", "-"}}},
            {32915,
             {{"start", "("}, {"startReplacement", "["}, {"end", ")"}, {"endReplacement", "]"}}},
            {32918, {{"mode1", "1"}, {"first1", "1"}, {"end1", "3"}}},
            {32923, {{"partial", "1"}, {"first", "0"}, {"last", "3"}}},
            {32846, {{"digits", "1"}, {"alphabet", "1"}}},
            {32847, {{"katakana", "1"}}},
        };
        for (const auto& row : rows) {
            const QByteArray id = QByteArray::number(row.id);
            TestApp app;
            FakeWorkspace side(app.context);
            CQuillbayDoc& doc = side.AddDocument(kLines);
            gui::GuiCommandUi ui(nullptr, app.context, nullptr);
            std::vector<std::string> previewed;
            bool waited = false;
            ModalScript script;
            script.Then([&](QWidget* dialog) {
                waited = SetAndWait(dialog, row.fields);
                previewed = PaneOf(dialog)->AfterLines();
                Ok(dialog);
            });
            QCOMPARE(RunViewCommand(row.id, doc, side, ui), CommandOutcome::Done);
            QVERIFY2(waited, id);
            QVERIFY2(!previewed.empty(), id);
            QCOMPARE(previewed, LinesOf(doc));
        }
    }

    // The preview shows a stand-in as the character it stands for, before and after, also one
    // that the dialog's own text just gave out.
    void StandInsShowAsTheirCharacters() {
        TestApp app;
        FakeWorkspace side(app.context);
        CQuillbayDoc& doc = side.AddDocument({});
        const unsigned code = doc.StandInsForNewText().CodeFor(U'😀');
        doc.TakeLines({std::string("x") + char(code >> 8) + char(code & 0xFF) + "y"});
        gui::GuiCommandUi ui(nullptr, app.context, nullptr);
        QString before, after;
        ModalScript script;
        script.Then([&](QWidget* dialog) {
            SetAndWait(dialog, {{"search", "x"}, {"replacement", QString::fromUtf8("🍣")}});
            before =
                dialog->findChild<QPlainTextEdit*>(QStringLiteral("previewBefore"))->toPlainText();
            after = AfterText(dialog);
            Cancel(dialog);
        });
        QCOMPARE(RunViewCommand(32783, doc, side, ui), CommandOutcome::Cancelled);
        QVERIFY2(before.contains(QString::fromUtf8("x😀y")), qPrintable(before));
        QVERIFY2(after.contains(QString::fromUtf8("🍣😀y")), qPrintable(after));
    }

    // Typing a width brings a new preview; a malformed pattern shows its error instead of one.
    void TypingUpdatesAndAnErrorShowsInThePane() {
        TestApp app;
        FakeWorkspace side(app.context);
        CQuillbayDoc& doc = side.AddDocument(kLines);
        gui::GuiCommandUi ui(nullptr, app.context, nullptr);
        std::size_t wide = 0, narrow = 0;
        QString error, refusal;
        ModalScript script;
        script.Then([&](QWidget* dialog) {
            PreviewPane* pane = PaneOf(dialog);
            SetAndWait(dialog, {{"number", "40"}});
            wide = pane->AfterLines().size();
            QSignalSpy updated(pane, &PreviewPane::Updated);
            auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("number"));
            field->selectAll();
            QTest::keyClicks(field, QStringLiteral("4"));
            if (updated.wait(5000)) narrow = pane->AfterLines().size();
            SetAndWait(dialog, {{"number", "4x"}});
            refusal = AfterText(dialog);
            Cancel(dialog);
        });
        script.Then([&](QWidget* dialog) {
            SetAndWait(dialog, {{"search", "(a"}, {"replacement", "b"}, {"regExp", "1"}});
            error = AfterText(dialog);
            Cancel(dialog);
        });
        RunViewCommand(32784, doc, side, ui);
        RunViewCommand(32783, doc, side, ui);
        QCOMPARE(wide, kLines.size());
        QVERIFY(narrow > wide);
        QCOMPARE(refusal, QStringLiteral("整数を入力してください。"));
        QVERIFY2(error.contains(QStringLiteral("正規表現のエラー")), qPrintable(error));
        QCOMPARE(LinesOf(doc), kLines);
    }

    // A wrap at 70 showed some 36 columns, so its effect could not be seen: the panes widen to
    // the columns tried where the screen has room, and otherwise scroll to the change.
    void AWrapShowsTheColumnsItTries() {
        TestApp app;
        FakeWorkspace side(app.context);
        std::string longLine;
        while (longLine.size() < 120)
            longLine += "abcdefghi ";
        CQuillbayDoc& doc = side.AddDocument({longLine});
        gui::GuiCommandUi ui(nullptr, app.context, nullptr);
        int afterShown = 0, afterNeeded = 0, changeX = -1, beforeFrom = 0, beforeTo = 0;
        ModalScript script;
        script.Then([&](QWidget* dialog) {
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            SetAndWait(dialog, {{"number", "70"}});
            QTest::qWait(50);  // the panes settle after the lines are in
            auto* after = dialog->findChild<QPlainTextEdit*>(QStringLiteral("previewAfter"));
            auto* before = dialog->findChild<QPlainTextEdit*>(QStringLiteral("previewBefore"));
            const int column = after->fontMetrics().horizontalAdvance(QLatin1Char('0'));
            afterShown = after->viewport()->width();
            afterNeeded = 70 * column;
            changeX = 68 * column;  // the wrap takes the words from column 61 on
            beforeFrom = before->horizontalScrollBar()->value();
            beforeTo = beforeFrom + before->viewport()->width();
            Cancel(dialog);
        });
        RunViewCommand(32784, doc, side, ui);
        QCOMPARE(script.Unexpected(), 0);
        const bool whole = afterShown >= afterNeeded;
        const bool scrolled = beforeFrom <= changeX && changeX < beforeTo;
        QVERIFY2(whole || scrolled, qPrintable(QStringLiteral("%1 of %2 px; before %3-%4")
                                                   .arg(afterShown)
                                                   .arg(afterNeeded)
                                                   .arg(beforeFrom)
                                                   .arg(beforeTo)));
    }

    // The replace dialogs count over the whole target range, beyond the lines shown, and move
    // the panes to a first match out of view; the check box turns the pane off, and that is
    // remembered.
    void CountsTheWholeRangeAndIsRemembered() {
        TestApp app;
        FakeWorkspace side(app.context);
        std::vector<std::string> lines(900, "ab ab");
        lines.back() = "a";
        lines[150] = "xyz";
        CQuillbayDoc& doc = side.AddDocument(lines);
        gui::GuiCommandUi ui(nullptr, app.context, nullptr);
        QString count;
        int firstShown = -1;
        bool paneShown = true;
        ModalScript script;
        script.Then([&](QWidget* dialog) {
            QSignalSpy counted(PaneOf(dialog), &PreviewPane::CountUpdated);
            Set(dialog, "search", QStringLiteral("ab"));
            Set(dialog, "replacement", QStringLiteral("c"));
            if (counted.wait(5000))
                count = dialog->findChild<QLabel*>(QStringLiteral("previewCount"))->text();
            // A match far down: the panes move to it.
            SetAndWait(dialog, {{"search", "xyz"}});
            firstShown = dialog->findChild<QPlainTextEdit*>(QStringLiteral("previewBefore"))
                             ->verticalScrollBar()
                             ->value();
            dialog->findChild<QCheckBox*>(QStringLiteral("previewOn"))->setChecked(false);
            Cancel(dialog);
        });
        script.Then([&](QWidget* dialog) {
            paneShown = dialog->findChild<QWidget*>(QStringLiteral("previewAfter"))->isVisible();
            Cancel(dialog);
        });
        RunViewCommand(32783, doc, side, ui);
        RunViewCommand(32783, doc, side, ui);
        QCOMPARE(count, QStringLiteral("置換数: 1796"));
        QCOMPARE(firstShown, 149);
        QVERIFY(!paneShown);
        QCOMPARE(app.settings.ReadInt("Preview", "Show", 1), 0);
    }
};

QTEST_MAIN(PreviewPaneTest)
#include "preview_pane_test.moc"
