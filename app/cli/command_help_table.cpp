// The help rows of the macro commands, in the interpreter's lookup order (macro_commands.cpp).
// Examples that say `checked` run in a test exactly as written here.
#include "app/cli/command_help.h"

namespace qb {

namespace {

using T = HelpTopic;
using C = Counting;

constexpr std::string_view kKinsoku =
    "Print/KinsokuFirst Print/KinsokuLast Print/bKinFirst Print/bKinLast Print/TagKinsoku "
    "Turn/English";

CommandHelp Row(std::string_view name, HelpTopic topic, std::string_view about,
                std::string_view args, C counting, std::string_view example,
                std::string_view before, std::string_view after) {
    CommandHelp h;
    h.name = name;
    h.topic = topic;
    h.about = about;
    h.args = args;
    h.counting = counting;
    h.example = example;
    h.before = before;
    h.after = after;
    return h;
}

// A row whose command reads settings.
CommandHelp Reads(CommandHelp h, std::string_view settings) {
    h.settings = settings;
    return h;
}

// A row whose example works on files or standard input: shown, not run by the tests.
CommandHelp Unchecked(CommandHelp h) {
    h.checked = false;
    return h;
}

}  // namespace

const std::vector<CommandHelp>& CommandHelps() {
    static const std::vector<CommandHelp> rows = {
        Row("OverwriteString", T::Columns,
            "Writes TEXT over the bytes of every target line from COLUMN on; a line shorter "
            "than that is first padded with spaces. The line keeps its length when it is long "
            "enough.",
            "COLUMN  where TEXT starts; 1 to 32767; 0 when left out\n"
            "TEXT  the text to write (escapes: \\s space, \\t tab); empty when left out",
            C::Columns, "OverwriteString 2 ZZ", "abcd\na", "aZZd\naZZ"),
        Row("RenoString", T::Columns,
            "Writes serial numbers over DIGITS columns of every target line from COLUMN on, "
            "START for the first target line and STEP more for each next one. A number wider "
            "than DIGITS keeps its first DIGITS characters.",
            "STEP  added for each target line; any integer; 0 when left out\n"
            "DIGITS  the width of each number; 1 to 2047; 0 when left out (nothing is written)\n"
            "COLUMN  where the numbers start; 1 to 32767; 0 when left out\n"
            "START  the first number; any integer; 0 when left out\n"
            "ZEROSUP  1: pad with spaces instead of zeros; 0 when left out",
            C::Columns, "RenoString 1 3 1 1 0", "a\nb\nc", "001\n002\n003"),
        Row("KetaChange", T::Columns,
            "Cuts every target line to WIDTH bytes, or pads it with spaces to WIDTH bytes. A "
            "full-width character that the cut would split goes whole (the line is then one "
            "byte shorter).",
            "WIDTH  the length of every line in bytes; 0 or more; required", C::Widths,
            "KetaChange 4", "abcdef\nあいう", "abcd\nあい"),
        Row("IndentChange", T::Columns,
            "Puts COLUMNS spaces in front of every non-empty target line; empty lines stay "
            "empty.",
            "COLUMNS  the number of spaces; 0 or more; 0 when left out", C::Widths,
            "IndentChange 2", "x\n\ny", "  x\n\n  y"),
        Row("InsertString", T::Columns,
            "Inserts TEXT into every target line before COLUMN, padding shorter lines with "
            "spaces. A \\n in TEXT splits the line there.",
            "COLUMN  where TEXT goes; 1 to 32767; 0 when left out\n"
            "TEXT  the text to insert (escapes: \\s space, \\t tab, \\n line break); empty when "
            "left out",
            C::Columns, "InsertString 3 --", "abcd", "ab--cd"),
        Row("DeletePos", T::Columns,
            "Deletes the columns FIRST to LAST (both included) of every target line; a line "
            "that ends inside them is cut at FIRST.",
            "FIRST  the first column deleted; 1 to 32767; required\n"
            "LAST  the last column deleted; 1 to 32767; required",
            C::Columns, "DeletePos 2 3", "abcde\nab", "ade\na"),
        Row("ZenToHan", T::Width,
            "Turns every full-width character that has a half-width form into it: letters, "
            "digits, symbols, spaces, katakana and hiragana too (both become half-width "
            "katakana; a voiced kana becomes two characters). Kanji stay.",
            "", C::None, "ZenToHan", "ＡＢＣ　１２３　カタカナ　ひら", "ABC 123 ｶﾀｶﾅ ﾋﾗ"),
        Row("HanToZen", T::Width,
            "Turns every half-width character into its full-width form: letters, digits, "
            "symbols, spaces and half-width katakana (a kana followed by ﾞ or ﾟ becomes one "
            "voiced kana).",
            "", C::None, "HanToZen", "ABC 123 ｶﾞｷﾞ", "ＡＢＣ　１２３　ガギ"),
        Row("ToUpper", T::CaseKana,
            "Turns lower-case letters into upper case, half-width and full-width alike (as "
            "ToZenUpper does; empty lines are visited too, which makes no difference).",
            "", C::None, "ToUpper", "abc ａｂｃ", "ABC ＡＢＣ"),
        Row("ToLower", T::CaseKana,
            "Turns upper-case letters into lower case, half-width and full-width alike (as "
            "ToZenLower does).",
            "", C::None, "ToLower", "ABC ＡＢＣ", "abc ａｂｃ"),
        Row("ToZenUpper", T::CaseKana,
            "Turns lower-case letters into upper case, half-width and full-width alike.", "",
            C::None, "ToZenUpper", "abc ａｂｃ", "ABC ＡＢＣ"),
        Row("ToZenLower", T::CaseKana,
            "Turns upper-case letters into lower case, half-width and full-width alike.", "",
            C::None, "ToZenLower", "ABC ＡＢＣ", "abc ａｂｃ"),
        Row("HiraToKana", T::CaseKana, "Turns hiragana into full-width katakana.", "", C::None,
            "HiraToKana", "ひらがな", "ヒラガナ"),
        Row("KanaToHira", T::CaseKana,
            "Turns full-width katakana into hiragana (those without a hiragana form, such as "
            "ヴ and ヵ, stay).",
            "", C::None, "KanaToHira", "カタカナ", "かたかな"),
        Row("Replace", T::Replace,
            "Replaces SEARCH by REPLACEMENT in every target line, left to right, without "
            "searching the replacements again. A \\n in REPLACEMENT splits the line there. "
            "Prints how many replacements were made.",
            "SEARCH  the text to find (escapes: \\s space, \\t tab, \\n line break, \\\\ "
            "backslash); with PATTERN 1 a regular expression, taken as written\n"
            "REPLACEMENT  the new text (the same escapes; \\b for an empty text); with PATTERN "
            "1, $1 $& $` $' and $$ stand for parts of the match\n"
            "FLAGS  the sum of 1 (full-width and half-width match), 2 (upper and lower case "
            "match), 4 (katakana and hiragana match); 0 when left out\n"
            "PATTERN  1: SEARCH is a regular expression (JavaScript syntax; of FLAGS only 2 "
            "counts); 0 when left out",
            C::None, "Replace colour color 2 0", "Colour and colour", "color and color"),
        Reads(Row("TurnChange", T::Wrapping,
                  "Folds every target line into lines of at most WIDTH bytes, keeping the "
                  "Japanese line-breaking rules (kinsoku): a character that must not begin a "
                  "line hangs at the end of the line before, one that must not end a line moves "
                  "to the next; a break never falls inside a <tag>; English words are treated "
                  "as Turn/English says.",
                  "WIDTH  the longest line in bytes; 1 or more; required", C::Widths,
                  "TurnChange 6", "あいう。えお", "あいう。\nえお"),
              kKinsoku),
        Row("JisToSjis", T::Codes,
            "Reads JIS (ISO-2022-JP) target lines into Shift-JIS. The escape state carries from "
            "one target line to the next.",
            "", C::None, "JisToSjis", "{1B}$B0!{1B}(BA", "亜A"),
        Reads(Row("SjisToJis", T::Codes,
                  "Writes the target lines in JIS (ISO-2022-JP); every line ends in ASCII mode.",
                  "", C::None, "SjisToJis", "亜A", "{1B}$B0!{1B}(BA"),
              "Jis/Kana Jis/Jis"),
        Row("UrlToSjis", T::Codes,
            "Decodes %XX and + in the target lines; an & starts a new line, so a query string "
            "gives one line per parameter.",
            "", C::None, "UrlToSjis", "x=1&y=%41%42", "x=1\ny=AB"),
        Row("ToSjisCode", T::Codes,
            "Replaces every character of the target lines by its Shift-JIS code in hexadecimal, "
            "one byte after the other, each followed by a space.",
            "", C::None, "ToSjisCode", "Aあ", "41 82 A0 "),
        Row("ToJisCode", T::Codes,
            "Replaces every character of the target lines by its JIS code in hexadecimal, each "
            "followed by a space.",
            "", C::None, "ToJisCode", "あい", "2422 2424 "),
        Row("ToOneline", T::Lines,
            "Joins the target lines of each block (lines between empty lines) into one line; "
            "a line ending in 。 ends the joined line.",
            "", C::None, "ToOneline", "ab\ncd。\nef\n\ngh\nij", "abcd。\nef\n\nghij"),
        Row("EucToSjis", T::Codes, "Reads EUC-JP target lines into Shift-JIS.", "", C::None,
            "EucToSjis", "{B0 A1}A", "亜A"),
        Reads(Row("SjisToEuc", T::Codes,
                  "Writes the target lines in EUC-JP (Euc/Code 0), or in the fixed-width form "
                  "that keeps every byte (any other value).",
                  "N  ignored: the setting Euc/Code decides the form", C::None, "SjisToEuc", "亜A",
                  "{B0 A1}A"),
              "Euc/Code"),
        Row("UrleToSjis", T::Codes,
            "Decodes =XX in the target lines; a line ending in = continues on the next line "
            "(soft line breaks, as in quoted-printable).",
            "", C::None, "UrleToSjis", "a=3D=\nb", "a=b"),
        Row("DelSpaceLine", T::Whitespace,
            "Deletes the target lines that are empty or hold only spaces, full-width spaces "
            "and tabs.",
            "", C::None, "DelSpaceLine", "a\n  \n\nb", "a\nb"),
        Row("DelSpaceBack", T::Whitespace,
            "Deletes the spaces and full-width spaces at the end of every target line.", "",
            C::None, "DelSpaceBack", "ab  \ncd　", "ab\ncd"),
        Row("DelSpaceFirst", T::Whitespace,
            "Deletes the spaces and full-width spaces at the start of every target line (a tab "
            "stops the run).",
            "", C::None, "DelSpaceFirst", "  ab\n　cd", "ab\ncd"),
        Row("DelSpaceMultiLine", T::Whitespace,
            "Makes each run of blank target lines (empty, or only spaces) one empty line.", "",
            C::None, "DelSpaceMultiLine", "a\n\n  \n\nb", "a\n\nb"),
        Reads(Row("IndTurnChange", T::Wrapping,
                  "Folds as TurnChange does, and starts every continued line with the leading "
                  "blanks of the line it came from.",
                  "WIDTH  the longest line in bytes, indent included; 1 or more; required",
                  C::Widths, "IndTurnChange 6", "  abcdefgh", "  abcd\n  efgh"),
              kKinsoku),
        Row("TextAll", T::TargetLines,
            "Makes every line a target line again: all lines, step 1, no condition. An inverted "
            "choice (Notsel) stays inverted.",
            "", C::None, "LineSelect 1 x 1 9 0\nTextAll\nStrCat !", "ax\nb", "ax!\nb!"),
        Row("CodeToSjis", T::Codes,
            "Reads hexadecimal Shift-JIS codes (as ToSjisCode writes them) back into characters.",
            "", C::None, "CodeToSjis", "41 82 A0", "Aあ"),
        Row("CodeToJis", T::Codes,
            "Reads hexadecimal JIS codes (as ToJisCode writes them) back into characters.", "",
            C::None, "CodeToJis", "2422 2424", "あい"),
        Unchecked(Reads(Row("ToFirst", T::Lines,
                            "Reads the document's file again as it was when opened, throwing "
                            "away every change made since (the codes are converted again as on "
                            "opening).",
                            "", C::None, "ToUpper\nToFirst", "abc", "abc"),
                        "System/Auto")),
        Row("CtlMToCRLF", T::Whitespace,
            "Splits the target lines at every CR byte (a Mac line end left inside a line).", "",
            C::None, "CtlMToCRLF", "a{0D}b", "a\nb"),
        Row("ZenToHan2", T::Width, "Turns one kind of full-width character into half width.",
            "KIND  1 letters, 2 digits, 3 katakana and symbols; 0 when left out (every kind)",
            C::None, "ZenToHan2 2", "ＡＢ１２", "ＡＢ12"),
        Row("HanToZen2", T::Width, "Turns one kind of half-width character into full width.",
            "KIND  1 letters, 2 digits, 3 katakana; 0 when left out (every kind)", C::None,
            "HanToZen2 1", "AB12", "ＡＢ12"),
        Row("DelSpaceOnly", T::Whitespace,
            "Empties the target lines that hold only spaces and full-width spaces (a tab makes "
            "a line non-blank).",
            "", C::None, "DelSpaceOnly", "a\n   \nb", "a\n\nb"),
        Row("LFToCRLF", T::Whitespace,
            "Splits the target lines at every LF byte left inside a line.", "", C::None, "LFToCRLF",
            "a{0A}b", "a\nb"),
        Row("LineDelete", T::Lines, "Deletes the target lines.", "", C::None,
            "LineSelect 1 x 1 9 0\nLineDelete", "ax\nb\ncx", "b"),
        Row("StrCat", T::Lines, "Appends TEXT to the end of every target line.",
            "TEXT  the text to append (escapes: \\s space, \\t tab); empty when left out", C::None,
            "StrCat \\s(checked)", "milk", "milk (checked)"),
        Row("Notsel", T::TargetLines,
            "Inverts the choice of target lines: lines that were not targets become targets "
            "and the other way round. A second Notsel undoes it.",
            "", C::None, "LineSelect 1 x 1 9 0\nNotsel\nLineDelete", "ax\nb\ncx", "ax\ncx"),
        Row("SuperReplace", T::Replace,
            "Replaces every span from START to the next END (both included) by REPLACEMENT; "
            "a START without an END after it is replaced alone. Prints how many STARTs were "
            "found.",
            "START  the text a span begins with (escapes as in Replace)\n"
            "END  the text it ends with\n"
            "REPLACEMENT  the new text; \\b or left out for none",
            C::None, "SuperReplace ( ) \\b", "x(y)z(w", "xzw"),
        Row("Sort1", T::Lines,
            "Sorts all lines in ascending order, upper and lower case alike (every line, "
            "whatever the target lines).",
            "", C::None, "Sort1", "b\nc\na", "a\nb\nc"),
        Row("Sort2", T::Lines, "Sorts all lines in descending order, as Sort1 compares them.", "",
            C::None, "Sort2", "b\nc\na", "c\nb\na"),
        Row("MimeToSjis", T::Codes,
            "Decodes MIME: encoded words (=?ISO-2022-JP?B?...?=, =?utf-8?Q?...?=) in place, and "
            "a line without one as Base64.",
            "", C::None, "MimeToSjis", "=?ISO-2022-JP?B?GyRCJCIbKEI=?=", "あ"),
        Unchecked(Row("MimeOut", T::Files,
                      "Decodes the Base64 target lines and writes their bytes to FILE (made "
                      "anew); the lines stay as they are.",
                      "FILE  the file to write (escapes: \\s space); required", C::None,
                      "MimeOut hello.txt", "SGVsbG8=", "SGVsbG8=   (hello.txt holds Hello)")),
        Row("SjisToMime", T::Codes,
            "Encodes every target line as a MIME header word, =?ISO-2022-JP?B?...?=, with the "
            "JIS form the last SjisToJis used.",
            "", C::None, "SjisToMime", "あ", "=?ISO-2022-JP?B?GyRCJCIbKEI=?="),
        Reads(Row("LineSelect", T::TargetLines,
                  "Chooses the target lines: those from FIRST to LAST whose index (counted from "
                  "0 at the top) is a multiple of STEP and that hold CONDITION. Every command "
                  "after it works on these lines only.",
                  "STEP  every STEP-th line; 1 to 32767; 0 is taken as 1\n"
                  "CONDITION  the text a line must hold (escapes: \\s space; \\b for none); with "
                  "PATTERN 1 a regular expression; left out (three arguments): kept as it was\n"
                  "FIRST  the first line, from 1\n"
                  "LAST  the last line, from 1; lines past the end are never targets\n"
                  "PATTERN  1: CONDITION is a regular expression; left out: kept as it was "
                  "(at first LineSelect/RegExp)",
                  C::LineNumbers, "LineSelect 1 x 1 9 0\nStrCat !", "ax\nb", "ax!\nb"),
              "LineSelect/RegExp"),
        Row("Copy", T::Lines,
            "Copies the target lines to qbay's clipboard, which lives for the run (Paste and "
            "PastePlus take it).",
            "", C::None, "Copy\nPastePlus", "a\nb", "aa\nbb"),
        Unchecked(Row("Paste", T::Files,
                      "Opens a new document holding the clipboard's text: what Copy put there, "
                      "else the text of standard input. Runs without a document open.",
                      "", C::None, "Paste", "(standard input) a", "a   (a new document)")),
        Row("SpaceInsert", T::Columns,
            "Inserts COUNT spaces at COLUMN of every target line, or writes them over the line "
            "there when OVERWRITE is 1.",
            "COLUMN  where the spaces go; 1 to 32767; 0 when left out\n"
            "COUNT  how many spaces; at least 1 is written; 0 when left out\n"
            "OVERWRITE  1: write over the text; 0 (or left out): insert",
            C::Columns, "SpaceInsert 1 2 0", "ab", "  ab"),
        Row("OnelineNo", T::Lines, "Joins every N target lines into one line.",
            "N  how many lines make one; 2 to 65535 (below 2 joins all); required", C::None,
            "OnelineNo 2", "a\nb\nc\nd\ne", "ab\ncd\ne"),
        Row("TurnIf", T::Wrapping,
            "Breaks every target line after each TEXT, or in place of it when REPLACE is 1.",
            "TEXT  where to break (escapes: \\s space, \\t tab)\n"
            "REPLACE  1: the break takes the place of TEXT; 0 when left out",
            C::None, "TurnIf 、 0", "はい、いいえ", "はい、\nいいえ"),
        Row("ZenToHanSw", T::Width,
            "Turns the full-width characters of the kinds MASK selects into half width.",
            "MASK  the sum of 1 hiragana (to half-width katakana), 2 katakana, 4 digits, 8 "
            "letters, 16 Japanese symbols, 32 ASCII symbols and space, 64 kanji numerals (一 to "
            "1); 0 when left out (nothing)",
            C::None, "ZenToHanSw 4", "ＡＢ１２", "ＡＢ12"),
        Row("HanToZenSw", T::Width,
            "Turns the half-width characters of the kinds MASK selects into full width.",
            "MASK  the sum of 2 katakana, 4 digits, 8 letters, 16 Japanese symbols, 32 ASCII "
            "symbols and space; 0 when left out (nothing)",
            C::None, "HanToZenSw 8", "AB12", "ＡＢ12"),
        Unchecked(Row("UuencodeOut", T::Files,
                      "Decodes the uuencoded target lines (the begin line skipped) and writes "
                      "their bytes to FILE (made anew); the lines stay as they are.",
                      "FILE  the file to write (escapes: \\s space); required", C::None,
                      "UuencodeOut hello.txt", "begin 644 hello.txt\n%2&5L;&\\`\n`\nend",
                      "(unchanged; hello.txt holds Hello)")),
        Unchecked(Row("Join", T::Files,
                      "Appends the lines of FILE to the lines of the document side by side: "
                      "the first line of FILE to the first line, and so on; lines beyond the "
                      "end of the document are added.",
                      "FILE  the file to read (escapes: \\s space); required", C::None,
                      "Join prices.txt", "apple\npear",
                      "apple 120\npear 80   (prices.txt: \" "
                      "120\" and \" 80\")")),
        Row("SpToCsv", T::Whitespace,
            "Turns the first space after each field into a comma, between the columns FIRST "
            "and LAST of every target line.",
            "FIRST  the first column; 1 to 32767; 0 when left out\n"
            "LAST  the last column; 0 when left out",
            C::Columns, "SpToCsv 1 100", "a  b c", "a, b,c"),
        Unchecked(Row("MultiFileReplace", T::Replace,
                      "Replaces SEARCH by REPLACEMENT in every file of FOLDER whose name matches "
                      "PATTERN, on disk, keeping each file's code (Shift-JIS, JIS or EUC). "
                      "Prints one line per file and the totals; with --dry-run it shows what "
                      "would change and changes nothing. Runs without a document open.",
                      "FOLDER  the folder, written as it is (no escapes unless ESCAPED is 1); its "
                      "subfolders are not searched\n"
                      "PATTERN  the file names, with * and ? (case ignored), written as FOLDER is\n"
                      "SEARCH  the text to find (escapes as in Replace)\n"
                      "REPLACEMENT  the new text (\\b for none)\n"
                      "ESCAPED  1: FOLDER and PATTERN are written with escapes (\\s for a space, "
                      "\\\\ for a backslash), the way to give a folder whose name holds a space; "
                      "0 or left out: as they are",
                      C::None, "MultiFileReplace notes *.txt colour color",
                      "notes/a.txt: the colour", "notes/a.txt: the color")),
        Row("ToTopUpper", T::CaseKana, "Capitalises the first letter of every word.", "", C::None,
            "ToTopUpper", "hello world", "Hello World"),
        Row("TabSpace", T::Whitespace, "Expands the tabs of every target line to spaces.",
            "WIDTH  the distance between tab stops in bytes; 1 or more; 0 when left out "
            "(the lines stay)",
            C::Widths, "TabSpace 8", "ab{09}c", "ab      c"),
        Row("SpaceTab", T::Whitespace,
            "Turns the runs of spaces of every target line that reach a tab stop into tabs.",
            "WIDTH  the distance between tab stops in bytes; 1 or more; 0 when left out "
            "(the lines stay)",
            C::Widths, "SpaceTab 4", "a   b", "a{09}b"),
        Row("PastePlus", T::Lines,
            "Appends the lines of qbay's clipboard (what Copy put there, else standard input) "
            "to the lines side by side, from the top.",
            "", C::None, "Copy\nPastePlus", "x\ny", "xx\nyy"),
        Row("ToCenter", T::Whitespace,
            "Centres every target line within the width of the longest line of the document.", "",
            C::None, "ToCenter", "abcdefghij\nab", "abcdefghij\n    ab"),
        Row("ToRight", T::Whitespace,
            "Aligns every target line to the right edge of the longest line of the document.", "",
            C::None, "ToRight", "abcdef\nab", "abcdef\n    ab"),
        Row("ToLineUpper", T::CaseKana, "Capitalises the first letter of every sentence.", "",
            C::None, "ToLineUpper", "hello. good day.", "Hello. Good day."),
        Row("ToOnelineAll", T::Lines, "Joins all target lines into one line.", "", C::None,
            "ToOnelineAll", "a\nb\n\nc", "abc"),
        Row("ReplaceDouble", T::Replace,
            "Replaces a START ... END pair by START2 ... END2, keeping the text between; a "
            "START or END right after ESCAPE is left alone. The texts are written as they are "
            "(no escapes) unless a sixth argument 1 follows. Prints how many STARTs were found.",
            "START  the opening text\n"
            "START2  what it becomes\n"
            "END  the closing text\n"
            "END2  what it becomes\n"
            "ESCAPE  a character that keeps the text after it (\\ say); \\b or left out for "
            "none",
            C::None, "ReplaceDouble ( [ ) ] \\", "(a) \\(b)", "[a] \\(b)"),
        Row("TabIf", T::Whitespace,
            "Puts a tab after each TEXT in every target line, or in place of it when REPLACE is "
            "1.",
            "TEXT  the text (escapes: \\s space)\n"
            "REPLACE  1: the tab takes the place of TEXT; 0 when left out",
            C::None, "TabIf , 1", "a,b", "a{09}b"),
        Row("Sort", T::Lines,
            "Sorts all lines by up to three keys, each four numbers: the order, the first and "
            "last column of the key, and whether it is a number. Later keys decide between "
            "lines the earlier keys find equal.",
            "MODE  0 ascending, 1 descending\n"
            "FIRST  the first column of the key, from 1\n"
            "LAST  the last column of the key; -1 for the end of the line\n"
            "NUMERIC  1: compare the numbers the keys begin with; 0: compare as text, upper "
            "and lower case alike",
            C::Columns, "Sort 1 1 -1 1", "9\n100\n20", "100\n20\n9"),
        Row("UnicodeToMbcs", T::Codes,
            "Decodes UTF-7 in the target lines, and reads a line written by MbcsToUnicode back "
            "into Shift-JIS.",
            "", C::None, "UnicodeToMbcs", "Hi +MEIwRA-", "Hi あい"),
        Row("MbcsToUnicode", T::Codes,
            "Replaces every target line by its UTF-16 little-endian bytes, starting with the "
            "byte-order mark.",
            "", C::None, "MbcsToUnicode", "A", "{FF FE 41 00}"),
        Row("DupLineDel", T::Lines,
            "Deletes every target line whose text (or the part between two columns) an earlier "
            "line already has.",
            "PARTIAL  1: compare the columns FIRST+1 to LAST-1 only; 0 when left out\n"
            "FIRST  see PARTIAL; 0 or more\n"
            "LAST  see PARTIAL; 0 or more\n"
            "SORTED  1: compare each line with the one before only (sorted text, faster); 0 "
            "when left out",
            C::Columns, "DupLineDel 0 0 0 0", "a\nb\na", "a\nb"),
        Row("LineEdit", T::Lines, "Replaces the line at INDEX by TEXT, whatever the target lines.",
            "INDEX  the line, from 0; required\n"
            "TEXT  the new text (escapes: \\s space, \\t tab)",
            C::LineIndexes, "LineEdit 1 B", "a\nb", "a\nB"),
        Unchecked(
            Reads(Row("Open", T::Files,
                      "Opens PATH as a new document, which becomes the active one (JIS "
                      "and EUC converted as System/Auto says). Runs without a document "
                      "open.",
                      "PATH  the rest of the line, spaces included", C::None, "Open notes.txt",
                      "(no document)", "(notes.txt is the active document)"),
                  "System/Auto")),
        Unchecked(Row("Close", T::Files,
                      "Closes the active document without saving it (Save first to keep the "
                      "changes); the one opened before it becomes active.",
                      "", C::None, "Close", "(two documents)", "(one document)")),
        Unchecked(Reads(Row("Save", T::Files,
                            "Saves the active document under its path, or under PATH, which it "
                            "then keeps, in the file's own code and line ends (System/CrLf 1 "
                            "and 2 say CR or LF). PATH may be followed by a code and line ends, "
                            "as Save As records them: Save out.txt utf8 LF.",
                            "PATH  the rest of the line, spaces included; left out: the "
                            "document's own path",
                            C::None, "Save out.txt", "(a document)", "(out.txt holds its lines)"),
                        "System/CrLf")),
        Row("DelStr", T::Replace,
            "Deletes SEARCH from every target line (Replace with an empty replacement). Prints "
            "how many were deleted.",
            "SEARCH  the text to delete (escapes as in Replace; a regular expression with "
            "PATTERN 1)\n"
            "FLAGS  as in Replace; 0 when left out\n"
            "PATTERN  1: SEARCH is a regular expression; 0 when left out",
            C::None, "DelStr - 0 0", "a-b-c", "abc"),
        Row("InsertLine", T::Lines, "Inserts TEXT as a new line before the line at INDEX.",
            "INDEX  the line, from 0; 0 when left out\n"
            "TEXT  the new line (escapes: \\s space, \\t tab)",
            C::LineIndexes, "InsertLine 0 title", "a", "title\na"),
        Row("InsertEndLine", T::Lines, "Adds TEXT as the last line.",
            "TEXT  the new line (escapes: \\s space, \\t tab)", C::None, "InsertEndLine end", "a",
            "a\nend"),
        Row("Utf8ToSjis", T::Codes,
            "Reads UTF-8 target lines into Shift-JIS; a character Shift-JIS lacks becomes ?.", "",
            C::None, "Utf8ToSjis", "{E3 81 82}A", "あA"),
        Row("SjisToUtf8", T::Codes, "Writes the target lines in UTF-8.", "", C::None, "SjisToUtf8",
            "あA", "{E3 81 82}A"),
        Row("ToSjis", T::Codes,
            "Finds the code of the whole document (JIS, EUC, UTF-8 or Shift-JIS) and reads the "
            "target lines from it into Shift-JIS.",
            "", C::None, "ToSjis", "{1B}$B$\"{1B}(B", "あ"),
        Row("ToMime", T::Codes, "Encodes every target line in Base64.", "", C::None, "ToMime",
            "abc", "YWJj"),
        Row("SjisToUrl", T::Codes, "Encodes every target line in %XX URL form.", "", C::None,
            "SjisToUrl", "a&b", "a%26b"),
        Unchecked(Row("FileInsert", T::Files, "Appends the lines of FILE at the end.",
                      "FILE  the file to read (escapes: \\s space); required", C::None,
                      "FileInsert more.txt", "a", "a\nb   (more.txt holds b)")),
        Row("ChangeUpperLower", T::CaseKana,
            "Turns half-width upper-case letters into lower case and lower-case into upper case; "
            "full-width letters stay.",
            "", C::None, "ChangeUpperLower", "Hello", "hELLO"),
        Row("Reverse", T::Lines, "Reverses the order of all lines.", "", C::None, "Reverse",
            "a\nb\nc", "c\nb\na"),
    };
    return rows;
}

const std::vector<SettingHelp>& CommandSettings() {
    static const std::vector<SettingHelp> settings = {
        {"System/Auto", "1", "1: convert JIS and EUC files to Shift-JIS on opening"},
        {"System/CrLf", "0", "the line end on saving: 0 the file's own, 1 CR, 2 LF"},
        {"Turn/English", "0",
         "an English word at a fold: 0 break it, 1 move it to the next line, 2 hyphenate it"},
        {"Print/KinsokuFirst", "、。，．？！゛゜ヽヾゝゞ々ー）］｝」』!),.:;?]}｡｣､･ｰﾞﾟ",
         "characters that must not begin a line"},
        {"Print/KinsokuLast", "（［｛「『([{｢", "characters that must not end a line"},
        {"Print/bKinFirst", "1", "1: keep KinsokuFirst (hang such characters on the line before)"},
        {"Print/bKinLast", "1", "1: keep KinsokuLast (push such characters to the next line)"},
        {"Print/TagKinsoku", "1", "1: never fold inside a <tag>"},
        {"Jis/Kana", "0", "half-width katakana in JIS: 0 SO/SI, 1 ESC ( I, 2 8-bit bytes"},
        {"Jis/Jis", "1",
         "the escape before kanji in JIS: 0 ESC $ @, 1 ESC $ B, 2 ESC & @ ESC $ B, 3 ESC $ ( D"},
        {"Euc/Code", "0", "SjisToEuc: 0 EUC-JP, any other value the fixed-width form"},
        {"LineSelect/RegExp", "0",
         "the pattern flag a document starts with (a three-argument LineSelect keeps it)"},
    };
    return settings;
}

}  // namespace qb
