// The one table of every command of the program: its identifier, the name it has in key and
// menu customisation, its menu caption, its confirmation prompt, its macro line and how the view
// handles it. Menus, toolbars, key bindings, the right-click menu, RunViewCommand and
// the macro interpreter all read this table, so adding a command is adding a row.
//
// Identifiers are stored in key files and in the right-click menu file, so they never change.
// 57600-59393 are the standard identifiers of the desktop toolkit's standard commands (new, open,
// copy, ...).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qb {

using CommandId = std::uint16_t;

// When the view hands the command's macro line to the recorder.
enum class RecordTiming : std::uint8_t { None, Before, After };

// Who handles the command.
enum class CommandOwner : std::uint8_t {
    View,        // the document view, through RunViewCommand (macro/view_command.h)
    ViewUi,      // the document view with a window of its own (count, fonts, print format, ...)
    MainWindow,  // the main window: files, windows, macros, settings, help
};

// The parameter or file dialog the view shows before the command runs. The values each one
// returns are listed in macro/view_command.h.
enum class CommandDialog : std::uint8_t {
    None,
    Number,          // one number; prompt in dialogText, kept in storeSection/storeName
    Text,            // one string; prompt in dialogText, kept in storeSection/storeName
    LineText,        // "行の入力": one line of text
    Overwrite,       // "埋め込み文字"
    Numbering,       // "連番の埋め込み"
    Insert,          // "文字列の挿入"
    DeleteColumns,   // "指定桁の削除"
    SpaceInsert,     // "空白の挿入"
    JoinCount,       // "指定行の一行化"
    BreakAt,         // "指定文字で改行"
    TabAt,           // "指定文字をTABに"
    TabWidth,        // "タブ変換"
    SpaceToCsv,      // "スペース区切り→CSV"
    SelectLines,     // "対象行指定"
    Replace,         // "置換"
    DeleteString,    // "指定文字の削除"
    SuperReplace,    // "複雑な置換"
    ReplaceDouble,   // "囲み文字の置換"
    MultiReplace,    // "複数ファイル置換"
    Sort,            // "整列"
    DuplicateLines,  // "重複行削除"
    ZenToHanKinds,   // "全角→半角"
    HanToZenKinds,   // "半角→全角"
    SaveFile,        // a save-file dialog titled dialogText
    OpenFile,        // an open-file dialog titled dialogText
};

// How the view turns the dialog's values into the macro line and the operation's arguments.
enum class CommandForm : std::uint8_t {
    Fixed,         // no dialog: `macro` is the whole line (or empty: no line)
    Dialog,        // the dialog's values are the macro arguments, written by their forms
    LineSelect,    // the target-line dialog: swap first and last, set the state
    Replace,       // "Replace", or "DelStr" when the replacement is empty
    DeleteString,  // "DelStr"
    ReplaceDouble,
    MultiFileReplace,
    Sort,
    LineEdit,    // the first target line, edited
    InsertLine,  // refused when several lines are targets
    SjisToEuc,   // writes the current "Euc"/"Code" setting
    EditAll,     // the whole text in the text-edit dialog; no line
    Undo,
    Redo,
};

struct CommandInfo {
    CommandId id = 0;
    std::string_view displayName;  // "[編集]コピー" in key and menu customisation; empty: unlisted
    std::string_view caption;      // menu caption, "&" before the mnemonic
    std::string_view prompt;       // confirmation under "System"/"Verify"; empty: none
    // The macro line written by the view: the whole line for CommandForm::Fixed ("ZenToHan2 1"),
    // else the macro command's name. Empty: the command writes no line.
    std::string_view macro;
    RecordTiming record = RecordTiming::None;
    CommandOwner owner = CommandOwner::View;
    CommandDialog dialog = CommandDialog::None;
    CommandForm form = CommandForm::Fixed;
    std::string_view dialogText;    // prompt of the one-value dialogs, title of file dialogs
    std::string_view storeSection;  // where the view keeps a one-value dialog's value
    std::string_view storeName;
    bool reportsCount = false;  // shows the number of replacements afterwards
    bool alias = false;         // a second name of an identifier listed before

    // Builders, so that a row of the table reads as one line.
    constexpr CommandInfo Confirm(std::string_view text) const {
        CommandInfo c = *this;
        c.prompt = text;
        return c;
    }
    constexpr CommandInfo After() const {
        CommandInfo c = *this;
        c.record = RecordTiming::After;
        return c;
    }
    constexpr CommandInfo Ask(CommandDialog kind, std::string_view text = {}) const {
        CommandInfo c = *this;
        c.dialog = kind;
        c.dialogText = text;
        if (c.form == CommandForm::Fixed) c.form = CommandForm::Dialog;
        return c;
    }
    constexpr CommandInfo Store(std::string_view section, std::string_view name) const {
        CommandInfo c = *this;
        c.storeSection = section;
        c.storeName = name;
        return c;
    }
    constexpr CommandInfo As(CommandForm f) const {
        CommandInfo c = *this;
        c.form = f;
        return c;
    }
    constexpr CommandInfo Owner(CommandOwner o) const {
        CommandInfo c = *this;
        c.owner = o;
        return c;
    }
    constexpr CommandInfo Counts() const {
        CommandInfo c = *this;
        c.reportsCount = true;
        return c;
    }
};

// The first macro-menu command; entry i of the macro menu has kMacroMenuFirst + i.
inline constexpr CommandId kMacroMenuFirst = 32853;
inline constexpr int kMacroMenuCount = 30;

// The identifiers the program names, by menu. A row of the table below uses the name when there
// is one, so each number is written once, here.

// ファイル
inline constexpr CommandId kCommandNew = 57600;
inline constexpr CommandId kCommandOpen = 57601;
inline constexpr CommandId kCommandClose = 57602;
inline constexpr CommandId kCommandSave = 57603;
inline constexpr CommandId kCommandSaveAs = 57604;
inline constexpr CommandId kCommandFileToMime = 32835;
inline constexpr CommandId kCommandUnicodeFileToText = 32922;
inline constexpr CommandId kCommandPrint = 57607;
inline constexpr CommandId kCommandPrintPreview = 57609;
inline constexpr CommandId kCommandPrintSetup = 57606;
inline constexpr CommandId kCommandPrintFormat = 32811;
inline constexpr CommandId kCommandRecentFile = 57616;  // the most recent; the list has no ids
inline constexpr CommandId kCommandExit = 57665;

// 編集
inline constexpr CommandId kCommandUndo = 57643;
inline constexpr CommandId kCommandRedo = 57644;
inline constexpr CommandId kCommandCopy = 57634;
inline constexpr CommandId kCommandPaste = 57637;
inline constexpr CommandId kCommandPastePlus = 32907;
inline constexpr CommandId kCommandLineEdit = 32924;
inline constexpr CommandId kCommandLineSelect = 32769;
inline constexpr CommandId kCommandNotsel = 32826;
inline constexpr CommandId kCommandTextAll = 32802;

// 整形
inline constexpr CommandId kCommandTurnChange = 32784;
inline constexpr CommandId kCommandLineDelete = 32824;
inline constexpr CommandId kCommandDupLineDel = 32923;
inline constexpr CommandId kCommandDelSpaceLine = 32799;
inline constexpr CommandId kCommandDelSpaceFirst = 32797;  // also "左揃え"
inline constexpr CommandId kCommandDelSpaceBack = 32798;
inline constexpr CommandId kCommandToCenter = 32908;
inline constexpr CommandId kCommandToRight = 32909;
inline constexpr CommandId kCommandShiftLeft = 32842;
inline constexpr CommandId kCommandShiftRight = 32843;

// 変換, コード
inline constexpr CommandId kCommandZenToHan = 32829;
inline constexpr CommandId kCommandHanToZen = 32830;
inline constexpr CommandId kCommandTabSpace = 32905;
inline constexpr CommandId kCommandSpaceTab = 32906;
inline constexpr CommandId kCommandHiraToKana = 32781;
inline constexpr CommandId kCommandKanaToHira = 32782;
inline constexpr CommandId kCommandReplace = 32783;
inline constexpr CommandId kCommandMultiFileReplace = 32851;
inline constexpr CommandId kCommandCodeDetection = 32941;

// 表示, and the view's keyboard-only movement
inline constexpr CommandId kCommandCharacterCount = 32809;
inline constexpr CommandId kCommandToolbar = 59392;
inline constexpr CommandId kCommandExtendedToolbar = 32932;
inline constexpr CommandId kCommandStatusBar = 59393;
inline constexpr CommandId kCommandFont = 32944;
inline constexpr CommandId kCommandLineNumbers = 32945;
inline constexpr CommandId kCommandLineDown = 32812;
inline constexpr CommandId kCommandLineUp = 32813;
inline constexpr CommandId kCommandPageDown = 32814;
inline constexpr CommandId kCommandPageUp = 32815;
inline constexpr CommandId kCommandGoToLine = 33091;
inline constexpr CommandId kCommandFind = 33092;
inline constexpr CommandId kCommandFindNext = 33093;
inline constexpr CommandId kCommandFindPrevious = 33094;
inline constexpr CommandId kCommandViewTop = 33095;     // keyboard only: the first line
inline constexpr CommandId kCommandViewBottom = 33096;  // keyboard only: the end
inline constexpr CommandId kCommandDisplayWrap = 33100;  // long lines cut at the window's edge

// オプション
inline constexpr CommandId kCommandSettings = 32806;
inline constexpr CommandId kCommandEditorSettings = 32792;
inline constexpr CommandId kCommandStartEditor = 32793;
inline constexpr CommandId kCommandClipboardMonitor = 32929;
inline constexpr CommandId kCommandEditKeys = 32828;
inline constexpr CommandId kCommandEditRightClickMenu = 32937;
inline constexpr CommandId kCommandEditMacroMenu = 32852;
inline constexpr CommandId kCommandToggleRecording = 32837;
inline constexpr CommandId kCommandRunMacro = 32838;
inline constexpr CommandId kCommandRunMacroOverFiles = 32946;
inline constexpr CommandId kCommandCheckForUpdate = 33078;

// ウィンドウ. F6 and Shift+F6 step through the windows; only keys reach those two, so they have
// no row in the table.
inline constexpr CommandId kCommandNewWindow = 57648;
inline constexpr CommandId kCommandCascade = 57650;
inline constexpr CommandId kCommandTileStacked = 57651;
inline constexpr CommandId kCommandTileSideBySide = 57652;
inline constexpr CommandId kCommandArrangeIcons = 57649;
inline constexpr CommandId kCommandCloseAllWindows = 32973;
inline constexpr CommandId kCommandNextPane = 57680;
inline constexpr CommandId kCommandPreviousPane = 57681;

// ヘルプ
inline constexpr CommandId kCommandHelpContents = 57666;
inline constexpr CommandId kCommandHelpKeywords = 32810;
inline constexpr CommandId kCommandAbout = 57664;

// Every command: first those of the command-name table, in its order (the 30 macro-menu entries
// after the fixed ones), then the commands it does not list.
const std::vector<CommandInfo>& AllCommands();

// The command with identifier `id` (its first row), or nullptr.
const CommandInfo* FindCommand(CommandId id);

struct CommandName {
    std::string_view name;  // "[編集]コピー" (UTF-8)
    CommandId id;
};

// The command-name table: display name and identifier, in the order key and right-click menu
// customisation list them (124 fixed rows, then "[ﾏｸﾛ]マクロメニュー1" ... "30"). Identifier
// 32797 occurs twice.
const std::vector<CommandName>& CommandNameTable();

// The display name of the first row with identifier `id`; empty when there is none.
std::string_view CommandDisplayName(CommandId id);

}  // namespace qb
