// Macros in the main window: recording from the menu and replaying what was recorded in qbay,
// running a macro, running one over several files with each end mode, and stopping the work
// that goes file by file between two files.
#include <QAction>
#include <QFileDialog>
#include <QListWidget>
#include <QMenuBar>
#include <QProcess>
#include <QProgressDialog>
#include <QtTest>
#include <filesystem>

#include "app/gui/common/qt_text.h"
#include "app/gui/main/gui_host.h"
#include "app/gui/main/main_frame.h"
#include "core/quillbay_doc.h"
#include "macro/macro_controller.h"
#include "macro/macro_recorder.h"
#include "settings/settings_store.h"
#include "tests/gui/dialogs/modal_script.h"
#include "tests/support/sjis_literal.h"
#include "tests/support/temp_dir.h"

using namespace qb;
using namespace qb::gui;
using namespace qb::test;

namespace {

class QuietHost : public GuiHost {
public:
    SaveAnswer AskSaveChanges(const QString&) override { return SaveAnswer::No; }
    void ShowWarning(const QString&) override {}
};

struct Program {
    explicit Program(const std::string& settingsPath)
        : settings(settingsPath), frame(host, settings) {}
    QuietHost host;
    SettingsStore settings;
    CMainFrame frame;

    // The command's item on the menu bar shown now.
    QAction* Item(CommandId id) {
        for (QAction* action : frame.ActionsFor(id))
            for (QObject* owner : action->associatedObjects())
                if (auto* menu = qobject_cast<QMenu*>(owner);
                    menu && frame.menuBar()->actions().contains(menu->menuAction()))
                    return action;
        for (QAction* action : frame.ActionsFor(id))  // in a submenu
            if (qobject_cast<QMenu*>(action->parent())) return action;
        return nullptr;
    }
    void Choose(CommandId id) {
        QAction* item = Item(id);
        QVERIFY2(item && item->isEnabled(), QByteArray::number(id));
        item->trigger();
    }
};

// Chooses `path` in the file dialog that came up, after noting its title.
ModalScript::Step PickFile(QString path, QStringList& seen) {
    return [path, &seen](QWidget* window) {
        seen << window->windowTitle();
        auto* dialog = qobject_cast<QFileDialog*>(window);
        QVERIFY(dialog);
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
    };
}

// OK to a message box or a dialog, after noting its text or title.
ModalScript::Step Note(QStringList& seen) {
    return [&seen](QWidget* window) {
        seen << (qobject_cast<QMessageBox*>(window) ? MessageOf(window) : window->windowTitle());
        Ok(window);
    };
}

ModalScript::Step Fill(std::vector<std::pair<const char*, QString>> fields) {
    return [fields](QWidget* dialog) {
        for (const auto& [key, value] : fields)
            Set(dialog, key, value);
        Ok(dialog);
    };
}

// Fills "指定ファイルにマクロを適用" with `macro`, the files (chosen in its file dialog from
// `folder`) and the end mode.
void AskOverFiles(ModalScript& script, QString macro, QString folder, QString names, int endMode) {
    script.Then([=](QWidget* dialog) {
        Set(dialog, "macro", macro);
        dialog->findChild<QPushButton*>("addFiles")->click();
        Set(dialog, "endMode", QString::number(endMode));
        Ok(dialog);
    });
    script.Then([=](QWidget* window) {
        auto* files = static_cast<QFileDialog*>(window);
        files->setDirectory(folder);
        files->findChild<QLineEdit*>("fileNameEdit")->setText(names);
        static_cast<QDialog*>(files)->accept();
    });
}

QProgressDialog* ProgressOf(CMainFrame& frame) {
    return frame.findChild<QProgressDialog*>(QStringLiteral("fileProgress"));
}

const char* const kText = "　羅生門\r\nａｂｃ ABC\r\n";

}  // namespace

class MacroWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Two commands give two CR LF lines in their order, a cancelled dialog and a refused run
    // none; qbay replays the file to the bytes the window saved.
    void RecordedInTheWindowReplaysInQbay() {
        const QString qbay = qEnvironmentVariable("QB_QBAY");
        QVERIFY2(!qbay.isEmpty(), "QB_QBAY names the qbay program");
        TempDir dir;
        const std::string a = dir.Write("a.txt", Sjis(kText));
        const std::string b = dir.Write("b.txt", Sjis(kText));
        const std::string macro = dir.File("rec.qmc");
        Program program(dir.File("settings.ini"));
        QVERIFY(program.frame.OpenDocument(a));
        QStringList seen;
        ModalScript script;
        script.Then(PickFile(QString::fromStdString(macro), seen));
        program.Choose(32837);
        QVERIFY(program.Item(32837)->isChecked());

        script.Then(Note(seen));
        program.Choose(32838);  // refused while recording
        script.Then(Fill({{"number", "6"}}));
        program.Choose(32784);
        script.Then(Note(seen));
        program.Choose(32829);
        script.Then([](QWidget* dialog) { Cancel(dialog); });
        program.Choose(32783);
        script.Then(Fill({{"text", QString::fromUtf8("末 尾")}}));
        program.Choose(32825);
        program.Choose(32837);
        QVERIFY(!program.Item(32837)->isChecked());
        QCOMPARE(script.Pending(), 0);
        QCOMPARE(script.Unexpected(), 0);
        QCOMPARE(seen, (QStringList{"マクロファイル名の入力", "マクロ記録中です!",
                                    "全角を半角に変換します"}));
        QCOMPARE(dir.Read("rec.qmc"), Sjis("TurnChange 6\r\nZenToHan\r\nStrCat 末\\s尾\r\n"));

        program.Choose(57603);
        QProcess run;
        run.start(qbay, {"--settings", QString::fromStdString(dir.File("settings.ini")), "-m",
                         QString::fromStdString(macro), QString::fromStdString(b), "-o",
                         QString::fromStdString(dir.File("out.txt"))});
        QVERIFY(run.waitForFinished(30000));
        QVERIFY2(run.exitCode() == 0, run.readAllStandardError().constData());
        QCOMPARE(dir.Read("out.txt"), dir.Read("a.txt"));
        QVERIFY(dir.Read("a.txt") != Sjis(kText));
    }

    void ARecordingThatCannotBeCreatedStaysOff() {
        TempDir dir;
        Program program(dir.File("settings.ini"));
        QStringList seen;
        ModalScript script;
        script.Then(PickFile(QString::fromStdString(dir.File("gone/rec.qmc")), seen));
        script.Then(Note(seen));
        program.Choose(32837);
        QCOMPARE(seen.size(), 2);
        QVERIFY2(seen[1].startsWith(QString::fromUtf8("マクロファイルを作成できません: ")),
                 qPrintable(seen[1]));
        QVERIFY(!program.frame.Macros().Recorder().IsRecording());
        QVERIFY(!program.Item(32837)->isChecked());
        QCOMPARE(script.Unexpected(), 0);
    }

    // The lines the interpreter hands to the view ask as they do there, and the check mark of
    // the inverted choice follows the macro.
    void RunningAMacroGoesThroughTheView() {
        TempDir dir;
        const std::string macro = dir.Write("m.qmc", "Notsel\r\nPastePlus\r\n");
        Program program(dir.File("settings.ini"));
        QVERIFY(program.frame.OpenDocument(dir.Write("a.txt", "a\r\nb\r\n")));
        program.host.SetClipboardText("x\r\n");
        program.frame.ActiveDocument()->Target().lastLine = 1;
        QStringList seen;
        ModalScript script;
        script.Then(PickFile(QString::fromStdString(macro), seen));
        script.Then(Note(seen));
        program.Choose(32838);
        QCOMPARE(seen, (QStringList{"ﾏｸﾛﾌｧｲﾙ名の入力", "行末に結合して貼りつけます"}));
        QVERIFY(program.Item(32826)->isChecked());
        QCOMPARE(program.frame.ActiveDocument()->GetLine(0).str(), std::string("ax"));
    }

    void RunOverFilesEndsEachAsItsEndModeSays() {
        const struct {
            int endMode;
            std::size_t windowsLeft;
            bool saved;
        } cases[] = {{0, 3, false}, {1, 3, true}, {2, 0, true}};
        for (const auto& c : cases) {
            TempDir dir;
            for (const char* name : {"f1.txt", "f2.txt", "f3.txt"})
                dir.Write(name, "x\r\n");
            const std::string macro = dir.Write("m.qmc", "InsertEndLine added\r\n");
            Program program(dir.File("settings.ini"));
            ModalScript script;
            AskOverFiles(script, QString::fromStdString(macro), QString::fromStdString(dir.Path()),
                         R"("f1.txt" "f2.txt" "f3.txt")", c.endMode);
            program.Choose(32946);  // needs no document
            QCOMPARE(script.Unexpected(), 0);
            QCOMPARE(program.frame.Frames().size(), c.windowsLeft);
            for (const char* name : {"f1.txt", "f2.txt", "f3.txt"})
                QCOMPARE(dir.Read(name), std::string(c.saved ? "x\r\nadded\r\n" : "x\r\n"));
            QVERIFY(!ProgressOf(program.frame));  // gone with its run
        }
    }

    // Cancel in the progress window stops before the next file; the files done stay done.
    void CancelStopsBetweenFilesAndKeepsWhatIsDone() {
        TempDir dir;
        for (const char* name : {"f1.txt", "f2.txt", "f3.txt"})
            dir.Write(name, "x\r\n");
        const std::string macro = dir.Write("m.qmc", "PastePlus\r\n");
        Program program(dir.File("settings.ini"));
        program.host.SetClipboardText("y\r\n");
        QString label;
        ModalScript script;
        AskOverFiles(script, QString::fromStdString(macro), QString::fromStdString(dir.Path()),
                     R"("f1.txt" "f2.txt" "f3.txt")", 2);
        script.Then([&](QWidget* question) {  // PastePlus asks, over the first file
            QProgressDialog* progress = ProgressOf(program.frame);
            QVERIFY(progress);
            label = progress->labelText();
            progress->cancel();
            Ok(question);
        });
        program.Choose(32946);
        QCOMPARE(script.Pending(), 0);
        QCOMPARE(script.Unexpected(), 0);
        QVERIFY2(
            label.contains(QStringLiteral("f1.txt")) && label.contains(QStringLiteral("(1 / 3)")),
            qPrintable(label));
        QCOMPARE(dir.Read("f1.txt"), std::string("xy\r\n"));
        QCOMPARE(dir.Read("f2.txt"), std::string("x\r\n"));
        QVERIFY(program.frame.Frames().empty());

        // The multi-file replace, every file ticked in its review: the second file cannot be
        // written, and Cancel is pressed while that is said; the first keeps its change, the third
        // is not touched.
        const std::string folder = dir.File("multi");
        std::filesystem::create_directory(folder);
        for (const char* name : {"multi/a.txt", "multi/b.txt", "multi/c.txt"})
            dir.Write(name, "abc\r\n");
        std::filesystem::permissions(dir.File("multi/b.txt"), std::filesystem::perms::owner_read);
        QVERIFY(program.frame.OpenDocument(dir.File("f3.txt")));
        QString report;
        script.Then(Fill(
            {{"folder", QString::fromStdString(folder)}, {"find", "abc"}, {"replacement", "x"}}));
        script.Then([](QWidget* review) { Ok(review); });  // every file ticked
        script.Then([&](QWidget* message) {
            QCOMPARE(MessageOf(message),
                     QString::fromStdString("ファイル書き込みエラー: " + dir.File("multi/b.txt")));
            ProgressOf(program.frame)->cancel();
            Ok(message);
        });
        script.Then([&](QWidget* dialog) {
            report = dialog->windowTitle() + ' ' + Shown(dialog, "filesChanged");
            Ok(dialog);
        });
        program.Choose(32851);
        QCOMPARE(script.Pending(), 0);
        QCOMPARE(report, QString::fromUtf8("置換終了 1"));
        QCOMPARE(dir.Read("multi/a.txt"), std::string("x\r\n"));
        QCOMPARE(dir.Read("multi/c.txt"), std::string("abc\r\n"));
    }
};

QTEST_MAIN(MacroWindowTest)
#include "macro_window_test.moc"
