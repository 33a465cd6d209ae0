#include "macro/command_table.h"

#include <deque>

namespace qb {

namespace {

using D = CommandDialog;
using F = CommandForm;

// A command of the command-name table.
constexpr CommandInfo Listed(CommandId id, std::string_view name, std::string_view caption,
                             std::string_view macro = {}) {
    CommandInfo c;
    c.id = id;
    c.displayName = name;
    c.caption = caption;
    c.macro = macro;
    c.record = macro.empty() ? RecordTiming::None : RecordTiming::Before;
    return c;
}

// A command the command-name table does not list.
constexpr CommandInfo Unlisted(CommandId id, std::string_view caption,
                               std::string_view macro = {}) {
    return Listed(id, {}, caption, macro);
}

// Commands of the main window: files, windows, macros, settings, help.
constexpr CommandInfo WindowCommand(CommandId id, std::string_view name, std::string_view caption,
                                    std::string_view macro = {}) {
    return Listed(id, name, caption, macro).Owner(CommandOwner::MainWindow);
}

// A view command with a window of its own (no macro line).
constexpr CommandInfo Ui(CommandId id, std::string_view name, std::string_view caption) {
    return Listed(id, name, caption).Owner(CommandOwner::ViewUi);
}

// A second entry of the command-name table for an identifier listed before it.
constexpr CommandInfo Alias(CommandId id, std::string_view name, std::string_view caption) {
    CommandInfo c = Listed(id, name, caption);
    c.alias = true;
    return c;
}

// The rows of the command-name table in its order, then the unlisted commands. The 30
// macro-menu rows are made by AllCommands() and follow the last listed row.
constexpr CommandInfo kCommands[] = {
    // [ﾌｧｲﾙ]
    WindowCommand(kCommandOpen, "[ﾌｧｲﾙ]開く", "開く(&O)..."),
    WindowCommand(kCommandClose, "[ﾌｧｲﾙ]閉じる", "閉じる(&C)"),
    WindowCommand(kCommandSave, "[ﾌｧｲﾙ]上書き保存", "上書き保存(&S)"),
    WindowCommand(kCommandSaveAs, "[ﾌｧｲﾙ]名前を付けて保存", "名前を付けて保存(&A)..."),
    Listed(32807, "[ﾌｧｲﾙ]最初の状態に戻す", "最初の状態に戻す(&F)", "ToFirst")
        .Confirm("最初の状態に戻します"),
    Listed(32849, "[ﾌｧｲﾙ]横方向への結合", "横方向の結合(&K)...", "Join")
        .Ask(D::OpenFile, "結合するファイル名の入力"),
    Listed(32834, "[ﾌｧｲﾙ]MIME→ファイル", "MIME→ファイル(&M)...", "MimeOut")
        .Ask(D::SaveFile, "出力ファイル名の入力"),
    Listed(32844, "[ﾌｧｲﾙ]UUENCODE→ファイル", "UUENCODE→ファイル(&U)...", "UuencodeOut")
        .Ask(D::SaveFile, "出力ファイル名の入力"),
    WindowCommand(kCommandFileToMime, "[ﾌｧｲﾙ]ファイル→MIME", "ファイル→MIME(&E)..."),
    WindowCommand(kCommandUnicodeFileToText, "[ﾌｧｲﾙ]UNICODEファイル→TEXT",
                  "UNICODEファイル→TEXT(&T)..."),
    Ui(kCommandPrint, "[ﾌｧｲﾙ]印刷", "印刷(&P)..."),
    Ui(kCommandPrintPreview, "[ﾌｧｲﾙ]印刷プレビュー", "印刷プレビュー(&V)"),
    WindowCommand(kCommandPrintSetup, "[ﾌｧｲﾙ]プリンタの設定", "プリンタの設定(&R)..."),
    Ui(kCommandPrintFormat, "[ﾌｧｲﾙ]印刷形式", "印刷形式(&I)..."),
    WindowCommand(kCommandRecentFile, "[ﾌｧｲﾙ]以前開いたファイル", "以前開いたファイル"),
    WindowCommand(kCommandExit, "[ﾌｧｲﾙ]終了", "アプリケーションの終了(&X)"),

    // [編集]
    Listed(kCommandUndo, "[編集]アンドゥ", "アンドゥ(&U)").As(F::Undo),
    Listed(kCommandRedo, "[編集]リドゥ", "リドウ(&R)").As(F::Redo),
    Listed(kCommandCopy, "[編集]コピー", "コピー(&C)", "Copy").After(),
    WindowCommand(kCommandPaste, "[編集]貼り付け", "貼り付け(&P)", "Paste"),
    Listed(kCommandPastePlus, "[編集]横結合貼り付け", "横結合貼り付け(&Y)", "PastePlus")
        .Confirm("行末に結合して貼りつけます"),
    Listed(32831, "[編集]並べ替え（昇順）", "昇順(&S)", "Sort1")
        .Confirm("全行を昇順に並べ替えます"),
    Listed(32832, "[編集]並べ替え（降順）", "降順(&K)", "Sort2")
        .Confirm("全行を降順に並べ替えます"),
    Listed(32918, "[編集]並べ替え（複雑）", "複雑な整列(&A)...", "Sort")
        .Ask(D::Sort)
        .As(F::Sort)
        .After(),
    Listed(32947, "[編集]逆順", "逆順(&R)", "Reverse").Confirm("全行を逆順に並べ替えます"),
    Listed(kCommandLineEdit, "[編集]行編集", "行編集(&L)...", "LineEdit")
        .Ask(D::LineText)
        .As(F::LineEdit)
        .After(),
    Listed(32930, "[編集]行挿入", "行挿入(&I)...", "InsertLine")
        .Ask(D::LineText)
        .As(F::InsertLine)
        .After(),
    Listed(32931, "[編集]最後に行挿入", "最後に行挿入(&E)...", "InsertEndLine")
        .Ask(D::LineText)
        .After(),
    Listed(32919, "[編集]全編集", "全編集(&W)...").As(F::EditAll),
    Listed(kCommandLineSelect, "[編集]対象行選択", "対象行選択(&T)...", "LineSelect")
        .Ask(D::SelectLines)
        .As(F::LineSelect),
    Listed(kCommandNotsel, "[編集]排他選択", "排他選択(&H)", "Notsel"),
    Listed(kCommandTextAll, "[編集]全て選択", "全て選択(&A)", "TextAll"),

    // [整形]
    Listed(kCommandTurnChange, "[整形]折り返し", "折り返し(&O)...", "TurnChange")
        .Ask(D::Number, "折り返す桁数を指定してください")
        .Store("Turn", "No"),
    Listed(32801, "[整形]ｲﾝﾃﾞﾝﾄ折り返し", "ｲﾝﾃﾞﾝﾄ折り返し(&J)...", "IndTurnChange")
        .Ask(D::Number, "折り返す桁数を指定してください")
        .Store("Turn", "No"),
    Listed(32840, "[整形]指定文字で改行", "指定文字で改行(&E)...", "TurnIf")
        .Ask(D::BreakAt)
        .After(),
    Listed(32772, "[整形]カット", "カット(&K)...", "KetaChange")
        .Ask(D::Number, "桁数を指定してください")
        .Store("Textketa", "No"),
    Listed(32913, "[整形]全行の一行化", "全行の一行化(&T)", "ToOnelineAll")
        .Confirm("全行を1行化します"),
    Listed(32791, "[整形]ﾌﾞﾛｯｸ単位の一行化", "ブロック単位の一行化(&H)", "ToOneline")
        .Confirm("ブロック単位に一行化します"),
    Listed(32841, "[整形]指定行数の一行化", "指定行数の一行化(&F)...", "OnelineNo")
        .Ask(D::JoinCount)
        .After(),
    Listed(32773, "[整形]インデント", "インデント(&I)...", "IndentChange")
        .Ask(D::Number, "インデント桁数を指定してください")
        .Store("TextIndent", "No"),
    Listed(32770, "[整形]文字の埋め込み", "文字の埋め込み(&U)...", "OverwriteString")
        .Ask(D::Overwrite),
    Listed(32771, "[整形]連番の埋め込み", "連番の埋め込み(&R)...", "RenoString").Ask(D::Numbering),
    Listed(32775, "[整形]文字の挿入", "文字の挿入(&S)...", "InsertString").Ask(D::Insert),
    Listed(32776, "[整形]指定桁の削除", "指定桁の削除(&D)...", "DeletePos").Ask(D::DeleteColumns),
    Listed(32825, "[整形]最後に文字を追加", "最後に文字を追加(&A)...", "StrCat")
        .Ask(D::Text, "最後に追加する文字列を入力してください")
        .Store("StrAdd", "String"),
    Listed(32926, "[整形]指定文字の削除", "指定文字の削除(&G)...", "DelStr")
        .Ask(D::DeleteString)
        .As(F::DeleteString)
        .Counts(),
    Listed(kCommandLineDelete, "[整形]行の削除", "行の削除(&C)", "LineDelete")
        .Confirm("処理対象行を削除します"),
    Listed(kCommandDupLineDel, "[整形]重複行削除", "重複行削除(&P)...", "DupLineDel")
        .Ask(D::DuplicateLines)
        .After(),
    Listed(32839, "[整形]空白の挿入", "空白の挿入(&N)...", "SpaceInsert")
        .Ask(D::SpaceInsert)
        .After(),
    Listed(kCommandDelSpaceLine, "[整形]空白行の削除", "空白行の削除(&L)", "DelSpaceLine")
        .Confirm("空白行を削除します"),
    Listed(32800, "[整形]複数空行を1行に", "複数空行を1行に(&M)", "DelSpaceMultiLine")
        .Confirm("複数空白行を１行にします"),
    Listed(32822, "[整形]空白のみの行の空白削除", "空白のみの行の空白削除(&E)", "DelSpaceOnly")
        .Confirm("空白のみの行の空白を削除します"),
    Listed(kCommandDelSpaceFirst, "[整形]先頭の空白を削除", "先頭の空白を削除(&F)", "DelSpaceFirst")
        .Confirm("先頭の空白を削除します"),
    Listed(kCommandDelSpaceBack, "[整形]後方の空白を削除", "後方の空白を削除(&B)", "DelSpaceBack")
        .Confirm("後方の空白を削除します"),
    Listed(32850, "[整形]スペース区切り→CSV", "スペース区切り→CSV(&S)", "SpToCsv")
        .Ask(D::SpaceToCsv),
    Listed(kCommandToCenter, "[整形]センタリング", "センタリング(&C)", "ToCenter")
        .Confirm("センタリングします"),
    Alias(kCommandDelSpaceFirst, "[整形]左揃え", "左揃え(&L)"),
    Listed(kCommandToRight, "[整形]右揃え", "右揃え(&R)", "ToRight").Confirm("右揃えします"),
    Listed(kCommandShiftLeft, "[整形]桁の左シフト", "左シフト(&S)", "DeletePos 1 1"),
    Listed(kCommandShiftRight, "[整形]桁の右シフト", "右シフト(&D)", "SpaceInsert 1 1 0").After(),

    // [変換]
    Listed(kCommandZenToHan, "[変換]全角半角変換", "全て変換(&H)", "ZenToHan")
        .Confirm("全角を半角に変換します"),
    Listed(32817, "[変換]全角半角ｱﾙﾌｧﾍﾞｯﾄ", "ｱﾙﾌｧﾍﾞｯﾄ(&A)", "ZenToHan2 1")
        .Confirm("全角ｱﾙﾌｧﾍﾞｯﾄを半角に変換します"),
    Listed(32820, "[変換]全角半角数字", "数字(&N)", "ZenToHan2 2")
        .Confirm("全角数字を半角に変換します"),
    Listed(32821, "[変換]全角半角カナ", "カナ(&K)", "ZenToHan2 3")
        .Confirm("全角カナを半角に変換します"),
    Listed(32846, "[変換]全角半角文字種指定", "文字種を指定(&S)...", "ZenToHanSw")
        .Ask(D::ZenToHanKinds),
    Listed(kCommandHanToZen, "[変換]半角全角変換", "全て変換(&H)", "HanToZen")
        .Confirm("半角を全角に変換します"),
    Listed(32818, "[変換]半角全角ｱﾙﾌｧﾍﾞｯﾄ", "ｱﾙﾌｧﾍﾞｯﾄ(&A)", "HanToZen2 1")
        .Confirm("半角ｱﾙﾌｧﾍﾞｯﾄを全角に変換します"),
    Listed(32819, "[変換]半角全角数字", "数字(&N)", "HanToZen2 2")
        .Confirm("半角数字を全角に変換します"),
    Listed(32816, "[変換]半角全角カナ", "カナ(&K)", "HanToZen2 3")
        .Confirm("半角カナを全角に変換します"),
    Listed(32847, "[変換]半角全角文字種指定", "文字種を指定(&S)...", "HanToZenSw")
        .Ask(D::HanToZenKinds),
    Listed(32777, "[変換]小文字→大文字", "小文字→大文字(&U)", "ToUpper")
        .Confirm("半角小文字を半角大文字に変換します"),
    Listed(32778, "[変換]大文字→小文字", "大文字→小文字(&L)", "ToLower")
        .Confirm("半角大文字を半角小文字に変換します"),
    Listed(32779, "[変換]全角小文字→全角大文字", "全角小文字→全角大文字(&V)", "ToZenUpper")
        .Confirm("小文字を大文字に変換します"),
    Listed(32780, "[変換]全角大文字→全角小文字", "全角大文字→全角小文字(&M)", "ToZenLower")
        .Confirm("大文字を小文字に変換します"),
    Listed(32911, "[変換]文頭の文字を大文字", "文頭の文字を大文字(&P)", "ToLineUpper")
        .Confirm("行頭の文字を大文字に変換します"),
    Listed(32904, "[変換]単語の先頭を大文字", "単語の先頭を大文字(&T)", "ToTopUpper")
        .Confirm("先頭の文字を大文字に変換します"),
    Listed(32912, "[変換]大文字小文字の入れ替え", "大文字小文字の入れ替え(&C)", "ChangeUpperLower")
        .Confirm("大文字を小文字に、小文字を大文字に変換します"),
    Listed(kCommandTabSpace, "[変換]タブ→空白", "タブ→空白(&T)...", "TabSpace").Ask(D::TabWidth),
    Listed(kCommandSpaceTab, "[変換]空白→タブ", "空白→タブ(&S)...", "SpaceTab").Ask(D::TabWidth),
    Listed(32916, "[変換]指定文字をタブに", "指定文字をTABに(&I)...", "TabIf")
        .Ask(D::TabAt)
        .After(),
    Listed(kCommandHiraToKana, "[変換]ひらがな→カタカナ", "ひらがな→カタカナ(&K)", "HiraToKana")
        .Confirm("ひらがなをカタカナに変換します"),
    Listed(kCommandKanaToHira, "[変換]カタカナ→ひらがな", "カタカナ→ひらがな(&R)", "KanaToHira")
        .Confirm("カタカナをひらがなに変換します"),
    Listed(32808, "[変換]CR→改行変換", "CR→改行変換(&M)", "CtlMToCRLF")
        .Confirm("Ctrl-Mを改行に変換します"),
    Listed(32823, "[変換]LF→改行変換", "LF→改行変換(&A)", "LFToCRLF")
        .Confirm("LFを改行に変換します"),
    Listed(32789, "[変換]16進コード化", "単純コード化(&C)", "ToSjisCode")
        .Confirm("文字コード（16進）に変換します"),
    Listed(32790, "[変換]JIS16進コード化", "JIS化(&D)", "ToJisCode")
        .Confirm("JISコード（16進）に変換します"),
    Listed(32804, "[変換]16進コード→文字化", "単純文字化(&S)", "CodeToSjis")
        .Confirm("文字コード（16進）で変換します"),
    Listed(32805, "[変換]16進JISコードを文字化", "JIS化(&J)", "CodeToJis")
        .Confirm("JISコード（16進）で変換します"),
    Listed(kCommandReplace, "[変換]置換", "置換(&P)...", "Replace")
        .Ask(D::Replace)
        .As(F::Replace)
        .Counts(),
    Listed(32827, "[変換]複雑な置換(開始・終了文字列)", "開始・終了文字を指定して置換(&S)...",
           "SuperReplace")
        .Ask(D::SuperReplace)
        .Counts(),
    Listed(32915, "[変換]複雑な置換(囲み文字列の置換)", "囲み文字列の置換(&K)...", "ReplaceDouble")
        .Ask(D::ReplaceDouble)
        .As(F::ReplaceDouble)
        .Counts(),
    Listed(kCommandMultiFileReplace, "[変換]複数ファイル置換", "複数ファイル置換(&G)...",
           "MultiFileReplace")
        .Ask(D::MultiReplace)
        .As(F::MultiFileReplace)
        .After(),

    // [コード]
    Listed(32942, "[コード]全て→シフトJIS", "全て→シフトJIS(&Q)", "ToSjis")
        .Confirm("シフトJISに変換します"),
    Listed(32785, "[コード]JIS→シフトJIS", "JIS→シフトJIS(&S)", "JisToSjis")
        .Confirm("JISをシフトJISに変換します"),
    Listed(32794, "[コード]EUC→シフトJIS", "EUC→シフトJIS(&E)", "EucToSjis")
        .Confirm("EUCコードをシフトJISに変換します"),
    Listed(32927, "[コード]UTF8→シフトJIS", "UTF8→シフトJIS(&8)", "Utf8ToSjis")
        .Confirm("UTF8をシフトJISに変換します"),
    Listed(32920, "[コード]UTF7→通常", "UTF7→シフトJIS(&7)", "UnicodeToMbcs")
        .Confirm("UNICODEを通常コードに変換します"),
    Listed(32787, "[コード]URL形式(%)デコード", "URL形式(%)デコード(&U)", "UrlToSjis")
        .Confirm("URL形式をシフトJISに変換します"),
    Listed(32796, "[コード]URL形式(=)デコード", "URL形式(=)デコード(&T)", "UrleToSjis")
        .Confirm("URL形式をシフトJISに変換します"),
    Listed(32833, "[コード]MIMEデコード", "MIME→シフトJIS(&I)", "MimeToSjis")
        .Confirm("MIME形式をシフトJISに変換します"),
    Listed(32786, "[コード]シフトJIS→JIS", "シフトJIS→JIS(&J)", "SjisToJis")
        .Confirm("シフトJISをJISに変換します"),
    Listed(32795, "[コード]シフトJIS→EUC", "シフトJIS→EUC(&F)", "SjisToEuc")
        .Confirm("シフトJISをEUCコードに変換します")
        .As(F::SjisToEuc),
    Listed(32940, "[コード]シフトJIS→UTF8", "シフトJIS→UTF8(&B)", "SjisToUtf8")
        .Confirm("シフトJISをUTF8に変換します"),
    Listed(32836, "[コード]シフトJIS→MIMEヘッダ", "シフトJIS→MIMEヘッダ(&N)", "SjisToMime")
        .Confirm("シフトJISをMIME形式に変換します"),
    Listed(32943, "[コード]MIME形式に変換", "MIME形式に変換(&M)", "ToMime")
        .Confirm("MIME形式に変換します"),
    Ui(kCommandCodeDetection, "[コード]コード判定", "コード判定(&D)..."),

    // [表示]
    Ui(kCommandCharacterCount, "[表示]文字数のカウント", "文字数のカウント(&C)"),
    WindowCommand(kCommandToolbar, "[表示]ツールバー", "ツールバー(&T)"),
    WindowCommand(kCommandStatusBar, "[表示]ステータス バー", "ステータス バー(&S)"),

    // [ｵﾌﾟｼｮﾝ]
    WindowCommand(kCommandSettings, "[ｵﾌﾟｼｮﾝ]設定", "設定(&S)..."),
    WindowCommand(kCommandEditorSettings, "[ｵﾌﾟｼｮﾝ]エディタの設定", "エディタの設定(&R)..."),
    WindowCommand(kCommandStartEditor, "[ｵﾌﾟｼｮﾝ]エディタの起動", "エディタの起動(&E)"),
    WindowCommand(kCommandEditKeys, "[ｵﾌﾟｼｮﾝ]キーカスタマイズ", "キーカスタマイズ(&K)..."),
    WindowCommand(kCommandToggleRecording, "[ｵﾌﾟｼｮﾝ]マクロの記録", "マクロ記録(&C)"),
    WindowCommand(kCommandRunMacro, "[ｵﾌﾟｼｮﾝ]マクロの実行", "マクロ実行(&X)..."),
    WindowCommand(kCommandEditMacroMenu, "[ｵﾌﾟｼｮﾝ]マクロメニュー編集", "マクロメニュー編集(&D)..."),

    // [ｳｨﾝﾄﾞｳ]
    WindowCommand(kCommandNewWindow, "[ｳｨﾝﾄﾞｳ]新しいウィンドウを開く",
                  "新しいウィンドウを開く(&N)"),
    WindowCommand(kCommandCascade, "[ｳｨﾝﾄﾞｳ]重ねて表示", "重ねて表示(&C)"),
    WindowCommand(kCommandTileStacked, "[ｳｨﾝﾄﾞｳ]上下に並べて表示", "上下に並べて表示(&T)"),
    WindowCommand(kCommandTileSideBySide, "[ｳｨﾝﾄﾞｳ]左右に並べて表示", "左右に並べて表示(&V)"),
    WindowCommand(kCommandArrangeIcons, "[ｳｨﾝﾄﾞｳ]アイコンの整列", "アイコンの整列(&A)"),

    // [ﾍﾙﾌﾟ]
    WindowCommand(kCommandHelpContents, "[ﾍﾙﾌﾟ]目次", "目次"),
    WindowCommand(kCommandHelpKeywords, "[ﾍﾙﾌﾟ]キーワードで検索", "キーワードで検索(&S)"),
    WindowCommand(kCommandAbout, "[ﾍﾙﾌﾟ]バージョン情報", "バージョン情報(&A)..."),

    // Not in the command-name table.
    WindowCommand(kCommandNew, {}, "新規作成(&N)..."),
    Unlisted(32788, "URL形式(%)エンコード(&U)", "SjisToUrl")
        .Confirm("URLエンコード形式に変換します"),
    Unlisted(32949, "結合(&B)...", "FileInsert").Ask(D::OpenFile, "読み込むファイル名の入力"),
    Unlisted(32921, "通常コード→UNICODE(&B)", "MbcsToUnicode")
        .Confirm("通常コードをUNICODEに変換します"),
    Ui(kCommandFont, {}, "フォントの変更(&F)..."),
    Ui(kCommandLineNumbers, {}, "行番号(&L)"),
    Ui(kCommandDisplayWrap, {}, "右端で折り返して表示(&W)"),
    Ui(kCommandLineDown, {}, {}),  // keyboard-only page movement of the view
    Ui(kCommandLineUp, {}, {}),
    Ui(kCommandPageDown, {}, {}),
    Ui(kCommandPageUp, {}, {}),
    Ui(kCommandGoToLine, {}, "指定行へ移動(&G)..."),
    Ui(kCommandFind, {}, "検索(&F)..."),
    Ui(kCommandFindNext, {}, "次を検索(&N)"),
    Ui(kCommandFindPrevious, {}, "前を検索(&V)"),
    Ui(kCommandViewTop, {}, {}),  // keyboard-only movement to the ends of the text
    Ui(kCommandViewBottom, {}, {}),
    Unlisted(32934, {}),  // a menu item that does nothing
    WindowCommand(kCommandClipboardMonitor, {}, "クリップボード監視(&L)"),
    WindowCommand(kCommandExtendedToolbar, {}, "拡張ツールバー(&E)"),
    WindowCommand(kCommandRunMacroOverFiles, {}, "複数ファイルを開いてマクロ実行(&N)..."),
    WindowCommand(kCommandEditRightClickMenu, {}, "右クリックメニューカスタマイズ(&M)..."),
    WindowCommand(kCommandCloseAllWindows, {}, "全てのウィンドウを閉じる(&B)"),
    WindowCommand(kCommandCheckForUpdate, {}, "最新バージョンの確認(&V)..."),
};

std::vector<CommandInfo> BuildCommands() {
    std::vector<CommandInfo> rows;
    // The names of the macro-menu rows need storage that never moves.
    static std::deque<std::string> names;
    std::size_t lastListed = 0;
    for (std::size_t i = 0; i < std::size(kCommands); ++i)
        if (!kCommands[i].displayName.empty()) lastListed = i;
    for (std::size_t i = 0; i < std::size(kCommands); ++i) {
        rows.push_back(kCommands[i]);
        if (i != lastListed) continue;
        for (int n = 0; n < kMacroMenuCount; ++n) {
            names.push_back("[ﾏｸﾛ]マクロメニュー" + std::to_string(n + 1));
            rows.push_back(
                WindowCommand(static_cast<CommandId>(kMacroMenuFirst + n), names.back(), {}));
        }
    }
    return rows;
}

}  // namespace

const std::vector<CommandInfo>& AllCommands() {
    static const std::vector<CommandInfo> rows = BuildCommands();
    return rows;
}

const CommandInfo* FindCommand(CommandId id) {
    for (const auto& row : AllCommands())
        if (row.id == id) return &row;
    return nullptr;
}

const std::vector<CommandName>& CommandNameTable() {
    static const std::vector<CommandName> table = [] {
        std::vector<CommandName> names;
        for (const auto& row : AllCommands())
            if (!row.displayName.empty()) names.push_back({row.displayName, row.id});
        return names;
    }();
    return table;
}

std::string_view CommandDisplayName(CommandId id) {
    for (const auto& entry : CommandNameTable())
        if (entry.id == id) return entry.name;
    return {};
}

}  // namespace qb
