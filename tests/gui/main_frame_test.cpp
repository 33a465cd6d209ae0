// The main window as a user meets it: what it stores and restores, the titles and the Edit
// menu's states, saving, closing everything, and the clipboard monitor. Questions and file
// choices are answered from a script.
#include <sys/resource.h>
#include <unistd.h>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLabel>
#include <QToolBar>
#include <QtTest>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <deque>

#include "app/gui/customize/customization.h"
#include "app/gui/main/gui_host.h"
#include "app/gui/main/main_frame.h"
#include "app/gui/view/qbay_frame.h"
#include "app/gui/view/quillbay_view.h"
#include "core/quillbay_doc.h"
#include "macro/macro_controller.h"
#include "macro/macro_recorder.h"
#include "macro/menu_layout.h"
#include "settings/settings_store.h"
#include "tests/gui/dialogs/modal_script.h"
#include "tests/gui/support/frame_run.h"
#include "tests/gui/support/recording_host.h"
#include "tests/support/sjis_literal.h"
#include "tests/support/temp_dir.h"
#include "tests/support/unwritten_fifo.h"

using namespace qb;
using namespace qb::gui;

namespace {

using Run = test::FrameRun;

// Lowers the limit of the address space to what is in use now and `headroom` more, for the life
// of the object.
class MemoryCeiling {
public:
    explicit MemoryCeiling(long long headroom) {
        getrlimit(RLIMIT_AS, &m_saved);
        long long pages = 0;
        if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%lld", &pages) != 1) pages = 0;
            std::fclose(statm);
        }
        rlimit lower = m_saved;
        lower.rlim_cur = static_cast<rlim_t>(pages * sysconf(_SC_PAGESIZE) + headroom);
        if (pages > 0 && lower.rlim_cur < m_saved.rlim_cur) setrlimit(RLIMIT_AS, &lower);
    }
    ~MemoryCeiling() { setrlimit(RLIMIT_AS, &m_saved); }
    MemoryCeiling(const MemoryCeiling&) = delete;
    MemoryCeiling& operator=(const MemoryCeiling&) = delete;

private:
    rlimit m_saved{};
};

}  // namespace

class MainFrameTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void PlacementRoundTripsAndNineNumbersAreIgnored() {
        test::TempDir dir;
        const std::string ini = dir.File("settings.ini");
        QRect saved;
        {
            Run run(ini);
            run.frame.ShowWithStoredPlacement();
            run.frame.setGeometry(40, 50, 700, 500);
            saved = run.frame.geometry();
            run.frame.close();
        }
        {
            Run run(ini);
            QCOMPARE(run.settings.ReadString("Settings", "WindowPos", ""),
                     "0,1,-1,-1,-1,-1," + std::to_string(saved.left()) + "," +
                         std::to_string(saved.top()) + "," + std::to_string(saved.right() + 1) +
                         "," + std::to_string(saved.bottom() + 1));
            run.frame.ShowWithStoredPlacement();
            QCOMPARE(run.frame.geometry(), saved);
            run.frame.showMaximized();
            run.frame.close();
        }
        {
            Run run(ini);
            QVERIFY(run.settings.ReadString("Settings", "WindowPos", "").rfind("2,3,", 0) == 0);
            run.frame.ShowWithStoredPlacement();
            QVERIFY(run.frame.isMaximized());
            run.settings.WriteString("Settings", "WindowPos", "0,1,-1,-1,-1,-1,40,50,740");
        }
        {
            Run run(ini);
            run.frame.ShowWithStoredPlacement();
            QVERIFY(!run.frame.isMaximized());
            QVERIFY(run.frame.geometry() != saved);
        }
    }

    void HiddenToolbarStaysHiddenAfterRestart() {
        test::TempDir dir;
        qputenv("QUILLBAY_SETTINGS", QByteArray::fromStdString(dir.File("settings.ini")));
        {
            Run run(SettingsStore::DefaultPath());
            run.frame.ShowWithStoredPlacement();
            run.frame.RunCommand(32932);  // 拡張ツールバー
            QVERIFY(run.frame.ExtendedBar()->isHidden());
            run.frame.close();
        }
        Run run(SettingsStore::DefaultPath());
        run.frame.ShowWithStoredPlacement();
        QVERIFY(run.frame.ExtendedBar()->isHidden());
        QVERIFY(!run.frame.StandardBar()->isHidden());
        QVERIFY(!run.frame.IsCommandChecked(32932));
        QVERIFY(run.frame.IsCommandChecked(59392));
        qunsetenv("QUILLBAY_SETTINGS");
    }

    void TitleUndoAndSavingFollowTheDocument() {
        test::TempDir dir;
        const std::string file = dir.Write("rashomon.txt", test::Sjis("ＡＢＣ\r\n羅生門\r\n"));
        Run run(dir.File("settings.ini"));
        QVERIFY(run.frame.OpenDocument(file));
        QCOMPARE(run.frame.windowTitle(), QStringLiteral("rashomon.txt[*] - Quillbay"));
        QVERIFY(!run.frame.IsCommandEnabled(57643));
        run.frame.RunCommand(32829);  // 全角→半角, after its question
        CQuillbayDoc& doc = *run.frame.ActiveDocument();
        QCOMPARE(doc.GetLine(0).str(), std::string("ABC"));
        QVERIFY(run.frame.isWindowModified());
        QVERIFY(run.frame.IsCommandEnabled(57643));
        QVERIFY(!run.frame.IsCommandEnabled(57644));
        run.frame.RunCommand(57643);
        QCOMPARE(doc.GetLine(0).str(), test::Sjis("ＡＢＣ"));
        QVERIFY(run.frame.IsCommandEnabled(57644));
        // A second window onto the document shows the same lines and repaints with the first.
        run.frame.RunCommand(57648);
        QCOMPARE(run.frame.FramesOf(doc).size(), std::size_t(2));

        // A save that cannot be written keeps the changes, the name, and says why.
        run.host.savePath = dir.File("no/such/folder/out.txt");
        run.frame.RunCommand(57604);
        QVERIFY(doc.IsModified());
        QCOMPARE(doc.PathName(), file);
        QCOMPARE(run.host.messages.back(), std::string("ファイルに書き込めません"));
        QCOMPARE(run.host.warnings.size(), 1);
        run.frame.RunCommand(57603);
        QVERIFY(!doc.IsModified());
        QCOMPARE(dir.Read("rashomon.txt"), test::Sjis("ＡＢＣ\r\n羅生門\r\n"));
    }

    // Saving over a file another program wrote since it was opened asks first: Cancel keeps
    // that program's text, Save As writes elsewhere, Overwrite writes over it.
    void SavingOverAFileChangedElsewhereAsksFirst() {
        test::TempDir dir;
        const std::string file = dir.Write("memo.txt", "ours\r\n");
        Run run(dir.File("settings.ini"));
        QVERIFY(run.frame.OpenDocument(file));
        CQuillbayDoc& doc = *run.frame.ActiveDocument();
        doc.SetLine(0, "edited");
        dir.Write("memo.txt", "theirs, longer\r\n");

        QVERIFY(!run.frame.SaveActiveDocument(std::nullopt));
        QCOMPARE(run.host.askedAboutChange.size(), 1);
        QCOMPARE(dir.Read("memo.txt"), std::string("theirs, longer\r\n"));
        QVERIFY(doc.IsModified());

        run.host.changedFileAnswer = GuiHost::ChangedFileAnswer::SaveAs;
        run.host.savePath = dir.File("copy.txt");
        QVERIFY(run.frame.SaveActiveDocument(std::nullopt));
        QCOMPARE(run.host.askedAboutChange.size(), 2);
        QCOMPARE(dir.Read("copy.txt"), std::string("edited\r\n"));
        QCOMPARE(dir.Read("memo.txt"), std::string("theirs, longer\r\n"));

        QVERIFY(run.frame.OpenDocument(file));
        CQuillbayDoc& again = *run.frame.ActiveDocument();
        again.SetLine(0, "mine");
        dir.Write("memo.txt", "changed once more\r\n");
        run.host.changedFileAnswer = GuiHost::ChangedFileAnswer::Overwrite;
        QVERIFY(run.frame.SaveActiveDocument(std::nullopt));
        QCOMPARE(dir.Read("memo.txt"), std::string("mine\r\n"));
        QCOMPARE(run.host.askedAboutChange.size(), 3);
        again.SetLine(0, "mine again");  // our own save is nobody else's change
        QVERIFY(run.frame.SaveActiveDocument(std::nullopt));
        QCOMPARE(run.host.askedAboutChange.size(), 3);
    }

    // With a document open, every command on the menus can be chosen, but undo and redo with
    // nothing to take back or bring again.
    void EveryMenuCommandIsEnabledWithADocument() {
        test::TempDir dir;
        const std::string file = dir.Write("a.txt", "abc\r\n");
        Run run(dir.File("settings.ini"));
        QVERIFY(run.frame.OpenDocument(file));
        ForEachMenuCommand(DocumentMenuBar(), [&](const MenuBarItem& item) {
            if (item.id == 57643 || item.id == 57644) return;
            QVERIFY2(run.frame.IsCommandEnabled(item.id), std::to_string(item.id).c_str());
        });
    }

    // Each command the window runs itself carries its own rules: one registered without them
    // would be enabled with no document (and close nothing, or crash), or lose its check mark.
    void WindowCommandsKeepTheirEnabledAndCheckedRules() {
        test::TempDir dir;
        Run run(dir.File("settings.ini"));
        const struct {
            CommandId id;
            bool enabledWithoutDocument;
            bool checkable;
        } cases[] = {
            {kCommandNew, true, false},
            {kCommandOpen, true, false},
            {kCommandClose, false, false},
            {kCommandSave, false, false},
            {kCommandSaveAs, false, false},
            {kCommandRecentFile, false, false},  // nothing opened yet
            {kCommandPrint, false, false},
            {kCommandUndo, false, false},
            {kCommandNotsel, false, true},
            {kCommandLineNumbers, false, true},
            {kCommandLineDown, false, false},
            {kCommandToolbar, true, true},
            {kCommandExtendedToolbar, true, true},
            {kCommandStatusBar, true, true},
            {kCommandClipboardMonitor, true, true},
            {kCommandToggleRecording, true, true},
            {kCommandNewWindow, false, false},
            {kCommandCascade, false, false},
            {kCommandCloseAllWindows, false, false},
            {kCommandAbout, true, false},
        };
        for (const auto& c : cases) {
            const std::string id = std::to_string(c.id);
            QVERIFY2(run.frame.IsCommandEnabled(c.id) == c.enabledWithoutDocument, id.c_str());
            QVERIFY2(run.frame.IsCommandCheckable(c.id) == c.checkable, id.c_str());
        }
        QVERIFY(run.frame.OpenDocument(dir.Write("a.txt", "x\r\n")));
        for (const auto& c : cases)
            if (c.id != kCommandUndo && c.id != kCommandRecentFile)
                QVERIFY2(run.frame.IsCommandEnabled(c.id), std::to_string(c.id).c_str());
        QVERIFY(!run.frame.IsCommandChecked(kCommandNotsel));
        run.frame.RunCommand(kCommandNotsel);
        QVERIFY(run.frame.IsCommandChecked(kCommandNotsel));
        QVERIFY(run.frame.IsCommandChecked(kCommandStatusBar));
        run.frame.RunCommand(kCommandStatusBar);
        QVERIFY(!run.frame.IsCommandChecked(kCommandStatusBar));
    }

    // The fixed accelerators act first, whatever the bindings say (PageDown bound to the line
    // numbers still pages); any other key runs its binding; F6 and Shift+F6, which have no menu
    // item, step through the windows.
    void FixedAcceleratorsBeatBindingsAndOtherKeysRunTheirs() {
        test::TempDir dir;
        std::string text;
        for (int i = 0; i < 200; ++i)
            text += "line\r\n";
        Run run(dir.File("settings.ini"));
        run.frame.show();
        QVERIFY(run.frame.OpenDocument(dir.Write("long.txt", text)));
        QApplication::setActiveWindow(&run.frame);
        CQuillbayView* view = run.frame.ActiveView();
        view->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&run.frame));
        const KeyCombo pageDown{0x22, false, false, false};
        const KeyCombo ctrlS{'S', false, false, true};
        run.frame.findChild<Customization*>()->Keys().Assign(
            {CKeycust::Of(pageDown, kCommandLineNumbers),
             CKeycust::Of(ctrlS, kCommandLineNumbers)});
        const bool numbers = view->LineNumbers();
        QTest::keyClick(view, Qt::Key_PageDown);
        QCOMPARE(view->VerticalPosition(), 20LL * view->LineHeight());
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(view->VerticalPosition(), 21LL * view->LineHeight());
        QCOMPARE(view->LineNumbers(), numbers);
        QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(view->LineNumbers(), !numbers);

        QVERIFY(run.frame.OpenDocument(dir.Write("other.txt", "x\r\n")));
        CQBayFrame* second = run.frame.ActiveFrame();
        QVERIFY(second != run.frame.Frames().front());
        second->View()->setFocus();
        QTest::keyClick(second->View(), Qt::Key_F6);
        QCOMPARE(run.frame.ActiveFrame(), run.frame.Frames().front());
        run.frame.ActiveView()->setFocus();
        QTest::keyClick(run.frame.ActiveView(), Qt::Key_F6, Qt::ShiftModifier);
        QCOMPARE(run.frame.ActiveFrame(), second);
    }

    // A file opens once; closing it closes all its windows and records "Close" once; the recent
    // list keeps it, and forgets it when it can no longer be opened from there.
    void DocumentsOpenOnceCloseWholeAndLeaveTheRecentList() {
        test::TempDir dir;
        Run run(dir.File("settings.ini"));
        const std::string file = dir.Write("a.txt", "x\r\n");
        QVERIFY(run.frame.Macros().Recorder().Start(dir.File("rec.qmc")));
        QVERIFY(run.frame.OpenDocument(file));
        QVERIFY(run.frame.OpenDocument(dir.Path() + "/./a.txt"));
        run.frame.RunCommand(57648);  // a second window
        QCOMPARE(run.frame.Frames().size(), std::size_t(2));
        auto* codePane = run.frame.findChild<QLabel*>(QStringLiteral("CodePane"));
        Q_EMIT run.frame.Frames().front()->View()->PointerMoved("1,1", "78");
        run.frame.RunCommand(57602);
        QVERIFY(run.frame.Frames().empty());
        QVERIFY(codePane->text().isEmpty());  // nothing is under the pointer any more
        run.frame.Macros().Recorder().Stop();
        QCOMPARE(dir.Read("rec.qmc"), "Open " + file + "\r\nClose\r\n");
        QCOMPARE(run.frame.Recent().Paths(), std::vector<std::string>{file});

        std::remove(file.c_str());
        run.frame.RunCommand(57616);
        QCOMPARE(run.host.messages.back(),
                 "ファイルが見つかりません\n" + file + ": " + std::strerror(ENOENT));
        QVERIFY(run.frame.Recent().Paths().empty());
    }

    // The window showed what opening noticed in the command line's English.
    void WhatOpeningNoticedIsSaidInJapanese() {
        test::TempDir dir;
        Run run(dir.File("settings.ini"));
        const std::string file = dir.Write("z.txt", std::string("ab\r\n\x1A cd\r\n"));
        QVERIFY(run.frame.OpenDocument(file));
        QCOMPARE(run.host.warnings.size(), 1);
        const QString& warning = run.host.warnings.front();
        QVERIFY2(warning.startsWith(QString::fromStdString(file) + '\n'), qPrintable(warning));
        QVERIFY2(warning.contains(QStringLiteral("その後ろは読み込んでいません")),
                 qPrintable(warning));
        QVERIFY2(!warning.contains(QStringLiteral("the text")), qPrintable(warning));
    }

    // Opening /dev/zero grew the memory until the program aborted, and the unsaved work of every
    // other window was lost; a named pipe kept the window waiting for a writer. Only a regular
    // file is opened, and one too large for the memory is refused: the other documents stay.
    void OpeningAnEndlessOrHugeSourceKeepsTheOtherDocuments() {
        test::TempDir dir;
        Run run(dir.File("settings.ini"));
        QVERIFY(run.frame.OpenDocument(dir.Write("work.txt", "work\r\n")));
        CQuillbayDoc* work = run.frame.ActiveDocument();
        work->SetLine(0, "unsaved");
        const std::string huge = dir.Write("huge.txt", "");
        QCOMPARE(truncate(huge.c_str(), 16LL << 30), 0);  // 16 GiB of zero bytes, no line end
        const test::UnwrittenFifo fifo(dir.File("pipe"));
        QVERIFY(fifo.Ok());
        const struct {
            std::string path;
            const char* headline;
            const char* why;
        } cases[] = {
            {"/dev/zero", "ファイルが見つかりません", "通常のファイルではありません"},
            {fifo.Path(), "ファイルが見つかりません", "通常のファイルではありません"},
            {huge, "メモリが足りないため、ファイルを開けません", ""},
        };
        // A fault shows as a failed allocation rather than as a machine out of memory.
        const MemoryCeiling ceiling(256 << 20);
        for (const auto& c : cases) {
            bool opened = true;
            const auto open = [&] { opened = run.frame.OpenDocument(c.path); };
            if (c.path == fifo.Path())
                QVERIFY(!test::WaitedOnPipe(c.path, open));
            else
                open();
            QVERIFY2(!opened, c.path.c_str());
            QCOMPARE(run.host.messages.back(), std::string(c.headline) + "\n" + c.path +
                                                   (*c.why ? std::string(": ") + c.why : ""));
            QCOMPARE(run.frame.Frames().size(), std::size_t(1));
            QCOMPARE(run.frame.ActiveDocument(), work);
            QCOMPARE(work->GetLine(0).str(), std::string("unsaved"));
            QVERIFY(work->IsModified());
        }
        // ファイル→MIME and UNICODEファイル→TEXT read the file they are given to its end too.
        for (const CommandId id : {32835, 32922}) {
            test::ModalScript script;
            script.Then([](QWidget* files) {
                static_cast<QFileDialog*>(files)->selectFile(QStringLiteral("/dev/zero"));
                static_cast<QDialog*>(files)->accept();
            });
            run.frame.RunCommand(id);
            QCOMPARE(run.host.messages.back(),
                     std::string("ファイルが開けません\n/dev/zero: 通常のファイルではありません"));
            QCOMPARE(run.frame.Frames().size(), std::size_t(1));
            QCOMPARE(script.Unexpected(), 0);
        }
        QCOMPARE(run.frame.Recent().Paths().size(), std::size_t(1));
    }

    // Paste makes a new document of the clipboard's text and records "Paste"; with no text on
    // the clipboard there is neither a document nor a macro line.
    void PasteMakesANewDocumentOnlyFromText() {
        test::TempDir dir;
        Run run(dir.File("settings.ini"));
        QVERIFY(run.frame.Macros().Recorder().Start(dir.File("rec.qmc")));
        QApplication::clipboard()->clear();
        run.frame.RunCommand(kCommandPaste);
        QVERIFY(run.frame.Frames().empty());
        QApplication::clipboard()->setText(QStringLiteral("x\n\ny"));
        run.frame.RunCommand(kCommandPaste);
        run.frame.Macros().Recorder().Stop();
        QCOMPARE(run.frame.Frames().size(), std::size_t(1));
        QCOMPARE(run.frame.ActiveDocument()->LineCount(), 3);
        QVERIFY(!run.frame.ActiveDocument()->IsModified());
        QCOMPARE(dir.Read("rec.qmc"), std::string("Paste\r\n"));
    }

    void CloseAllAsksAgainAfterCancel() {
        test::TempDir dir;
        Run run(dir.File("settings.ini"));
        for (const char* name : {"a.txt", "b.txt"}) {
            QVERIFY(run.frame.OpenDocument(dir.Write(name, "x\r\n")));
            run.frame.RunCommand(32843);  // 右シフト: a change
        }
        run.host.answers = {GuiHost::SaveAnswer::Cancel, GuiHost::SaveAnswer::Cancel,
                            GuiHost::SaveAnswer::No, GuiHost::SaveAnswer::Yes};
        run.frame.RunCommand(32973);
        QCOMPARE(run.host.asked, (QStringList{"b.txt", "b.txt", "b.txt", "a.txt"}));
        QVERIFY(run.frame.Frames().empty());
        QCOMPARE(dir.Read("a.txt"), std::string(" x\r\n"));
        QCOMPARE(dir.Read("b.txt"), std::string("x\r\n"));
        QVERIFY(!run.frame.IsCommandEnabled(57603));
    }

    void ClipboardMonitorOpensOnlyOtherProgramsCopies() {
        test::TempDir dir;
        Run run(dir.File("settings.ini"));
        QApplication::clipboard()->setText(QStringLiteral("before"));
        run.frame.SetClipboardMonitor(true);
        QCOMPARE(run.settings.ReadInt("system", "ClipCheck", 0), 1);
        // Another program's copy: nothing of this program has the focus.
        QApplication::clipboard()->setText(QString::fromUtf8("一行目\n二行目\n"));
        QCOMPARE(run.frame.Frames().size(), std::size_t(1));
        const CQuillbayDoc& doc = *run.frame.ActiveDocument();
        QCOMPARE(doc.LineCount(), 2);
        QCOMPARE(doc.GetLine(1).str(), test::Sjis("二行目"));
        // The program's own copy does not.
        run.host.SetClipboardText("copied\r\n");
        QCOMPARE(run.frame.Frames().size(), std::size_t(1));
        run.frame.SetClipboardMonitor(false);
        QApplication::clipboard()->setText(QStringLiteral("after"));
        QCOMPARE(run.frame.Frames().size(), std::size_t(1));
    }
};

QTEST_MAIN(MainFrameTest)
#include "main_frame_test.moc"
