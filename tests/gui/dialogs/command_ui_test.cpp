// The parameter dialogs of the view commands, driven through GuiCommandUi as a user drives them:
// fields set by their object names, then OK or Cancel. Each dialog's values must make the same
// operation and macro line as qbay's scripted answers (tests/macro/macro_fixture.h) do.
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <set>

#include "app/gui/common/qt_text.h"
#include "app/gui/dialogs/command_ui.h"
#include "tests/gui/dialogs/modal_script.h"
#include "tests/macro/macro_fixture.h"
#include "tests/support/sjis_literal.h"
#include "tests/support/temp_dir.h"

using namespace qb;
using namespace qb::test;
using qb::gui::GuiCommandUi;
using qb::gui::SjisToQString;

namespace {

using Answer = std::optional<std::vector<MacroValue>>;
using Fields = std::vector<std::pair<const char*, QString>>;

// Shows the real dialogs and keeps what each handed back.
class CapturingUi : public ICommandUi {
public:
    explicit CapturingUi(AppContext& app) : m_gui(nullptr, app, nullptr) {}
    Answer ShowDialog(const DialogRequest& request) override {
        returned.push_back(m_gui.ShowDialog(request));
        return returned.back();
    }
    void ShowMultiReplaceReport(int files, int replacements) override {
        m_gui.ShowMultiReplaceReport(files, replacements);
    }
    void Redraw(CQuillbayDoc&) override {}
    void SetRecording(bool on) {
        m_gui.SetRecordingCheck([on] { return on; });
    }
    std::vector<Answer> returned;

private:
    GuiCommandUi m_gui;
};

QString Show(const Answer& values) {
    if (!values) return QStringLiteral("(cancelled)");
    QStringList out;
    for (const MacroValue& v : *values)
        out << (v.text.empty() ? QString::number(v.number) : SjisToQString(v.text));
    return out.join(QLatin1Char('|'));
}

QStringList Texts(const std::vector<std::string>& sjis) {
    QStringList out;
    for (const auto& s : sjis)
        out << SjisToQString(s);
    return out;
}

// Sets the fields, "@file" choosing a file in a file dialog, then presses OK.
ModalScript::Step Fill(const Fields& fields) {
    return [fields](QWidget* dialog) {
        for (const auto& [key, value] : fields) {
            if (auto* files = qobject_cast<QFileDialog*>(dialog); files && key[0] == '@') {
                files->selectFile(value);
                static_cast<QDialog*>(files)->accept();  // as its button would
                return;
            }
            Set(dialog, key, value);
        }
        Ok(dialog);
    };
}

const std::vector<std::string> kLines =
    SjisLines({"あいうえお", "ABC abc", "１２３ 123", "かきく,けこ"});

struct Stored {
    const char* section;
    const char* name;
    const char* value;
};

}  // namespace

class CommandUiTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void EveryDialogRunsTheOperationQbayRunsWithItsValues() {
        TempDir dir;
        const QString input = QString::fromStdString(dir.Write("in.txt", "x\r\ny\r\n"));
        const QString output = QString::fromStdString(dir.File("out.bin"));
        const struct {
            CommandId id;
            Fields fields;
            std::vector<MacroValue> values;
            std::vector<Stored> stored;
        } rows[] = {
            {32784, {{"number", "6"}}, {N(6)}, {{"Turn", "No", "6"}}},
            {32825, {{"text", "末 尾"}}, {T(Sjis("末 尾"))}, {{"StrAdd", "String", "末 尾"}}},
            {32924, {{"text", "あいう"}}, {T(Sjis("あいう"))}, {}},
            {32770,
             {{"column", "3"}, {"text", "＊"}},
             {N(3), T(Sjis("＊"))},
             {{"UstrDlg", "Upos", "3"}, {"UstrDlg", "Ustr", "＊"}}},
            {32771,
             {{"column", "2"},
              {"digits", "3"},
              {"start", "5"},
              {"step", "-2"},
              {"zeroSuppress", "1"}},
             {N(-2), N(3), N(2), N(5), N(1)},
             {{"RenoDlg", "RenoPos", "2"},
              {"RenoDlg", "RenoKeta", "3"},
              {"RenoDlg", "Zoubun", "-2"},
              {"RenoDlg", "ZeroSup", "1"}}},
            {32775,
             {{"column", "2"}, {"text", "a\\sb"}},
             {N(2), T("a\\sb")},
             {{"InsertDlg", "InsertStr", "a\\sb"}}},
            {32776, {{"first", "2"}, {"last", "3"}}, {N(2), N(3)}, {{"DelPos", "m_PosEnd", "3"}}},
            {32839,
             {{"column", "2"}, {"count", "3"}, {"overwrite", "1"}},
             {N(2), N(3), N(1)},
             {{"SpaceIns", "bOverWrite", "1"}}},
            {32841, {{"count", "3"}}, {N(3)}, {{"Oneline", "nCount", "3"}}},
            {32840,
             {{"text", ","}, {"replace", "1"}},
             {T(","), N(1)},
             {{"TurnIf", "TurnStr", ","}}},
            {32916, {{"text", " "}}, {T(" "), N(0)}, {{"TabIf", "bReplace", "0"}}},
            {32905, {{"width", "4"}}, {N(4)}, {{"TabDlg", "nTab", "4"}}},
            {32850, {{"first", "1"}, {"last", "10"}}, {N(1), N(10)}, {{"SpToCsv", "nEnd", "10"}}},
            {32769,
             {{"first", "3"}, {"last", "2"}, {"condition", "a"}, {"step", "1"}},
             {N(1), T("a"), N(3), N(2), N(0)},
             {{"LineSelect", "RegExp", "0"}}},
            {32783,
             {{"search", "abc"}, {"replacement", "x\\ty"}, {"case", "1"}},
             {T("abc"), T("x\\ty"), N(2), N(0)},
             {{"Replace", "SearchStr", "abc"},
              {"Replace", "Search00", "abc"},
              {"Replace", "Replace00", "x\\ty"},
              {"Replace", "bUplow", "1"}}},
            {32926,
             {{"search", "\\s"}, {"width", "1"}},
             {T("\\s"), N(1), N(0)},
             {{"DeleleStr", "Search00", "\\s"}, {"DeleleStr", "bZenhan", "1"}}},
            {32827,
             {{"start", "あ"}, {"end", "う"}, {"replacement", "-"}},
             {T(Sjis("あ")), T(Sjis("う")), T("-")},
             {{"SReplace", "EndStr", "う"}}},
            {32915,
             {{"start", "A"}, {"startReplacement", "["}, {"end", "C"}, {"endReplacement", "]"}},
             {T("A"), T("["), T("C"), T("]"), T("")},
             {}},
            {32918,
             {{"mode1", "1"},
              {"first1", "1"},
              {"end1", "3"},
              {"second", "1"},
              {"first2", "4"},
              {"end2", "6"},
              {"numeric2", "1"}},
             {N(1), N(1), N(3), N(0), N(0), N(4), N(6), N(1)},
             {{"SortDlg", "Mode1", "1"}, {"SortDlg", "Second", "1"}, {"SortDlg", "Third", "0"}}},
            {32923,
             {{"partial", "1"}, {"first", "0"}, {"last", "3"}},
             {N(1), N(0), N(3), N(0)},
             {{"CDupLineDelDlg", "Keta", "1"}}},
            {32846,
             {{"digits", "1"}, {"alphabet", "1"}, {"asciiSymbols", "1"}},
             {N(0x2C)},
             {{"ZenToHan", "bNum", "1"}, {"ZenToHan", "bHira", "0"}}},
            {32847, {{"katakana", "1"}}, {N(0x02)}, {{"HanToZen", "bKata", "1"}}},
            {32834, {{"@file", output}}, {T(gui::QStringToUtf8(output))}, {}},
            {32949, {{"@file", input}}, {T(gui::QStringToUtf8(input))}, {}},
        };
        for (const auto& row : rows) {
            const QByteArray id = QByteArray::number(row.id);
            TestApp guiApp, qbayApp;
            FakeWorkspace guiSide(guiApp.context), qbaySide(qbayApp.context);
            CQuillbayDoc& shown = guiSide.AddDocument(kLines);
            CQuillbayDoc& scripted = qbaySide.AddDocument(kLines);
            CapturingUi ui(guiApp.context);
            ModalScript script;
            script.Then(Fill(row.fields));
            QCOMPARE(RunViewCommand(row.id, shown, guiSide, ui), CommandOutcome::Done);
            QVERIFY2(ui.returned.size() == 1, id);
            QCOMPARE(Show(ui.returned.front()), Show(row.values));

            qbaySide.dialogAnswers.push_back(row.values);
            RunViewCommand(row.id, scripted, qbaySide, qbaySide);
            QCOMPARE(Texts(LinesOf(shown)), Texts(LinesOf(scripted)));
            QCOMPARE(Texts(guiApp.recorder.lines), Texts(qbayApp.recorder.lines));
            for (const Stored& s : row.stored)
                QCOMPARE(guiApp.settings.ReadString(s.section, s.name, "(none)"),
                         std::string(s.value));
            QCOMPARE(script.Unexpected(), 0);
        }
    }

    // A bad field keeps the dialog open with the message and the focus on that field; the
    // value entered next is the one handed on. First use shows what the empty store gives.
    void BadFieldsAreRefusedAndFocused() {
        const struct {
            CommandId id;
            const char* key;
            const char* shownFirst;  // what a first use shows there
            const char* bad;         // null: OK with what is shown
            const char* message;
            const char* good;
        } cases[] = {
            {32771, "digits", "0", nullptr, "1 から 32767 までの整数を入力してください。", "1"},
            {32770, "column", "0", nullptr, "1 から 32767 までの整数を入力してください。", "5"},
            {32841, "count", "2", "1", "2 から 65535 までの整数を入力してください。", "2"},
            {32905, "width", "8", "-1", "正の整数を入力してください。", "4"},
            {32784, "number", "70", "7O", "整数を入力してください。", "70"},
            {32769, "step", "1", "0", "1 から 32767 までの整数を入力してください。", "2"},
            {32915, "escape", "", "\\\\", "エスケープシーケンス文字は1文字までです。", "\\"},
        };
        for (const auto& c : cases) {
            TestApp app;
            FakeWorkspace side(app.context);
            CQuillbayDoc& doc = side.AddDocument(kLines);
            CapturingUi ui(app.context);
            QString shown, message;
            bool focused = false;
            ModalScript script;
            script.Then([&](QWidget* dialog) {
                shown = Shown(dialog, c.key);
                if (c.bad) Set(dialog, c.key, QString::fromUtf8(c.bad));
                Ok(dialog);  // refused: the message box comes up over the dialog
                QWidget* field = dialog->findChild<QWidget*>(c.key);
                focused =
                    dialog->focusWidget() == field || field->isAncestorOf(dialog->focusWidget());
                Set(dialog, c.key, QString::fromUtf8(c.good));
                Ok(dialog);
            });
            script.Then([&](QWidget* box) {
                message = MessageOf(box);
                Ok(box);
            });
            QCOMPARE(RunViewCommand(c.id, doc, side, ui), CommandOutcome::Done);
            QCOMPARE(shown, QString::fromUtf8(c.shownFirst));
            QCOMPARE(message, QString::fromUtf8(c.message));
            QVERIFY2(focused, c.key);
            QVERIFY(ui.returned.front().has_value());
            QCOMPARE(script.Pending(), 0);
        }
    }

    // Text typed into a dialog that holds characters Shift-JIS lacks goes in as the document's
    // stand-ins, so a replace finds what the document shows and puts in what was typed; only
    // when every stand-in is given out is such a character refused, and then with that reason.
    void TypedCharactersShiftJisLacksBecomeTheDocumentsStandIns() {
        TestApp app;
        FakeWorkspace side(app.context);
        CQuillbayDoc& doc = side.AddDocument({});
        const auto bytes = [](unsigned code) { return std::string{char(code >> 8), char(code)}; };
        const std::string emoji = bytes(doc.StandInsForNewText().CodeFor(U'😀'));
        doc.TakeLines({"a" + emoji + "b"});
        CapturingUi ui(app.context);
        ModalScript script;
        script.Then(
            Fill({{"search", QString::fromUtf8("😀")}, {"replacement", QString::fromUtf8("—🍣")}}));
        QCOMPARE(RunViewCommand(32783, doc, side, ui), CommandOutcome::Done);
        const unsigned sushi = doc.StandIns().Find(U'🍣');
        const unsigned dash = doc.StandIns().Find(U'—');
        QVERIFY(sushi != 0 && dash != 0);
        QCOMPARE(doc.GetLine(0).view(), "a" + bytes(dash) + bytes(sushi) + "b");
        QCOMPARE(qb::gui::DocumentText(&doc).ToQString(doc.GetLine(0).view()),
                 QString::fromUtf8("a—🍣b"));

        // Every code given out: the next new character cannot go in.
        for (char32_t ch = 0x1F000; !doc.StandInsForNewText().Full(); ++ch)
            (void)doc.StandInsForNewText().CodeFor(ch);
        QString message;
        script.Then([](QWidget* dialog) {
            Set(dialog, "search", QString::fromUtf8("x𠮷"));
            Ok(dialog);
            Cancel(dialog);
        });
        script.Then([&](QWidget* box) {
            message = MessageOf(box);
            Ok(box);
        });
        QCOMPARE(RunViewCommand(32783, doc, side, ui), CommandOutcome::Cancelled);
        QVERIFY2(message.startsWith(QString::fromUtf8("「𠮷」はシフトJISになく")),
                 qPrintable(message));
        QCOMPARE(script.Pending(), 0);
    }

    // While a macro is recorded, values holding a stand-in are refused with the reason: the
    // line would replay as other characters in another document. Others go through.
    void ValuesWithStandInsAreNotRecorded() {
        TestApp app;
        FakeWorkspace side(app.context);
        CQuillbayDoc& doc = side.AddDocument(SjisLines({"abc"}));
        CapturingUi ui(app.context);
        ui.SetRecording(true);
        QString message;
        ModalScript script;
        script.Then(
            Fill({{"search", QString::fromUtf8("b")}, {"replacement", QString::fromUtf8("😀")}}));
        script.Then([&](QWidget* box) {
            message = MessageOf(box);
            Ok(box);
        });
        QCOMPARE(RunViewCommand(32783, doc, side, ui), CommandOutcome::Cancelled);
        QCOMPARE(doc.GetLine(0).view(), "abc");
        QVERIFY2(
            message.startsWith(QString::fromUtf8("「😀」はシフトJISにない文字のため、マクロに")),
            qPrintable(message));
        script.Then(
            Fill({{"search", QString::fromUtf8("b")}, {"replacement", QString::fromUtf8("x")}}));
        QCOMPARE(RunViewCommand(32783, doc, side, ui), CommandOutcome::Done);
        QCOMPARE(doc.GetLine(0).view(), "axc");
        QCOMPARE(script.Pending(), 0);
    }

    // A stand-in stored in the settings would come back in another document as another
    // character: texts holding one stay out of the remembered values and the histories.
    void TextsWithStandInsAreNotRemembered() {
        TestApp app;
        FakeWorkspace side(app.context);
        CQuillbayDoc& doc = side.AddDocument(SjisLines({"abc"}));
        CapturingUi ui(app.context);
        ModalScript script;
        script.Then(Fill({{"search", "b"}, {"replacement", "x"}}));
        QCOMPARE(RunViewCommand(32783, doc, side, ui), CommandOutcome::Done);
        script.Then(Fill({{"search", "x"}, {"replacement", QString::fromUtf8("😀")}}));
        QCOMPARE(RunViewCommand(32783, doc, side, ui), CommandOutcome::Done);
        QVERIFY(doc.StandIns().Find(U'😀') != 0);
        const std::pair<const char*, const char*> stored[] = {
            {"RepStr", "x"}, {"Replace00", "x"}, {"Search00", "x"}, {"Search01", "b"}};
        for (const auto& [name, value] : stored)
            QCOMPARE(app.settings.ReadString("Replace", name, "-"), std::string(value));
        script.Then(Fill({{"search", QString::fromUtf8("😀")}}));
        QCOMPARE(RunViewCommand(32926, doc, side, ui), CommandOutcome::Done);
        QCOMPARE(app.settings.ReadString("DeleleStr", "Search00", "-"), std::string("-"));
        QCOMPARE(app.settings.ReadString("DeleleStr", "SearchStr", "-"), std::string("-"));
        QCOMPARE(script.Pending(), 0);
    }

    // Cancel: no values, no operation, no macro line, nothing written to the settings file.
    void CancelChangesAndStoresNothing() {
        TempDir dir;
        const std::string path = dir.File("settings.ini");
        FakeHost host;
        SettingsStore settings(path);
        FakeRecorder recorder;
        AppContext app{host, settings, &recorder};
        FakeWorkspace side(app);
        CQuillbayDoc& doc = side.AddDocument(kLines);
        doc.Target().lastLine = 1;  // one target line, so that inserting a line asks too
        CapturingUi ui(app);
        int dialogs = 0;
        std::set<CommandDialog> kinds;
        for (const CommandInfo& row : AllCommands()) {
            if (row.owner != CommandOwner::View || row.dialog == CommandDialog::None) continue;
            ModalScript script;
            script.Then([](QWidget* dialog) {
                for (auto* edit : dialog->findChildren<QLineEdit*>())
                    edit->setText(QStringLiteral("9"));
                static_cast<QDialog*>(dialog)->reject();
            });
            QCOMPARE(RunViewCommand(row.id, doc, side, ui), CommandOutcome::Cancelled);
            QVERIFY2(!ui.returned.back(), QByteArray::number(row.id));
            ++dialogs;
            kinds.insert(row.dialog);
        }
        QCOMPARE(dialogs, static_cast<int>(ui.returned.size()));
        QCOMPARE(kinds.size(), std::size_t(CommandDialog::OpenFile));  // every kind but None
        QVERIFY(!QFile::exists(QString::fromStdString(path)));
        QVERIFY(recorder.lines.empty());
        QVERIFY(!doc.CanUndo());
        QCOMPARE(Texts(LinesOf(doc)), Texts(kLines));
    }

    // The one-value dialogs were titled "Quillbay", and a remembered value came back with the
    // cursor at its start, so that typing a new value was added to the old one. A label's
    // mnemonic must lead to its field.
    void EveryDialogNamesItsCommandAndSelectsItsFilledTexts() {
        TestApp app;
        app.settings.WriteInt("Turn", "No", 72);
        FakeWorkspace side(app.context);
        CQuillbayDoc& doc = side.AddDocument(kLines);
        doc.Target().lastLine = 1;
        CapturingUi ui(app.context);
        QStringList faults;
        QString turnTitle, turnSelected;
        for (const CommandInfo& row : AllCommands()) {
            if (row.owner != CommandOwner::View || row.dialog == CommandDialog::None) continue;
            ModalScript script;
            script.Then([&](QWidget* dialog) {
                // The first field takes the focus once the dialog is active, which on a busy
                // machine may come after the dialog is shown.
                dialog->activateWindow();
                (void)QTest::qWaitFor(
                    [dialog] {
                        QWidget* focus = QApplication::focusWidget();
                        return focus && dialog->isAncestorOf(focus);
                    },
                    2000);
                const QString title = dialog->windowTitle();
                if (title.isEmpty() || title == QStringLiteral("Quillbay") || title.contains('&'))
                    faults << QStringLiteral("%1: title '%2'").arg(row.id).arg(title);
                auto* first = qobject_cast<QLineEdit*>(QApplication::focusWidget());
                if (first && first->selectedText() != first->text())
                    faults
                        << QStringLiteral("%1: '%2' not selected").arg(row.id).arg(first->text());
                for (auto* label : dialog->findChildren<QLabel*>())
                    if (label->text().contains(QStringLiteral("(&")) && !label->buddy())
                        faults << QStringLiteral("%1: '%2' leads nowhere")
                                      .arg(row.id)
                                      .arg(label->text());
                if (row.id == kCommandTurnChange) {
                    turnTitle = title;
                    turnSelected = first ? first->selectedText() : QString();
                }
                static_cast<QDialog*>(dialog)->reject();
            });
            (void)RunViewCommand(row.id, doc, side, ui);
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
        QCOMPARE(turnTitle, QStringLiteral("折り返し"));
        QCOMPARE(turnSelected, QStringLiteral("72"));
    }

    void ChecksEnableTheControlsTheyGovern() {
        TestApp app;
        FakeWorkspace side(app.context);
        CQuillbayDoc& doc = side.AddDocument(kLines);
        CapturingUi ui(app.context);
        ModalScript script;
        QStringList seen;  // "key=enabled" after each click
        const auto note = [&](QWidget* d, std::initializer_list<const char*> keys) {
            QString line;
            for (const char* key : keys)
                line += QString::fromLatin1(key) + (Enabled(d, key) ? "+ " : "- ");
            seen << line.trimmed();
        };
        script.Then([&](QWidget* d) {  // 置換
            Set(d, "regExp", "1");
            note(d, {"width", "case", "kana"});
            Set(d, "regExp", "0");
            note(d, {"width", "case", "kana"});
            Cancel(d);
        });
        script.Then([&](QWidget* d) {  // 整列
            note(d, {"mode2", "third", "first3"});
            Set(d, "second", "1");
            note(d, {"mode2", "third", "first3"});
            Set(d, "third", "1");
            note(d, {"end3", "numeric3"});
            Set(d, "second", "0");  // clears the third key too
            note(d, {"end2", "third", "end3"});
            seen << Shown(d, "third");
            Cancel(d);
        });
        script.Then([&](QWidget* d) {  // 重複行削除
            note(d, {"first", "last"});
            Set(d, "partial", "1");
            note(d, {"first", "last", "sorted"});
            Cancel(d);
        });
        for (CommandId id : {32783, 32918, 32923})
            RunViewCommand(id, doc, side, ui);
        QCOMPARE(seen,
                 (QStringList{"width- case+ kana-", "width+ case+ kana+", "mode2- third- first3-",
                              "mode2+ third+ first3-", "end3+ numeric3+", "end2- third- end3-", "0",
                              "first- last-", "first+ last+ sorted+"}));
    }

    void HistoriesOfferTheRememberedTextsAndKeepTheirOrder() {
        TestApp app;
        FakeWorkspace side(app.context);
        CQuillbayDoc& doc = side.AddDocument(kLines);
        CapturingUi ui(app.context);
        for (const char* name : {"Search00", "Search01", "Search02"})
            app.settings.WriteString("Replace", name, std::string("s") + name[7]);
        app.settings.WriteString("DeleleStr", "Search00", "x");
        app.settings.WriteString("DeleleStr", "Search01", "y");
        app.settings.WriteString("DeleleStr", "SearchStr", "z");  // the last text deleted
        QStringList offered;
        const auto items = [&](QWidget* d, const char* key) {
            auto* combo = d->findChild<QComboBox*>(key);
            QStringList list;
            for (int i = 0; i < combo->count(); ++i)
                list << combo->itemText(i);
            offered << combo->currentText() + ": " + list.join(',');
        };
        ModalScript script;
        script.Then([&](QWidget* d) {
            items(d, "search");
            Set(d, "search", "s2");  // the third entry
            Set(d, "replacement", "r");
            Ok(d);
        });
        script.Then([&](QWidget* d) {
            items(d, "search");
            Set(d, "search", "y");
            Ok(d);
        });
        RunViewCommand(32783, doc, side, ui);
        RunViewCommand(32926, doc, side, ui);
        QCOMPARE(offered, (QStringList{"s0: s0,s1,s2", "z: x,y"}));
        std::string replace, delStr;
        for (const char* name : {"Search00", "Search01", "Search02"}) {
            replace += app.settings.ReadString("Replace", name, "-");
            delStr += app.settings.ReadString("DeleleStr", name, "-");
        }
        QCOMPARE(replace, std::string("s2s0s1"));
        QCOMPARE(delStr, std::string("yxy"));
        QCOMPARE(app.settings.ReadString("Replace", "Replace00", "-"), std::string("r"));
    }

    void MultiFileReplaceEndsWithItsReport() {
        TempDir dir;
        dir.Write("a.txt", "abc ABC\r\n");
        dir.Write("b.txt", "none\r\n");
        TestApp app;
        FakeWorkspace side(app.context);
        CQuillbayDoc& doc = side.AddDocument(kLines);
        CapturingUi ui(app.context);
        QString folderShown, patternShown, report;
        ModalScript script;
        script.Then([&](QWidget* d) {
            folderShown = Shown(d, "folder");
            patternShown = Shown(d, "pattern");
            Set(d, "folder", QString::fromStdString(dir.Path()));
            Set(d, "find", "abc");
            Set(d, "replacement", "x");
            Ok(d);
        });
        script.Then([&](QWidget* d) {
            report =
                d->windowTitle() + ' ' + Shown(d, "filesChanged") + ' ' + Shown(d, "replacements");
            Ok(d);
        });
        QCOMPARE(RunViewCommand(32851, doc, side, ui), CommandOutcome::Done);
        QCOMPARE(folderShown, QDir::toNativeSeparators(QDir::currentPath()));
        QCOMPARE(patternShown, QStringLiteral("*.txt"));
        QCOMPARE(report, QStringLiteral("置換終了 1 2"));
        QCOMPARE(dir.Read("a.txt"), std::string("x x\r\n"));
        QCOMPARE(app.settings.ReadString("MultiReplace", "Dir", ""), dir.Path());
    }
};

QTEST_MAIN(CommandUiTest)
#include "command_ui_test.moc"
