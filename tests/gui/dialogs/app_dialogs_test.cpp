// The dialogs the main window opens itself: settings with the kinsoku rules, the editor, the
// character count, the code detection, the text editor and the run over several files.
#include <QAbstractTextDocumentLayout>
#include <QFileDialog>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QtTest>

#include "app/gui/common/qt_text.h"
#include "app/gui/dialogs/app_dialogs.h"
#include "app/gui/dialogs/input_dialogs.h"
#include "tests/gui/dialogs/modal_script.h"
#include "tests/macro/macro_fixture.h"
#include "tests/support/sjis_literal.h"
#include "tests/support/temp_dir.h"

using namespace qb;
using namespace qb::gui;
using namespace qb::test;

namespace {

QString Read(const SettingsStore& settings, const char* section, const char* name) {
    return QString::fromStdString(settings.ReadString(section, name, "-"));
}

QString ShownAll(QWidget* dialog, std::initializer_list<const char*> keys) {
    QStringList shown;
    for (const char* key : keys)
        shown << QString::fromLatin1(key) + '=' + Shown(dialog, key);
    return shown.join(' ');
}

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

void Click(QWidget* dialog, const char* button) {
    dialog->findChild<QPushButton*>(QString::fromLatin1(button))->click();
}

}  // namespace

class AppDialogsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The kinsoku dialog writes on its own OK, the settings dialog only on its OK.
    void SettingsAreWrittenOnlyByTheDialogConfirmed() {
        TestApp app;
        QString first, kinsoku;
        ModalScript script;
        script.Then([&](QWidget* d) {
            first = ShownAll(
                d, {"kana", "jis", "verify", "auto", "lineEnd", "macroDir", "updateCheck"});
            Set(d, "kana", "2");
            Click(d, "kinsoku");
            Cancel(d);
        });
        script.Then([&](QWidget* d) {
            kinsoku = ShownAll(d, {"hanging", "pushOut", "tagRule", "english"});
            Set(d, "hanging", "0");
            kinsoku += Enabled(d, "lineStart") ? " start+" : " start-";
            Set(d, "lineEnd", "（");
            Set(d, "english", "2");
            Ok(d);
        });
        QVERIFY(!ShowSettingsDialog(nullptr, app.context));
        QCOMPARE(first, U("kana=0 jis=1 verify=1 auto=1 lineEnd=0 macroDir= updateCheck=0"));
        QCOMPARE(kinsoku, U("hanging=1 pushOut=1 tagRule=1 english=1 start-"));
        QCOMPARE(Read(app.settings, "Jis", "Kana"), U("-"));
        QCOMPARE(Read(app.settings, "Print", "bKinFirst"), U("0"));
        QCOMPARE(Read(app.settings, "Print", "KinsokuLast"), U("（"));
        QCOMPARE(Read(app.settings, "Turn", "English"), U("2"));
        QVERIFY(app.context.kinsoku && !app.context.kinsoku->hanging);
        QCOMPARE(app.context.kinsoku->lineEnd, Sjis("（"));

        script.Then([&](QWidget* d) {
            for (auto [key, value] : {std::pair{"kana", "2"},
                                      {"jis", "3"},
                                      {"verify", "0"},
                                      {"lineEnd", "2"},
                                      {"macroDir", "/m"},
                                      {"updateCheck", "3"}})
                Set(d, key, value);
            Ok(d);
        });
        QVERIFY(ShowSettingsDialog(nullptr, app.context));
        QStringList stored;
        for (auto [section, name] : {std::pair{"Jis", "Kana"},
                                     {"Jis", "Jis"},
                                     {"System", "Verify"},
                                     {"System", "Auto"},
                                     {"System", "CrLf"},
                                     {"Macro", "Dir"},
                                     {"Update", "CheckMode"}})
            stored << Read(app.settings, section, name);
        QCOMPARE(stored, (QStringList{"2", "3", "0", "1", "2", "/m", "3"}));
        QCOMPARE(script.Unexpected(), 0);
    }

    // Line ends 0 keep the file's own, and the code kept on Save is a setting of its own that
    // is on until the user turns it off.
    void LineEndsZeroNamesTheFilesOwnAndKeepCodeIsStored() {
        TestApp app;
        QString firstEntry, keepCode;
        ModalScript script;
        script.Then([&](QWidget* d) {
            firstEntry = d->findChild<QComboBox*>(QStringLiteral("lineEnd"))->itemText(0);
            keepCode = Shown(d, "keepCode");
            Set(d, "keepCode", "0");
            Ok(d);
        });
        QVERIFY(ShowSettingsDialog(nullptr, app.context));
        QCOMPARE(firstEntry, U("ファイルのまま"));
        QCOMPARE(keepCode, U("1"));
        QCOMPARE(Read(app.settings, "System", "KeepCode"), U("0"));
        QCOMPARE(Read(app.settings, "System", "CrLf"), U("0"));
        QCOMPARE(script.Unexpected(), 0);
    }

    void EditorDialogKeepsTheEditorProgram() {
        TestApp app;
        QString shown;
        ModalScript script;
        script.Then([&](QWidget* d) {
            shown = Shown(d, "editor");
            Set(d, "editor", "/usr/bin/vi");
            Ok(d);
        });
        QVERIFY(ShowEditorDialog(nullptr, app.settings));
        QCOMPARE(shown, U("notepad.exe"));
        QCOMPARE(Read(app.settings, "System", "Editor"), U("/usr/bin/vi"));
    }

    void CountAndCodeDetectionShowTheDocument() {
        TestApp app;
        FakeWorkspace side(app.context);
        // One kanji, two hiragana, three katakana, four letters, five digits, six symbols.
        CQuillbayDoc& doc = side.AddDocument({Sjis("漢かなカナカabcd12345 !!!,.")});
        QString count, code;
        ModalScript script;
        script.Then([&](QWidget* d) {
            count =
                d->windowTitle() + ' ' +
                ShownAll(d, {"total", "kanji", "kanjiPercent", "hiragana", "katakana", "letters",
                             "digits", "symbols", "symbolsPercent", "words", "size"});
            Ok(d);
        });
        script.Then([&](QWidget* d) {
            code = d->windowTitle() + ' ' + Shown(d, "code");
            Ok(d);
        });
        ShowCharacterCount(nullptr, doc);
        ShowCodeDetection(nullptr, side.AddDocument({"\x1b$B$3$s\x1b(B"}));
        QCOMPARE(count, U("文字数のカウント total=21 kanji=1 kanjiPercent=4% hiragana=2 "
                          "katakana=3 letters=4 digits=5 symbols=6 symbolsPercent=28% words=1 "
                          "size=29 バイト"));
        QCOMPARE(code, U("コード判定 1"));

        doc.Target().invert = true;  // no target line: the document says so, no dialog
        ShowCharacterCount(nullptr, doc);
        QCOMPARE(app.host.messages.back(),
                 std::string("行が選択されていません。カウントする行を選択してください"));
        QCOMPARE(script.Unexpected(), 0);
    }

    // Bytes that are no character show as "・"; text handed back unchanged keeps them.
    void EditedTextKeepsTheBytesItCouldNotShow() {
        const std::string text = "a\x82\r\nb\r\n";
        const struct {
            const char* from;
            const char* to;
            std::optional<std::string> result;
        } cases[] = {
            {nullptr, nullptr, text},
            {"b", "c", std::string("a\x82\r\nc\r\n")},  // the other line keeps its byte
            {"b", "d\ne", std::string("a\x82\r\nd\r\ne\r\n")},
            {"b", "😀", std::nullopt},  // refused, then cancelled
        };
        for (const auto& c : cases) {
            QString message;
            ModalScript script;
            script.Then([&](QWidget* d) {
                auto* edit = d->findChild<QPlainTextEdit*>("text");
                if (c.from)
                    edit->setPlainText(
                        edit->toPlainText().replace(c.from, QString::fromUtf8(c.to)));
                Ok(d);
                if (d->isVisible()) Cancel(d);
            });
            script.Then([&](QWidget* box) {
                message = MessageOf(box);
                Ok(box);
            });
            const auto result = EditTextDialog(nullptr, "テキスト編集", text);
            QCOMPARE(result.has_value(), c.result.has_value());
            if (result) QCOMPARE(Show(*result), Show(*c.result));
            QCOMPARE(message.isEmpty(), c.result.has_value());
        }

        // One line: kept as it was, and a line longer than a line edit's usual limit is
        // neither cut when shown nor when edited.
        const std::string longLine(40000, 'a');
        const struct {
            std::string line;
            const char* typed;
            std::string result;
        } lines[] = {
            {"x\x82", nullptr, "x\x82"},
            {longLine, nullptr, longLine},
            {longLine, "b", longLine + "b"},
        };
        for (const auto& c : lines) {
            ModalScript script;
            script.Then([&](QWidget* d) {
                auto* edit = d->findChild<QLineEdit*>("text");
                edit->end(false);
                if (c.typed) edit->insert(c.typed);
                Ok(d);
            });
            CLineEditDlg line(c.line, nullptr);
            QCOMPARE(line.exec(), int(QDialog::Accepted));
            QCOMPARE(line.Result().front().text.size(), c.result.size());
            QCOMPARE(Show(line.Result().front().text), Show(c.result));
        }
    }

    // A line of 400 characters was edited in one row 40 characters wide: it is now a box of
    // several rows that wraps it, Enter is still OK, and a pasted line break is refused.
    void AParagraphIsEditedInRowsAndEnterIsOk() {
        std::string paragraph;
        for (int i = 0; i < 40; ++i)
            paragraph += Sjis("春の朝、川沿いの道。");
        int rows = 0;
        QString refusal;
        ModalScript script;
        script.Then([&](QWidget* d) {
            auto* box = d->findChild<QPlainTextEdit*>("paragraph");
            QVERIFY(box && box->isVisible());
            box->moveCursor(QTextCursor::End);
            rows = box->document()->documentLayout()->documentSize().height();
            box->insertPlainText(QStringLiteral("\n次"));
            QTest::keyClick(box, Qt::Key_Return);  // refused: the box holds a line break
            box->undo();
            box->insertPlainText(QStringLiteral("終"));
            QTest::keyClick(box, Qt::Key_Return);
        });
        script.Then([&](QWidget* box) {
            refusal = MessageOf(box);
            static_cast<QDialog*>(box)->accept();
        });
        CLineEditDlg line(paragraph, nullptr);
        QCOMPARE(line.exec(), int(QDialog::Accepted));
        QVERIFY2(rows > 3, qPrintable(QString::number(rows)));
        QVERIFY2(refusal.contains(QStringLiteral("改行")), qPrintable(refusal));
        QCOMPARE(Show(line.Result().front().text), Show(paragraph + Sjis("終")));
    }

    void MacroOverFilesCollectsTheFilesAndTheEndMode() {
        TempDir dir;
        const QString folder = QString::fromStdString(dir.Path());
        for (const char* name : {"f1.txt", "f2.txt", "f3.txt"})
            dir.Write(name, "x\r\n");
        TestApp app;
        QString shown, question;
        ModalScript script;
        script.Then([&](QWidget* d) {
            shown = ShownAll(d, {"macro", "endMode"});
            Set(d, "macro", "/m.qmc");
            Click(d, "addFiles");
            d->findChild<QListWidget*>("files")->setCurrentRow(1);
            Click(d, "removeFile");  // answered Cancel
            Click(d, "removeFile");  // answered OK
            shown += ' ' + QString::number(d->findChild<QListWidget*>("files")->currentRow());
            Set(d, "endMode", "2");
            Ok(d);
        });
        script.Then([&](QWidget* files) {
            auto* dialog = static_cast<QFileDialog*>(files);
            dialog->setDirectory(folder);
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(R"("f1.txt" "f2.txt" "f3.txt")");
            static_cast<QDialog*>(dialog)->accept();
        });
        script.Then([&](QWidget* box) {
            question = MessageOf(box);
            static_cast<QMessageBox*>(box)->button(QMessageBox::Cancel)->click();
        });
        script.Then([&](QWidget* box) { Ok(box); });
        const auto request = AskMacroOverFiles(nullptr, app.settings);
        QVERIFY(request);
        QCOMPARE(shown, U("macro= endMode=0 1"));
        QCOMPARE(question, folder + U("/f2.txt を削除しますか？"));
        QCOMPARE(request->macroPath, std::string("/m.qmc"));
        QCOMPARE(request->files,
                 (std::vector<std::string>{dir.File("f1.txt"), dir.File("f3.txt")}));
        QCOMPARE(request->endMode, MacroEndMode::SaveAndClose);
        QCOMPARE(Read(app.settings, "MacroExe", "MaroName"), U("/m.qmc"));
        QCOMPARE(Read(app.settings, "MacroExe", "EndMode"), U("2"));
    }
};

QTEST_MAIN(AppDialogsTest)
#include "app_dialogs_test.moc"
