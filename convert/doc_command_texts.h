// What the front ends show and record around the document conversion commands: each command's
// macro line and confirmation text, and the texts of the dialogs that belong to these commands.
// All texts are UTF-8.
#pragma once

#include <array>
#include <string_view>

namespace qb {

struct DocCommandText {
    // The macro line the view records: the whole line for commands with a fixed argument
    // ("ZenToHan2 1"), else the command's name, to be followed by the argument `argument` names.
    std::string_view macro;
    std::string_view argument;      // "" none, "n" a decimal integer, "f" a file path
    std::string_view confirmation;  // asked under "System"/"Verify"; empty: a dialog asks instead
};

inline constexpr std::array<DocCommandText, 42> kDocCommandTexts{{
    {"ZenToHan", "", "全角を半角に変換します"},
    {"ZenToHan2 1", "", "全角ｱﾙﾌｧﾍﾞｯﾄを半角に変換します"},
    {"ZenToHan2 2", "", "全角数字を半角に変換します"},
    {"ZenToHan2 3", "", "全角カナを半角に変換します"},
    {"HanToZen", "", "半角を全角に変換します"},
    {"HanToZen2 1", "", "半角ｱﾙﾌｧﾍﾞｯﾄを全角に変換します"},
    {"HanToZen2 2", "", "半角数字を全角に変換します"},
    {"HanToZen2 3", "", "半角カナを全角に変換します"},
    {"ZenToHanSw", "n", ""},
    {"HanToZenSw", "n", ""},
    {"ToUpper", "", "半角小文字を半角大文字に変換します"},
    {"ToLower", "", "半角大文字を半角小文字に変換します"},
    {"ToZenUpper", "", "小文字を大文字に変換します"},
    {"ToZenLower", "", "大文字を小文字に変換します"},
    {"HiraToKana", "", "ひらがなをカタカナに変換します"},
    {"KanaToHira", "", "カタカナをひらがなに変換します"},
    {"ToTopUpper", "", "先頭の文字を大文字に変換します"},
    {"ToLineUpper", "", "行頭の文字を大文字に変換します"},
    {"ChangeUpperLower", "", "大文字を小文字に、小文字を大文字に変換します"},
    {"JisToSjis", "", "JISをシフトJISに変換します"},
    {"SjisToJis", "", "シフトJISをJISに変換します"},
    {"EucToSjis", "", "EUCコードをシフトJISに変換します"},
    // The argument is the "Euc"/"Code" setting when the line is recorded; a replay reads the
    // setting again instead.
    {"SjisToEuc", "n", "シフトJISをEUCコードに変換します"},
    {"ToSjis", "", "シフトJISに変換します"},
    {"Utf8ToSjis", "", "UTF8をシフトJISに変換します"},
    {"SjisToUtf8", "", "シフトJISをUTF8に変換します"},
    {"UnicodeToMbcs", "", "UNICODEを通常コードに変換します"},
    {"MbcsToUnicode", "", "通常コードをUNICODEに変換します"},
    {"MimeToSjis", "", "MIME形式をシフトJISに変換します"},
    {"SjisToMime", "", "シフトJISをMIME形式に変換します"},
    {"ToMime", "", "MIME形式に変換します"},
    {"UrlToSjis", "", "URL形式をシフトJISに変換します"},
    {"SjisToUrl", "", "URLエンコード形式に変換します"},
    {"UrleToSjis", "", "URL形式をシフトJISに変換します"},
    {"ToSjisCode", "", "文字コード（16進）に変換します"},
    {"ToJisCode", "", "JISコード（16進）に変換します"},
    {"CodeToSjis", "", "文字コード（16進）で変換します"},
    {"CodeToJis", "", "JISコード（16進）で変換します"},
    {"MimeOut", "f", ""},
    {"UuencodeOut", "f", ""},
    // The macro language's names of the kind commands, which the menus record with a kind.
    {"ZenToHan2", "n", ""},
    {"HanToZen2", "n", ""},
}};

// The confirmation text of a macro line ("ZenToHan2 1", "SjisToUtf8"); empty for a line these
// commands do not know or whose command asks through a dialog.
constexpr std::string_view DocCommandConfirmation(std::string_view macroLine) {
    for (const auto& text : kDocCommandTexts)
        if (text.macro == macroLine) return text.confirmation;
    return {};
}

// Dialogs of MimeOut and UuencodeOut (a save-file dialog) and of the two file conversions that
// make a new document (an open-file dialog).
inline constexpr std::string_view kOutputFileDialogTitle = "出力ファイル名の入力";
inline constexpr std::string_view kAllFilesFilter = "全てのﾌｧｲﾙ(*.*) |*.*||";
inline constexpr std::string_view kFileToMimeDialogTitle = "MIME化するファイル";
inline constexpr std::string_view kUnicodeFileDialogTitle = "UNICODEファイル";

// The code-detection dialog: its title, the text before the list, the list entries in the order
// of CodeKind (convert/code_kind.h) and the note under it.
inline constexpr std::string_view kCodeDialogTitle = "コード判定";
inline constexpr std::string_view kCodeDialogLabel = "現在の文字コードは";
inline constexpr std::array<std::string_view, 6> kCodeKindNames{"シフトJIS", "JIS",   "EUC",
                                                                "UTF8",      "ASCII", "不明"};
inline constexpr std::string_view kCodeDialogNote =
    "注：文字数が少ない場合などには判定が正確でない場合があります";

}  // namespace qb
