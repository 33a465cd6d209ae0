// Today's files in the window: the status bar names the file's code and line ends, Save As
// writes the code and line ends chosen, and the clipboard carries the characters Shift-JIS lacks
// as themselves.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QtTest>

#include "app/gui/dialogs/save_form_box.h"
#include "app/gui/main/gui_host.h"
#include "app/gui/main/main_frame.h"
#include "core/quillbay_doc.h"
#include "macro/command_table.h"
#include "macro/macro_controller.h"
#include "macro/macro_recorder.h"
#include "settings/settings_store.h"
#include "tests/gui/dialogs/modal_script.h"
#include "tests/gui/support/frame_run.h"
#include "tests/gui/support/recording_host.h"
#include "tests/support/sjis_literal.h"
#include "tests/support/temp_dir.h"

using namespace qb;
using namespace qb::gui;

namespace {

using Run = test::FrameRun;

constexpr CommandId kSjisToUtf8 = 32940;
// "メモ — 😀 𠮷\n2行目\n" in UTF-8 with LF line ends.
constexpr char kMemo[] =
    "\xE3\x83\xA1\xE3\x83\xA2 \xE2\x80\x94 \xF0\x9F\x98\x80 \xF0\xA0\xAE\xB7\n"
    "2\xE8\xA1\x8C\xE7\x9B\xAE\n";

QString Pane(const Run& run) {
    return run.frame.findChild<QLabel*>(QStringLiteral("FormPane"))->text();
}

}  // namespace

class FileFormWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The pane follows the active window, and says when Save writes a command's bytes as they
    // stand rather than in the file's form.
    void FormPaneNamesTheActiveDocumentsCodeAndLineEnds() {
        test::TempDir dir;
        Run run(dir.File("settings.ini"));
        QVERIFY(run.frame.OpenDocument(dir.Write("memo.txt", kMemo)));
        QCOMPARE(Pane(run), QStringLiteral("UTF-8 LF"));
        QCOMPARE(run.frame.findChild<QLabel*>(QStringLiteral("FormPane"))->toolTip(),
                 QString::fromUtf8("文字コードと改行"));
        QVERIFY(run.frame.OpenDocument(dir.Write("old.txt", test::Sjis("旧\r\n"))));
        QCOMPARE(Pane(run), QStringLiteral("Shift-JIS CRLF"));
        auto* area = run.frame.findChild<QMdiArea*>();
        area->activatePreviousSubWindow();
        QCOMPARE(Pane(run), QStringLiteral("UTF-8 LF"));
        area->activateNextSubWindow();
        run.frame.RunCommand(kSjisToUtf8);
        QVERIFY(run.frame.ActiveDocument()->BytesFinal());
        QCOMPARE(Pane(run), QString::fromUtf8("Shift-JIS CRLF (変換済みのバイト列)"));
        run.frame.CloseAllWindows();
        QCOMPARE(Pane(run), QString());
    }

    // Save As starts from the form Save would write and writes the one chosen, which the
    // document then keeps; the macro line records it so that a replay writes the same bytes.
    void SaveAsWritesTheChosenCodeAndLineEnds() {
        test::TempDir dir;
        Run run(dir.File("settings.ini"));
        QVERIFY(run.frame.OpenDocument(dir.Write("memo.txt", kMemo)));
        QVERIFY(run.frame.Macros().Recorder().Start(dir.File("rec.qmc")));
        const struct {
            const char* name;
            const char* code;
            LineEnd lineEnd;
            std::string bytes;
            const char* pane;
        } cases[] = {
            {"be.txt", "UTF-16BE", LineEnd::Cr,
             std::string("\xFE\xFF\x00"
                         "a\x00\x0D\x00"
                         "b\x00\x0D",
                         10),
             "UTF-16BE CR"},
            {"sjis.txt", "Shift-JIS", LineEnd::CrLf, "a\r\nb\r\n", "Shift-JIS CRLF"},
            {"bom.txt", "UTF-8 BOM", LineEnd::Lf,
             "\xEF\xBB\xBF"
             "a\nb\n",
             "UTF-8 BOM LF"},
        };
        CQuillbayDoc& doc = *run.frame.ActiveDocument();
        doc.TakeLines({"a", "b"});
        FileForm previous = doc.SaveForm();
        for (const auto& c : cases) {
            run.host.savePath = dir.File(c.name);
            run.host.saveForm = FormWithCode(doc.SaveForm(), c.code, c.lineEnd);
            run.frame.RunCommand(kCommandSaveAs);
            QCOMPARE(run.host.savePresets.back(), previous);
            QCOMPARE(dir.Read(c.name), c.bytes);
            QCOMPARE(Pane(run), QString::fromLatin1(c.pane));
            previous = doc.SaveForm();
        }
        run.frame.Macros().Recorder().Stop();
        const std::string recorded = dir.Read("rec.qmc");
        QVERIFY2(recorded.find("be.txt utf16be CR\r\n") != std::string::npos, recorded.c_str());
        QVERIFY2(recorded.find("bom.txt utf8bom LF\r\n") != std::string::npos, recorded.c_str());
    }

    // The two lists of the save dialog show the preset and give the form chosen; a JIS text
    // keeps how it wrote its mode changes only while it stays JIS.
    void SaveFormBoxShowsThePresetAndGivesTheChoice() {
        FileForm jis;
        jis.code = FileCode::Jis;
        jis.lineEnd = LineEnd::Lf;
        jis.jis.kanjiDesignation = 0;
        SaveFormBox box(jis);
        auto* code = box.findChild<QComboBox*>(QStringLiteral("code"));
        auto* lineEnd = box.findChild<QComboBox*>(QStringLiteral("lineEnd"));
        QCOMPARE(code->currentText(), QStringLiteral("JIS"));
        QCOMPARE(lineEnd->currentText(), QStringLiteral("LF"));
        QCOMPARE(code->count(), 7);
        lineEnd->setCurrentText(QStringLiteral("CR"));
        QCOMPARE(box.Chosen().jis.kanjiDesignation, 0);
        QCOMPARE(box.Chosen().lineEnd, LineEnd::Cr);
        code->setCurrentText(QStringLiteral("UTF-16LE"));
        const FileForm chosen = box.Chosen();
        QCOMPARE(FileFormName(chosen), std::string("UTF-16LE CR"));
        QVERIFY(chosen.byteOrderMark);
        QCOMPARE(chosen.jis.kanjiDesignation, -1);
    }

    // The real save dialog carries the two lists under the file name.
    void SaveDialogHandsBackThePathAndTheForm() {
        test::TempDir dir;
        GuiHost host;
        FileForm utf8;
        utf8.code = FileCode::Utf8;
        utf8.lineEnd = LineEnd::Lf;
        test::ModalScript script;
        script.Then([&](QWidget* window) {
            auto* dialog = qobject_cast<QFileDialog*>(window);
            QVERIFY(dialog);
            dialog->setDirectory(QString::fromStdString(dir.Path()));
            dialog->findChild<QComboBox*>(QStringLiteral("code"))
                ->setCurrentText(QStringLiteral("EUC-JP"));
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(QStringLiteral("out.txt"));
            static_cast<QDialog*>(dialog)->accept();
        });
        const auto choice =
            host.ChooseSaveFileAndForm(QStringLiteral("t"), QString(), QString(), QString(), utf8);
        QVERIFY(choice);
        QCOMPARE(choice->path, dir.File("out.txt"));
        QCOMPARE(FileFormName(choice->form), std::string("EUC-JP LF"));
    }

    // Copying gives the characters Shift-JIS lacks as themselves; pasting takes them in as the
    // document's stand-ins, and saving writes them back.
    void ClipboardCarriesTheRealCharacters() {
        test::TempDir dir;
        Run run(dir.File("settings.ini"));
        const std::string memo = dir.Write("memo.txt", kMemo);
        QVERIFY(run.frame.OpenDocument(memo));
        run.frame.RunCommand(kCommandCopy);
        QCOMPARE(QApplication::clipboard()->text(), QString::fromUtf8(kMemo));

        // Pasted side by side onto the first line.
        QApplication::clipboard()->setText(QString::fromUtf8("🍣〜\n"));
        run.frame.RunCommand(kCommandPastePlus);
        run.frame.RunCommand(kCommandSave);
        QCOMPARE(QString::fromUtf8(dir.Read("memo.txt")),
                 QString::fromUtf8("メモ — 😀 𠮷🍣〜\n2行目\n"));

        // A new document from the clipboard takes stand-ins of its own.
        QApplication::clipboard()->setText(QString::fromUtf8("𠮷野家\n"));
        run.frame.RunCommand(kCommandPaste);
        CQuillbayDoc& pasted = *run.frame.ActiveDocument();
        QVERIFY(pasted.PathName().empty());
        QVERIFY(pasted.StandIns().Find(U'𠮷') != 0);
        run.frame.RunCommand(kCommandCopy);
        QCOMPARE(QApplication::clipboard()->text(), QString::fromUtf8("𠮷野家\n"));
    }
};

QTEST_MAIN(FileFormWindowTest)
#include "file_form_window_test.moc"
