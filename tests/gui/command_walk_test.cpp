// Every command of the command table, chosen from its menu in the main window on a small
// Japanese document, its question and dialog answered as a user answers them: the line it
// records is the one the macro rules prescribe, and that line, run by the macro interpreter on
// the same document, leaves the same lines and target lines as the window did.
#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <map>
#include <set>

#include "app/gui/common/qt_text.h"
#include "app/gui/main/gui_host.h"
#include "app/gui/main/main_frame.h"
#include "app/gui/view/qbay_frame.h"
#include "app/gui/view/quillbay_view.h"
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

// Field answers, UTF-8; "{dir}" stands for the test's folder. "@file" chooses a file in a file
// dialog; an empty key takes the dialog as shown.
using Fields = std::vector<std::pair<const char*, const char*>>;
const Fields kAsShown = {{"", ""}};

// Real message boxes and dialogs, except that closing a changed document does not ask.
class WalkHost : public GuiHost {
public:
    SaveAnswer AskSaveChanges(const QString&) override { return SaveAnswer::No; }
    void ShowWarning(const QString& text) override { warnings << text; }
    QStringList warnings;
};

// A program run with its own settings over a folder holding the documents of the walk.
struct Program {
    explicit Program(const std::string& settingsPath)
        : settings(settingsPath), frame(host, settings) {}
    WalkHost host;
    SettingsStore settings;
    CMainFrame frame;
};

const char* const kDocument =
    "　羅生門　芥川龍之介\r\n"
    "ある日の暮方の事である。一人の下人が、羅生門の下で雨やみを待っていた。\r\n"
    "Abc def, GHI jkl. ｶﾀｶﾅ ＡＢＣ１２３ 「括弧」(paren)\r\n"
    "\r\n"
    "  ひらがな　カタカナ 123  \r\n"
    "tab\there\r\n";

QString Expand(const char* text, const TempDir& dir) {
    return QString::fromUtf8(text).replace(QStringLiteral("{dir}"),
                                           QString::fromStdString(dir.Path()));
}

// What a user sees of the active document: its lines and its target lines.
QString Describe(CMainFrame& frame) {
    CQuillbayDoc* doc = frame.ActiveDocument();
    if (!doc) return QStringLiteral("(no document)");
    QStringList out;
    for (const auto& line : doc->Lines())
        out << SjisToQString(line.str());
    const TargetState& t = doc->Target();
    out << QStringLiteral("[lines %1-%2 every %3 with '%4' pattern %5 inverted %6]")
               .arg(t.firstLine)
               .arg(t.lastLine)
               .arg(t.lineStep)
               .arg(SjisToQString(t.condition))
               .arg(t.pattern)
               .arg(t.invert);
    return out.join(QLatin1Char('\n'));
}

// The menu item of `id` captioned `caption` on the menu bar shown now, each menu filled as when
// it opens. The most recent file (57616) is the first entry of the file list.
QAction* MenuAction(QMenuBar* bar, CommandId id, const QString& caption) {
    std::function<QAction*(const QList<QAction*>&)> find = [&](const QList<QAction*>& actions) {
        for (QAction* action : actions) {
            if (QMenu* menu = action->menu()) {
                Q_EMIT menu->aboutToShow();
                if (QAction* found = find(menu->actions())) return found;
            }
            // The key text of a bound command follows the caption after a tab.
            const QString own = action->text().section(QLatin1Char('\t'), 0, 0);
            if (action->data().toInt() == id && own == caption) return action;
            if (id == 57616 && action->text().startsWith(QStringLiteral("&1 "))) return action;
        }
        return static_cast<QAction*>(nullptr);
    };
    return find(bar->actions());
}

// Answers the next window: a question (OK, after checking it is an OK/Cancel question), a
// dialog (its fields set, then OK) or a message (OK). `seen` gets the question's or message's
// text (" (information)" after one shown as information, not as a warning), "[dialog]" or a
// dialog's title.
ModalScript::Step Answer(QStringList& seen, const Fields& fields, const TempDir& dir) {
    return [&seen, fields, &dir](QWidget* window) {
        if (auto* box = qobject_cast<QMessageBox*>(window)) {
            QString text = box->text();
            if (box->standardButtons() == (QMessageBox::Ok | QMessageBox::Cancel) &&
                box->icon() != QMessageBox::Question)
                text += QStringLiteral(" (not a question)");
            // A report of what went well must not look like a fault.
            if (box->icon() == QMessageBox::Information) text += QStringLiteral(" (information)");
            seen << text;
            Ok(box);
            return;
        }
        if (fields.empty()) {
            seen << QStringLiteral("[%1]").arg(window->windowTitle());
            Ok(window);
            return;
        }
        seen << QStringLiteral("[dialog]");
        for (const auto& [key, value] : fields) {
            if (auto* files = qobject_cast<QFileDialog*>(window); files && key[0] == '@') {
                files->selectFile(Expand(value, dir));
                static_cast<QDialog*>(files)->accept();
                return;
            }
            if (key[0] != '\0') Set(window, key, Expand(value, dir));
        }
        Ok(window);
    };
}

struct Walk {
    CommandId id = 0;
    const char* line = nullptr;  // what it records ({dir} the folder); null: nothing
    Fields fields = {};          // the answers of its dialog
    // Windows that come up after the dialog: message texts, or dialog titles.
    std::vector<const char*> after = {};
    int first = 0, last = 0;               // target lines set before (0: every line)
    const char* caption = nullptr;         // its menu item, when not the table's caption
    std::vector<const char*> replay = {};  // windows that come up when the line replays
    bool noMenu = false;                   // not on the menus: run as a key binding runs it
    // Done in the window before recording starts (what the command needs to be enabled).
    std::function<void(CMainFrame&, const TempDir&)> before = nullptr;
};

// The rows are in the order of the command table. A null line: the command records nothing, so
// only that is checked.
const std::vector<Walk>& Walks() {
    static const std::vector<Walk> walks = {
        {57601, "Open {dir}/c.txt", {{"@file", "{dir}/c.txt"}}},
        {57602, "Close"},
        {57603, "Save"},
        {57604, "Save {dir}/saved.txt sjis CRLF", {{"@file", "{dir}/saved.txt"}}},
        {32807, "ToFirst"},
        {32849, "Join {dir}/join.txt", {{"@file", "{dir}/join.txt"}}},
        {32834, "MimeOut {dir}/mime.out", {{"@file", "{dir}/mime.out"}}},
        {32844, "UuencodeOut {dir}/uu.out", {{"@file", "{dir}/uu.out"}}},
        {32835, nullptr, {{"@file", "{dir}/join.txt"}}},
        {32922, nullptr, {{"@file", "{dir}/join.txt"}}},
        {.id = 57616,
         .line = "Open {dir}/c.txt",
         .before =
             [](CMainFrame& frame, const TempDir& dir) {
                 frame.OpenDocument(dir.File("c.txt"));
                 frame.CloseActiveDocument();  // the most recent file, not open now
             }},
        {.id = 57643,
         .before =
             [](CMainFrame& frame, const TempDir&) {
                 frame.ActiveDocument()->SetLine(0, "x");
                 frame.UpdateCommandStates();
             }},
        {.id = 57644,
         .before =
             [](CMainFrame& frame, const TempDir&) {
                 frame.ActiveDocument()->SetLine(0, "x");
                 frame.ActiveDocument()->Undo();
                 frame.UpdateCommandStates();
             }},
        {57634, "Copy"},
        {57637, "Paste"},
        {.id = 32907, .line = "PastePlus", .replay = {"行末に結合して貼りつけます"}},
        {32831, "Sort1"},
        {32832, "Sort2"},
        {32918,
         "Sort 1 1 3 0 0 4 6 1",
         {{"mode1", "1"},
          {"first1", "1"},
          {"end1", "3"},
          {"second", "1"},
          {"first2", "4"},
          {"end2", "6"},
          {"numeric2", "1"}}},
        {32947, "Reverse"},
        {32924, "LineEdit 0 新しい\\s行", {{"text", "新しい 行"}}},
        {.id = 32930,
         .line = "InsertLine 2 挿入\\s行",
         .fields = {{"text", "挿入 行"}},
         .first = 3,
         .last = 3},
        {.id = 32930,  // refused: several target lines
         .after = {"行の挿入は複数行選択している状態では行えません"},
         .first = 1,
         .last = 3},
        {32931, "InsertEndLine 最後の行", {{"text", "最後の行"}}},
        {32919, nullptr, kAsShown},
        {32769,
         "LineSelect 2 羅生門 1 5 0",
         {{"first", "5"}, {"last", "1"}, {"condition", "羅生門"}, {"step", "2"}}},
        {.id = 32826, .line = "Notsel", .first = 2, .last = 3},
        {.id = 32802, .line = "TextAll", .first = 2, .last = 3},
        {32784, "TurnChange 20", {{"number", "20"}}},
        {32801, "IndTurnChange 20", {{"number", "20"}}},
        {32840, "TurnIf 、 1", {{"text", "、"}, {"replace", "1"}}},
        {32772, "KetaChange 10", {{"number", "10"}}},
        {32913, "ToOnelineAll"},
        {32791, "ToOneline"},
        {32841, "OnelineNo 2", {{"count", "2"}}},
        {32773, "IndentChange 4", {{"number", "4"}}},
        {32770, "OverwriteString 3 ＊", {{"column", "3"}, {"text", "＊"}}},
        {32771,
         "RenoString -2 3 2 5 1",
         {{"column", "2"}, {"digits", "3"}, {"start", "5"}, {"step", "-2"}, {"zeroSuppress", "1"}}},
        // Typed escapes are read before use; the line keeps them as typed.
        {32775, "InsertString 2 a\\sb\\t", {{"column", "2"}, {"text", "a\\sb\\t"}}},
        {32776, "DeletePos 2 3", {{"first", "2"}, {"last", "3"}}},
        {32825, "StrCat 末\\s尾", {{"text", "末 尾"}}},
        {32926,
         "DelStr 存在しない 0 0",
         {{"search", "存在しない"}},
         {"文字列が見つかりません (information)"}},
        {.id = 32824, .line = "LineDelete", .first = 4, .last = 4},
        {32923, "DupLineDel 1 0 3 0", {{"partial", "1"}, {"first", "0"}, {"last", "3"}}},
        {32839, "SpaceInsert 2 3 1", {{"column", "2"}, {"count", "3"}, {"overwrite", "1"}}},
        {32799, "DelSpaceLine"},
        {32800, "DelSpaceMultiLine"},
        {32822, "DelSpaceOnly"},
        {32797, "DelSpaceFirst"},
        {32798, "DelSpaceBack"},
        {32850, "SpToCsv 1 10", {{"first", "1"}, {"last", "10"}}},
        {32908, "ToCenter"},
        {.id = 32797, .line = "DelSpaceFirst", .caption = "左揃え(&L)"},
        {32909, "ToRight"},
        {32842, "DeletePos 1 1"},
        {32843, "SpaceInsert 1 1 0"},
        {32829, "ZenToHan"},
        {32817, "ZenToHan2 1"},
        {32820, "ZenToHan2 2"},
        {32821, "ZenToHan2 3"},
        {32846, "ZenToHanSw 44", {{"digits", "1"}, {"alphabet", "1"}, {"asciiSymbols", "1"}}},
        {32830, "HanToZen"},
        {32818, "HanToZen2 1"},
        {32819, "HanToZen2 2"},
        {32816, "HanToZen2 3"},
        {32847, "HanToZenSw 2", {{"katakana", "1"}}},
        {32777, "ToUpper"},
        {32778, "ToLower"},
        {32779, "ToZenUpper"},
        {32780, "ToZenLower"},
        {32911, "ToLineUpper"},
        {32904, "ToTopUpper"},
        {32912, "ChangeUpperLower"},
        {32905, "TabSpace 4", {{"width", "4"}}},
        {32906, "SpaceTab 4", {{"width", "4"}}},
        {32916, "TabIf \\s 0", {{"text", " "}}},
        {32781, "HiraToKana"},
        {32782, "KanaToHira"},
        {32808, "CtlMToCRLF"},
        {32823, "LFToCRLF"},
        {32789, "ToSjisCode"},
        {32790, "ToJisCode"},
        {32804, "CodeToSjis"},
        {32805, "CodeToJis"},
        {32783,
         "Replace 羅生門 ら\\sもん 0 0",
         {{"search", "羅生門"}, {"replacement", "ら\\sもん"}},
         {"2個の置換を行いました (information)"}},
        {32827,
         "SuperReplace 「 」 『』",
         {{"start", "「"}, {"end", "」"}, {"replacement", "『』"}},
         {"1個の置換を行いました (information)"}},
        {32915,
         "ReplaceDouble ( [ ) ]",
         {{"start", "("}, {"startReplacement", "["}, {"end", ")"}, {"endReplacement", "]"}},
         {"1個の置換を行いました (information)"}},
        {32851,
         "MultiFileReplace {dir}/multi *.txt abc x",
         {{"folder", "{dir}/multi"}, {"find", "abc"}, {"replacement", "x"}},
         {"[置換の確認]", "[置換終了]"}},
        {32851,  // refused: nothing to search for
         nullptr,
         {{"folder", "{dir}/multi"}, {"find", ""}, {"replacement", "x"}},
         {"検索語を入力してください"}},
        {32942, "ToSjis"},
        {32785, "JisToSjis"},
        {32794, "EucToSjis"},
        {32927, "Utf8ToSjis"},
        {32920, "UnicodeToMbcs"},
        {32787, "UrlToSjis"},
        {32796, "UrleToSjis"},
        {32833, "MimeToSjis"},
        {32786, "SjisToJis"},
        {32795, "SjisToEuc 0"},
        {32940, "SjisToUtf8"},
        {32836, "SjisToMime"},
        {32943, "ToMime"},
        {32941, nullptr, kAsShown},
        {32809, nullptr, kAsShown},
        {59392, nullptr},
        {59393, nullptr},
        {32806, nullptr, kAsShown},
        {32792, nullptr, kAsShown},
        {57648, nullptr},
        {57650, nullptr},
        {57651, nullptr},
        {57652, nullptr},
        {57649, nullptr},
        {57664,
         nullptr,
         {},
         {"Quillbay バージョン " QB_VERSION "\n\n日本語テキストの変換と整形のための道具箱"}},
        {57600, nullptr, kAsShown},
        {32788, "SjisToUrl"},
        {32949, "FileInsert {dir}/join.txt", {{"@file", "{dir}/join.txt"}}},
        {.id = 32921, .line = "MbcsToUnicode", .noMenu = true},
        {32944, nullptr, kAsShown},
        {32945, nullptr},
        {.id = 32934, .noMenu = true},
        {32929, nullptr},
        {32932, nullptr},
        {.id = 32973, .line = "Close"},
    };
    return walks;
}

// The rows not walked, and why.
const std::map<CommandId, const char*>& NotWalked() {
    static const std::map<CommandId, const char*> rows = [] {
        std::map<CommandId, const char*> m = {
            {57607, "printing (printing_test)"},
            {57609, "print preview (printing_test)"},
            {57606, "the printer set-up (printing_test)"},
            {32811, "the print format (printing_test)"},
            {57665, "ends the program"},
            {32793, "starts another program (the external editor)"},
            {32828, "key customisation: writes the user's key file (customization_test)"},
            {32937,
             "right-click menu customisation: writes the user's menu file (customization_test)"},
            {32852, "macro menu editing: records no line (customization_test)"},
            {32837, "macro recording itself: MacroWindowTest"},
            {32838, "running a macro: MacroWindowTest"},
            {32946, "running a macro over files: MacroWindowTest"},
            {57666, "help: opens a web browser (help_files_test)"},
            {32810, "help: opens a web browser (help_files_test)"},
            {33078, "the update check asks the network (update_check_test)"},
            {32812, "keyboard only (main_frame_test)"},
            {32813, "keyboard only (main_frame_test)"},
            {32814, "keyboard only (main_frame_test)"},
            {32815, "keyboard only (main_frame_test)"},
            {33091, "moves the view and changes nothing (go_to_line_test)"},
            {33092, "moves the view and changes nothing (go_to_line_test)"},
            {33093, "moves the view and changes nothing (go_to_line_test)"},
            {33094, "moves the view and changes nothing (go_to_line_test)"},
            {33095, "keyboard only (go_to_line_test)"},
            {33096, "keyboard only (go_to_line_test)"},
            {33100, "wraps the view and changes nothing (display_wrap_test)"},
        };
        for (int i = 0; i < kMacroMenuCount; ++i)
            m[static_cast<CommandId>(kMacroMenuFirst + i)] =
                "a macro menu entry: runs a macro file, as 32838 does (customization_test)";
        return m;
    }();
    return rows;
}

}  // namespace

class CommandWalkTest : public QObject {
    Q_OBJECT

    void WalkOne(const Walk& walk) {
        const CommandInfo* info = FindCommand(walk.id);
        QVERIFY(info);
        TempDir dir;
        dir.Write("a.txt", Sjis(kDocument));
        dir.Write("b.txt", Sjis(kDocument));
        dir.Write("c.txt", Sjis("三番目の文書\r\n"));
        dir.Write("join.txt", Sjis("結合一\r\n結合二\r\n"));
        QDir().mkpath(QString::fromStdString(dir.File("multi")));
        dir.Write("multi/m.txt", "abc ABC\r\n");
        const std::string macro = dir.File("walk.qmc");
        Program program(dir.File("settings.ini"));
        CMainFrame& frame = program.frame;
        const auto startOn = [&](const char* name) {
            QApplication::clipboard()->setText(QString::fromUtf8("貼り付け一\n貼り付け二"));
            QVERIFY(frame.OpenDocument(dir.File(name)));
            if (walk.last > 0) {
                frame.ActiveDocument()->Target().firstLine = walk.first;
                frame.ActiveDocument()->Target().lastLine = walk.last;
            }
        };

        // In the window, from the menu.
        startOn("a.txt");
        if (walk.before) walk.before(frame, dir);
        QVERIFY(frame.Macros().Recorder().Start(macro));
        const QString caption = QString::fromUtf8(walk.caption ? walk.caption : info->caption);
        QAction* action = walk.noMenu ? nullptr : MenuAction(frame.menuBar(), walk.id, caption);
        QVERIFY2(walk.noMenu || action, "not on the menus");
        QVERIFY2(!action || action->isEnabled(), "disabled");
        QStringList seen, expected;
        ModalScript script;
        if (!info->prompt.empty()) {
            script.Then(Answer(seen, {}, dir));
            expected << Utf8ToQString(info->prompt);
        }
        if (!walk.fields.empty()) {
            script.Then(Answer(seen, walk.fields, dir));
            expected << QStringLiteral("[dialog]");
        }
        for (const char* text : walk.after) {
            script.Then(Answer(seen, {}, dir));
            expected << QString::fromUtf8(text);
        }
        if (action)
            action->trigger();
        else
            frame.RunCommand(walk.id);
        QCOMPARE(seen, expected);
        QCOMPARE(script.Unexpected(), 0);
        frame.Macros().Recorder().Stop();
        const std::string recorded = dir.Read("walk.qmc");
        QCOMPARE(SjisToQString(recorded),
                 walk.line ? Expand(walk.line, dir) + QStringLiteral("\r\n") : QString());
        if (!walk.line) return;

        // The recorded line, run by the interpreter on the same document.
        const QString inWindow = Describe(frame);
        frame.CloseAllWindows();
        startOn("b.txt");
        QStringList replayed, replayExpected;
        ModalScript replayScript;
        for (const char* text : walk.replay) {
            replayScript.Then(Answer(replayed, {}, dir));
            replayExpected << QString::fromUtf8(text);
        }
        QCOMPARE(frame.Macros().RunMacroFile(macro), MacroRunEnd::Finished);
        QCOMPARE(replayed, replayExpected);
        QCOMPARE(replayScript.Unexpected(), 0);
        QCOMPARE(Describe(frame), inWindow);
        frame.CloseAllWindows();
    }

private Q_SLOTS:
    // Each row, the second caption of 32797 included.
    void EveryCommandOfTheTableIsWalkedOrSaysWhyNot() {
        std::set<std::pair<CommandId, std::string_view>> walked;
        for (const Walk& walk : Walks()) {
            const std::string_view caption =
                walk.caption ? std::string_view(walk.caption) : FindCommand(walk.id)->caption;
            walked.insert({walk.id, caption});
            QVERIFY2(!NotWalked().count(walk.id), QByteArray::number(walk.id));
        }
        for (const CommandInfo& row : AllCommands())
            QVERIFY2(walked.count({row.id, row.caption}) || NotWalked().count(row.id),
                     QByteArray::number(row.id));
        QCOMPARE(walked.size() + NotWalked().size(), AllCommands().size());
    }

    // With no document open, only the commands that need none can be chosen.
    void WithoutADocumentOnlyWhatNeedsNoneIsEnabled() {
        TempDir dir;
        Program program(dir.File("settings.ini"));
        CMainFrame& frame = program.frame;
        for (const CommandInfo& row : AllCommands())
            if (row.owner != CommandOwner::MainWindow)
                QVERIFY2(!frame.IsCommandEnabled(row.id), QByteArray::number(row.id));
        for (CommandId id : {57600, 57601, 57637, 32835, 32922, 57606, 57665, 59392, 32932, 59393,
                             32806, 32792, 32793, 32929, 32837, 32838, 32946, 57666, 32810, 57664})
            QVERIFY2(frame.IsCommandEnabled(id), QByteArray::number(id));
        for (CommandId id : {57602, 57603, 57604, 57616, 57648, 57650, 57651, 57652, 57649, 32973})
            QVERIFY2(!frame.IsCommandEnabled(id), QByteArray::number(id));
        for (QToolButton* button : frame.ExtendedBar()->findChildren<QToolButton*>())
            if (button->menu()) QVERIFY(!button->isEnabled());
        QVERIFY(frame.IsCommandEnabled(32838));  // so that it can say why it will not run
    }

    void CheckMarksFollowWhatTheyShow() {
        TempDir dir;
        Program program(dir.File("settings.ini"));
        CMainFrame& frame = program.frame;
        frame.show();
        QVERIFY(frame.OpenDocument(dir.Write("a.txt", "a\r\n")));
        for (CommandId id : {32826, 32945, 32929, 59392, 32932, 59393}) {
            const std::vector<QAction*> items = frame.ActionsFor(id);
            QVERIFY(!items.empty());
            const bool before = items.front()->isChecked();
            frame.RunCommand(id);
            for (QAction* item : items)
                QVERIFY2(item->isCheckable() && item->isChecked() != before,
                         QByteArray::number(id));
            frame.RunCommand(id);
            QCOMPARE(items.front()->isChecked(), before);
        }
    }

    // Two buttons of the extended bar run their command and drop their pop-up down; two only
    // open theirs.
    void TheExtendedBarOpensTheFourPopups() {
        TempDir dir;
        Program program(dir.File("settings.ini"));
        QStringList buttons;
        for (QToolButton* button : program.frame.ExtendedBar()->findChildren<QToolButton*>()) {
            if (!button->menu()) continue;
            const QAction* runs = button->defaultAction();
            buttons << QStringLiteral("%1 %2 %3 %4")
                           .arg(button->menu()->title())
                           .arg(runs ? runs->data().toInt() : 0)
                           .arg(button->popupMode() == QToolButton::MenuButtonPopup ? "arrow"
                                                                                    : "button")
                           .arg(button->menu()->actions().front()->text());
        }
        QCOMPARE(buttons, (QStringList{"全角→半角 32829 arrow 全て変換(&H)",
                                       "半角→全角 32830 arrow 全て変換(&H)",
                                       "大文字小文字 0 button 小文字→大文字(&U)",
                                       "コード(&C) 0 button 全て→シフトJIS(&Q)"}));
    }

    // A command redraws every window of its document, not only the one it was chosen in.
    void EveryWindowOfTheDocumentFollowsACommand() {
        TempDir dir;
        Program program(dir.File("settings.ini"));
        CMainFrame& frame = program.frame;
        frame.show();
        QVERIFY(frame.OpenDocument(dir.Write("a.txt", Sjis(kDocument))));
        frame.RunCommand(57648);
        const auto frames = frame.Frames();
        QCOMPARE(frames.size(), std::size_t(2));
        std::vector<int> before;
        for (CQBayFrame* each : frames)
            before.push_back(each->View()->verticalScrollBar()->maximum());
        ModalScript script;
        script.Then([](QWidget* dialog) {
            Set(dialog, "number", "4");
            Ok(dialog);
        });
        frame.RunCommand(32784);
        for (std::size_t i = 0; i < frames.size(); ++i)
            QVERIFY(frames[i]->View()->verticalScrollBar()->maximum() > before[i]);
    }

    void EveryWalkRecordsItsLineAndReplaysToTheSameDocument() {
        for (const Walk& walk : Walks()) {
            WalkOne(walk);
            if (QTest::currentTestFailed()) {
                qWarning("while walking command %d", walk.id);
                return;
            }
        }
    }
};

QTEST_MAIN(CommandWalkTest)
#include "command_walk_test.moc"
