// The user's keys and menus in the main window, as a user meets them: keys bound in the key
// customisation run their command and show in the menus, the files they are kept in, the
// right-click menu's own entries, and the macro menu. Dialogs are answered from a script.
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QListWidget>
#include <QMenu>
#include <QtTest>

#include "app/gui/common/qt_text.h"
#include "app/gui/customize/customization.h"
#include "app/gui/main/gui_host.h"
#include "app/gui/main/main_frame.h"
#include "app/gui/view/quillbay_view.h"
#include "core/quillbay_doc.h"
#include "macro/key_file.h"
#include "macro/macro_controller.h"
#include "macro/right_click_file.h"
#include "settings/settings_store.h"
#include "tests/gui/dialogs/modal_script.h"
#include "tests/gui/support/frame_run.h"
#include "tests/gui/support/recording_host.h"
#include "tests/support/sjis_literal.h"
#include "tests/support/temp_dir.h"

using namespace qb;
using namespace qb::gui;
using namespace qb::test;
using namespace std::string_literals;

namespace {

using Run = test::FrameRun;

// Gives the keys back to `view` (a window manager does so when a dialog closes; the offscreen
// platform has none).
bool Refocus(Run& run, CQuillbayView* view) {
    QTest::qWait(20);  // the closed dialog's deactivation comes first
    QApplication::setActiveWindow(&run.frame);
    view->setFocus();
    return QTest::qWaitFor([view] { return QApplication::focusWidget() == view; });
}

// Opens `text` as a document in a shown window whose view has the keys.
CQuillbayView* OpenFocused(Run& run, const TempDir& dir, std::string_view text) {
    run.frame.show();
    if (!run.frame.OpenDocument(dir.Write("doc.txt", text))) return nullptr;
    CQuillbayView* view = run.frame.ActiveView();
    return Refocus(run, view) ? view : nullptr;
}

QListWidget* List(QWidget* dialog, const char* name) {
    return dialog->findChild<QListWidget*>(QString::fromLatin1(name));
}

// A row's own text, without the binding it shows after two spaces.
QString OwnText(const QListWidgetItem* item) {
    return item->text().section(QStringLiteral("  "), 0, 0);
}

// Selects the entry showing `text`, as a click would.
void Pick(QWidget* dialog, const char* list, const QString& text) {
    QListWidget* widget = List(dialog, list);
    for (int row = 0; row < widget->count(); ++row)
        if (OwnText(widget->item(row)) == text) {
            widget->setCurrentRow(row);
            return;
        }
    qFatal("no entry %s", qPrintable(text));
}

QString NameOf(CommandId id) {
    return Utf8ToQString(CommandDisplayName(id));
}

void Click(QWidget* dialog, const char* button) {
    dialog->findChild<QPushButton*>(QString::fromLatin1(button))->click();
}

// The key texts the menu items of `id` show, one per item.
QStringList MenuTexts(const CMainFrame& frame, CommandId id) {
    QStringList texts;
    for (QAction* action : frame.ActionsFor(id))
        if (qobject_cast<QMenu*>(action->parent()))
            texts << action->text().section(QLatin1Char('\t'), 1);
    texts.removeDuplicates();
    return texts;
}

std::vector<CKeycust> KeyFileBindings(const TempDir& dir) {
    return ParseKeyFile(dir.Read("quillbay.key")).bindings;
}

// The texts of the macro entries at the end of `menu`, after the last separator, with their
// identifiers.
QStringList MacroEntries(QMenu* menu) {
    Q_EMIT menu->aboutToShow();
    QStringList entries;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) entries.clear();
        if (action->isVisible() && !action->isSeparator())
            entries << action->text() + '=' + QString::number(action->data().toInt());
    }
    return entries;
}

constexpr KeyCombo kCtrlS{'S', false, false, true};
constexpr KeyCombo kAltCtrlZ{'Z', true, false, true};

}  // namespace

class CustomizationTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Bindings made in the dialog run at once, show in the menus and reach the key file on OK;
    // "（なし）" takes a binding away again; a file that is no key file changes nothing.
    void KeysBoundInTheDialogRunAndShowInTheMenus() {
        TempDir dir;
        // The user's own key file, even an empty one, is used instead of the installed keys.
        dir.Write("quillbay.key", KeyFileBytes({}));
        Run run(dir.File("settings.ini"));
        CQuillbayView* view = OpenFocused(run, dir, Sjis("ＡＢＣ\r\n"));
        QVERIFY(view);
        QStringList seen;
        ModalScript script;
        script.Then([&](QWidget* d) {
            seen << QString::number(List(d, "keys")->count());
            Set(d, "ctrl", "1");
            seen << QString::number(List(d, "keys")->count()) << List(d, "keys")->item(0)->text();
            Pick(d, "keys", "Ctrl+S");
            Pick(d, "commands", NameOf(32829));
            Set(d, "alt", "1");
            Pick(d, "keys", "Alt+Ctrl+Z");
            seen << OwnText(List(d, "commands")->currentItem());
            Pick(d, "commands", NameOf(32830));
            Click(d, "ok");
        });
        run.frame.RunCommand(32828);
        QCOMPARE(seen, (QStringList{"12", "62", "Ctrl+F1", "（なし）"}));
        QCOMPARE(MenuTexts(run.frame, 32829), QStringList{"Ctrl+S"});
        QCOMPARE(MenuTexts(run.frame, 32830), QStringList{"Alt+Ctrl+Z"});
        QCOMPARE(dir.Read("quillbay.key").size(), std::size_t(38));
        QCOMPARE(KeyFileBindings(dir), (std::vector<CKeycust>{CKeycust::Of(kCtrlS, 32829),
                                                              CKeycust::Of(kAltCtrlZ, 32830)}));
        QCOMPARE(run.settings.ReadString("System", "Keycust", ""), dir.File("quillbay.key"));

        // Ctrl+S pressed in the view runs the conversion through its question.
        QVERIFY(Refocus(run, view));
        QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(run.host.messages, std::vector<std::string>{"全角を半角に変換します"});
        QCOMPARE(run.frame.ActiveDocument()->GetLine(0).str(), std::string("ABC"));

        const std::string notAKeyFile = dir.Write("other.KEY", "\x01\x00\xff\xff\x01\x00"s);
        QString refused;
        script.Then([&](QWidget* d) {
            Set(d, "ctrl", "1");
            Pick(d, "keys", "Ctrl+S");
            seen << OwnText(List(d, "commands")->currentItem());
            List(d, "commands")->setCurrentRow(0);  // （なし）
            Click(d, "load");
            Click(d, "ok");
        });
        script.Then([&](QWidget* files) {
            static_cast<QFileDialog*>(files)->selectFile(Utf8ToQString(notAKeyFile));
            static_cast<QDialog*>(files)->accept();
        });
        script.Then([&](QWidget* box) {
            refused = MessageOf(box);
            Ok(box);
        });
        run.frame.RunCommand(32828);
        QCOMPARE(seen.last(), NameOf(32829));
        QVERIFY2(
            refused.startsWith(QStringLiteral("読み込めません: ") + Utf8ToQString(notAKeyFile)),
            qPrintable(refused));
        QCOMPARE(KeyFileBindings(dir), std::vector<CKeycust>{CKeycust::Of(kAltCtrlZ, 32830)});
        QCOMPARE(MenuTexts(run.frame, 32829), QStringList{""});
        QVERIFY(Refocus(run, view));
        QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(run.host.messages.size(), std::size_t(1));
        QCOMPARE(script.Unexpected(), 0);
    }

    // Ctrl+S, Ctrl+Z and the rest did nothing for a new user, and the menus showed no keys:
    // without a key file of their own the installed one binds them, each key running its
    // command once, and the key customisation lists what every key and command is bound to.
    void StandardKeysWorkWithoutAKeyFileOfOnesOwn() {
        TempDir dir;
        Run run(dir.File("settings.ini"));
        CQuillbayView* view = OpenFocused(run, dir, "x\r\n");
        QVERIFY(view);
        QCOMPARE(MenuTexts(run.frame, kCommandSave), QStringList{"Ctrl+S"});
        QCOMPARE(MenuTexts(run.frame, kCommandUndo), QStringList{"Ctrl+Z"});
        QCOMPARE(MenuTexts(run.frame, kCommandReplace), QStringList{"Ctrl+H"});

        run.frame.RunCommand(32843);  // 右シフト
        QCOMPARE(run.frame.ActiveDocument()->GetLine(0).str(), std::string(" x"));
        QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(run.frame.ActiveDocument()->GetLine(0).str(), std::string("x"));
        run.frame.RunCommand(32843);
        run.frame.RunCommand(32843);
        QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(dir.Read("doc.txt"), std::string("  x\r\n"));
        // One undo a key press: Ctrl+Z takes back the last shift alone.
        QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(run.frame.ActiveDocument()->GetLine(0).str(), std::string(" x"));

        QStringList keyRows, commandRows;
        ModalScript script;
        script.Then([&](QWidget* d) {
            Set(d, "ctrl", "1");
            Pick(d, "keys", "Ctrl+S");
            keyRows << List(d, "keys")->currentItem()->text();
            Pick(d, "keys", "Ctrl+F1");
            keyRows << List(d, "keys")->currentItem()->text();
            Pick(d, "commands", NameOf(kCommandSave));
            commandRows << List(d, "commands")->currentItem()->text();
            Pick(d, "commands", NameOf(kCommandExit));
            commandRows << List(d, "commands")->currentItem()->text();
            Click(d, "ok");
        });
        run.frame.RunCommand(kCommandEditKeys);
        // Picking 上書き保存 for Ctrl+F1 bound it there too; 終了 took Ctrl+F1 over.
        QCOMPARE(keyRows, (QStringList{QStringLiteral("Ctrl+S  \u2192 ") + NameOf(kCommandSave),
                                       "Ctrl+F1"}));
        const QStringList boundRows{NameOf(kCommandSave) + "  (Ctrl+S, Ctrl+F1)",
                                    NameOf(kCommandExit) + "  (Ctrl+F1)"};
        QCOMPARE(commandRows, boundRows);
        QCOMPARE(script.Unexpected(), 0);
    }

    // A key file read at start-up binds at once, also keys the menu bar's mnemonics would take
    // (Alt+F opens "ファイル(&F)"); files that are not what they claim are reported and unused.
    void StartUpFilesBindOrAreRefusedWhole() {
        TempDir dir;
        const CKeycust altF = CKeycust::Of({'F', true, false, false}, 32843);  // 右シフト
        const CKeycust f2 = CKeycust::Of({113, false, false, false}, 32929);  // クリップボード監視
        dir.Write("quillbay.key", KeyFileBytes({altF, f2}));
        {
            Run run(dir.File("settings.ini"));
            // With no document window nothing has the focus, and the main window takes the keys.
            run.frame.show();
            QApplication::setActiveWindow(&run.frame);
            QVERIFY(QTest::qWaitForWindowActive(&run.frame));
            QTest::keyClick(&run.frame, Qt::Key_F2);
            QVERIFY(run.frame.ClipboardMonitor());
            run.frame.SetClipboardMonitor(false);
            CQuillbayView* view = OpenFocused(run, dir, "x\r\n");
            QVERIFY(view);
            QCOMPARE(MenuTexts(run.frame, 32843), QStringList{"Alt+F"});
            QTest::keyClick(view, Qt::Key_F, Qt::AltModifier);
            QCOMPARE(run.frame.ActiveDocument()->GetLine(0).str(), std::string(" x"));
            QVERIFY(!QApplication::activePopupWidget());
            QVERIFY(run.host.messages.empty());
        }
        const struct {
            const char* file;
            std::string bytes;
        } corrupt[] = {
            {"quillbay.key", KeyFileBytes({altF, f2}).substr(0, 30)},
            {"QBayRMenu.dat", RightClickFileBytes({57634, 57637}) + "\x01"},
        };
        for (const auto& c : corrupt)
            dir.Write(c.file, c.bytes);
        Run run(dir.File("settings.ini"));
        QTRY_COMPARE(run.host.messages.size(), std::size_t(2));
        for (std::size_t i = 0; i < 2; ++i)
            QVERIFY2(
                run.host.messages[i].starts_with("読み込めません: " + dir.File(corrupt[i].file)),
                run.host.messages[i].c_str());
        auto* customization = run.frame.findChild<Customization*>();
        QVERIFY(customization->Keys().Bindings().empty());
        QVERIFY(customization->RightClickEntries().empty());
        QCOMPARE(MenuTexts(run.frame, 32843), QStringList{""});
    }

    // OK in the key customisation wrote an empty table over a key file refused at start-up,
    // and OK in the right-click customisation its list over the menu file; through a link they
    // replaced the file the link leads to. Both are now kept as NAME.bad first, and said so.
    void OkKeepsRefusedFilesAsBadAndNeverWritesThroughTheirLinks() {
        TempDir dir;
        const std::string key = dir.File("quillbay.key");
        QVERIFY(
            QFile::link(Utf8ToQString(dir.Write("notes.txt", "my notes\n")), Utf8ToQString(key)));
        dir.Write("QBayRMenu.dat", "\x01"s);
        Run run(dir.File("settings.ini"));
        QTRY_COMPARE(run.host.messages.size(), std::size_t(2));  // both refused at start-up

        QString told;
        ModalScript script;
        script.Then([&](QWidget* d) { Click(d, "ok"); });
        script.Then([&](QWidget* box) {
            told = MessageOf(box);
            Ok(box);
        });
        run.frame.RunCommand(32828);
        QCOMPARE(dir.Read("notes.txt"), std::string("my notes\n"));
        QCOMPARE(QFile::symLinkTarget(Utf8ToQString(key + ".bad")),
                 Utf8ToQString(dir.File("notes.txt")));
        QCOMPARE(dir.Read("quillbay.key"), KeyFileBytes({}));
        QVERIFY2(told.contains(Utf8ToQString(key + ".bad")), qPrintable(told));

        script.Then([&](QWidget* d) {
            Click(d, "append");
            Ok(d);
        });
        run.frame.RunCommand(32937);
        QCOMPARE(dir.Read("QBayRMenu.dat.bad"), "\x01"s);
        QCOMPARE(dir.Read("QBayRMenu.dat"), RightClickFileBytes({CommandNameTable().front().id}));
        QCOMPARE(run.host.messages.size(), std::size_t(3));
        QVERIFY2(run.host.messages.back().find(dir.File("QBayRMenu.dat.bad")) != std::string::npos,
                 run.host.messages.back().c_str());
        QCOMPARE(script.Unexpected(), 0);
    }

    // The dialog edits the list (insert goes in front of the selection); OK keeps it in
    // "QBayRMenu.dat". With one target line the menu opens with the user's entries, a separator
    // and the two line items, and a macro menu entry on it runs that entry's file.
    void RightClickMenuStartsWithTheUserEntries() {
        TempDir dir;
        Run run(dir.File("settings.ini"));
        run.settings.WriteInt("DirMenu", "DirNo", 2);
        run.settings.WriteString("DirMenu", "Name01", "shift");
        run.settings.WriteString("DirMenu", "Dir01",
                                 dir.Write("shift.qmc", "SpaceInsert 1 1 0\r\n"));
        CQuillbayView* view = OpenFocused(run, dir, "x\r\n");
        QVERIFY(view);
        QStringList seen;
        ModalScript script;
        script.Then([&](QWidget* d) {
            for (CommandId id : {57634, 32854, 32843}) {
                Pick(d, "all", NameOf(id));
                Click(d, id == 32843 ? "insert" : "append");
            }
            seen << QString::number(List(d, "list")->currentRow());
            Click(d, "delete");
            seen << QString::number(List(d, "list")->count());
            Click(d, "delete");
            Ok(d);
        });
        script.Then([&](QWidget* box) {
            seen << MessageOf(box);
            box->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
        });
        script.Then([&](QWidget* box) { Ok(box); });
        run.frame.RunCommand(32937);
        QCOMPARE(seen, (QStringList{"1", NameOf(32843) + " を削除しますか？", "3"}));
        QCOMPARE(dir.Read("QBayRMenu.dat"), RightClickFileBytes({57634, 32854}));
        QCOMPARE(dir.Read("QBayRMenu.dat").size(), std::size_t(12));

        QStringList shown;
        QTimer::singleShot(50, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            for (QAction* action : menu->actions().mid(0, 6))
                shown << (action->isSeparator() ? QStringLiteral("-") : action->text());
            menu->actions()[1]->trigger();
            menu->close();
        });
        QTest::mouseClick(view->viewport(), Qt::RightButton, {}, QPoint(20, 5));
        QCOMPARE(shown, (QStringList{"コピー", "マクロメニュー2", "-", "行編集...", "行挿入...",
                                     "最後に行挿入(&E)..."}));
        QCOMPARE(run.frame.ActiveDocument()->GetLine(0).str(), std::string(" x"));
    }

    // A list that cannot be kept is said so, and stays in use for the run.
    void UnwritableRightClickFileIsReported() {
        TempDir dir;
        QVERIFY(QDir().mkpath(Utf8ToQString(dir.File("QBayRMenu.dat"))));
        Run run(dir.File("settings.ini"));
        ModalScript script;
        script.Then([&](QWidget* d) {
            Click(d, "append");
            Ok(d);
        });
        run.frame.RunCommand(32937);
        // What is there is no right-click menu file (said at start-up), nor can one be written.
        QCOMPARE(run.host.messages.size(), std::size_t(2));
        QVERIFY2(run.host.messages[0].starts_with("読み込めません"), run.host.messages[0].c_str());
        QVERIFY2(run.host.messages[1].starts_with("保存できません"), run.host.messages[1].c_str());
        const auto first = CommandNameTable().front().id;
        QCOMPARE(run.frame.findChild<Customization*>()->RightClickEntries(),
                 std::vector<CommandId>{first});
    }

    // The macro menu follows the settings in every "オプション(&O)" menu; its dialog deletes,
    // adds and refuses a 31st entry; an entry runs its file, also while recording.
    void MacroMenuFollowsTheSettings() {
        TempDir dir;
        Run run(dir.File("settings.ini"));
        run.settings.WriteInt("DirMenu", "DirNo", 3);
        for (const auto& [i, name] : {std::pair{0, "a"}, {1, "b"}, {2, "c"}}) {
            const std::string index = "0" + std::to_string(i);
            run.settings.WriteString("DirMenu", "Name" + index, name);
            run.settings.WriteString(
                "DirMenu", "Dir" + index,
                dir.Write(std::string(name) + ".qmc", "SpaceInsert 1 1 0\r\n"));
        }
        for (QMenu* menu : run.frame.OptionsMenus())
            QCOMPARE(MacroEntries(menu), (QStringList{"a=32853", "b=32854", "c=32855"}));

        QStringList seen;
        ModalScript script;
        script.Then([&](QWidget* d) {
            List(d, "entries")->setCurrentRow(2);
            Click(d, "delete");
            seen << QString::number(List(d, "entries")->currentRow());
            Click(d, "add");
            Ok(d);
        });
        script.Then([&](QWidget* box) {
            seen << MessageOf(box);
            Ok(box);
        });
        script.Then([&](QWidget* edit) {
            Set(edit, "name", "d");
            Set(edit, "file", Utf8ToQString(dir.File("a.qmc")));
            Ok(edit);
        });
        run.frame.RunCommand(32852);
        QCOMPARE(seen, (QStringList{"cを削除しますか？", "1"}));
        QCOMPARE(MacroEntries(run.frame.OptionsMenus().front()),
                 (QStringList{"a=32853", "b=32854", "d=32855"}));

        QVERIFY(run.frame.OpenDocument(dir.Write("doc.txt", "x\r\n")));
        QVERIFY(run.frame.Macros().Recorder().Start(dir.File("rec.qmc")));
        QMenu* options = run.frame.OptionsMenus().back();
        MacroEntries(options);
        options->actions().back()->trigger();
        QCOMPARE(run.frame.ActiveDocument()->GetLine(0).str(), std::string(" x"));
        run.frame.Macros().Recorder().Stop();

        run.settings.WriteInt("DirMenu", "DirNo", 30);
        QString refused;
        script.Then([&](QWidget* d) {
            Click(d, "add");
            Cancel(d);
        });
        script.Then([&](QWidget* box) {
            refused = MessageOf(box);
            Ok(box);
        });
        run.frame.RunCommand(32852);
        QVERIFY2(refused.contains("30"), qPrintable(refused));
        QCOMPARE(script.Unexpected(), 0);
    }
};

QTEST_MAIN(CustomizationTest)
#include "customization_test.moc"
