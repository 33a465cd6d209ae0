#include "app/cli/cli_messages.h"

#include <cstdlib>

namespace qb {

namespace {

struct Translation {
    std::string_view japanese;
    std::string_view english;
};

// The messages of the document, the macro interpreter and the recorder, and qbay's own that
// repeat them. Longer texts come before the texts they hold ("ファイルを開けません" holds no
// other, but "ファイルに書き込めません" must not be caught by a shorter entry first).
constexpr Translation kTranslations[] = {
    {"ファイル名がないため保存できません (Save PATH で保存先を指定してください)",
     "cannot save: the document has no file name (give one with Save PATH)"},
    {"行の挿入は複数行選択している状態では行えません",
     "cannot insert a line while several lines are target lines"},
    {"行が選択されていません。カウントする行を選択してください",
     "no line is chosen; choose the lines to count"},
    {"改行文字を含む行のため、マクロを実行しても同じ結果になりません",
     "the line holds a line break, so replaying the macro will not give the same result"},
    {"正規表現のエラーのため置換を中止しました（",
     "replacing stopped by an error in the pattern ("},
    {"マクロファイルを最後まで読めません", "cannot read the macro file to its end"},
    {"マクロファイルを作成できません", "cannot create the macro file"},
    {"マクロファイルに書き込めません", "cannot write the macro file"},
    {"。記録を終了しました", "; recording stopped"},
    {"マクロの引数が足りません", "an argument is missing from the macro line"},
    {"マクロ記録中です!", "a macro is being recorded"},
    {"埋め込み桁数が多すぎます", "too many digits (at most 2047)"},
    {"ファイルが見つかりません", "file not found"},
    {"UTF-8ファイルにシフトJISで表せない文字が多すぎるため置換しません",
     "left alone: it holds more characters Shift-JIS lacks than can be kept while replacing"},
    {"フォルダが見つかりません", "folder not found"},
    {"ファイルに書き込めません", "cannot write the file"},
    {"ファイルが開けません", "cannot open the file"},
    {"ファイルを開けません", "cannot open the file"},
    {"ファイル書き込みエラー", "error writing the file"},
    {"ファイルRenameエラー", "cannot rename the file"},
    {"ReadファイルOpenエラー", "cannot open the file to read"},
    {"WORKファイルOpenエラー", "cannot open the work file"},
    {"文書が存在しません", "no document is open"},
    {"文字列が見つかりません", "text not found"},
    {"検索語を入力してください", "enter a text to search for"},
    {"個の置換を行いました", " replacements made"},
};

// The ）that closes the reason of the pattern error.
constexpr std::string_view kClosingParenthesis = "）";

}  // namespace

bool JapaneseMessages(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang})
        if (value && *value) return std::string_view(value).substr(0, 2) == "ja";
    return false;
}

bool JapaneseMessagesFromEnvironment() {
    return JapaneseMessages(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

std::string EnglishMessage(std::string_view message) {
    std::string text(message);
    for (const Translation& t : kTranslations) {
        for (std::size_t at = text.find(t.japanese); at != std::string::npos;
             at = text.find(t.japanese, at + t.english.size()))
            text.replace(at, t.japanese.size(), t.english);
    }
    if (text.starts_with("replacing stopped") && text.ends_with(kClosingParenthesis))
        text.replace(text.size() - kClosingParenthesis.size(), kClosingParenthesis.size(), ")");
    if (text == "1 replacements made") text = "1 replacement made";
    return text;
}

}  // namespace qb
