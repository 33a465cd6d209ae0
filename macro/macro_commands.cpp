// The macro commands: one handler per command, the readers of the older line forms, and the
// table in the interpreter's lookup order.
//
// A handler takes the decoded arguments and the active document and calls one operation.
#include "macro/macro_commands.h"

#include <optional>

#include "convert/cp932.h"
#include "core/commands/multi_file_replace.h"
#include "core/quillbay_doc.h"
#include "macro/escape.h"
#include "macro/front_end.h"

namespace qb {

namespace {

using Ctx = MacroRunContext;
using Args = MacroArgs;

// ---- Column operations ------------------------------------------------------------------------

OpResult RunOverwriteString(Ctx& c, const Args& a) {
    c.doc->OverwriteString(a.Int(0), a.Text(1));
    return {};
}
OpResult RunRenoString(Ctx& c, const Args& a) {
    c.doc->RenoString(a.Int(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4));
    return {};
}
OpResult RunKetaChange(Ctx& c, const Args& a) {
    c.doc->KetaChange(a.Int(0));
    return {};
}
OpResult RunIndentChange(Ctx& c, const Args& a) {
    c.doc->IndentChange(a.Int(0));
    return {};
}
OpResult RunInsertString(Ctx& c, const Args& a) {
    c.doc->InsertString(a.Int(0), a.Text(1));
    return {};
}
OpResult RunDeletePos(Ctx& c, const Args& a) {
    c.doc->DeletePos(a.Int(0), a.Int(1));
    return {};
}
OpResult RunSpaceInsert(Ctx& c, const Args& a) {
    c.doc->SpaceInsert(a.Int(0), a.Int(1), a.Int(2));
    return {};
}

// ---- Wrapping ---------------------------------------------------------------------------------

OpResult RunTurnChange(Ctx& c, const Args& a) {
    c.doc->TurnChange(a.Int(0));
    return {};
}
OpResult RunIndTurnChange(Ctx& c, const Args& a) {
    c.doc->IndTurnChange(a.Int(0));
    return {};
}
OpResult RunTurnIf(Ctx& c, const Args& a) {
    c.doc->TurnIf(a.Text(0), a.Int(1));
    return {};
}

// ---- Whitespace, alignment and joining --------------------------------------------------------

OpResult RunDelSpaceLine(Ctx& c, const Args&) {
    c.doc->DelSpaceLine();
    return {};
}
OpResult RunDelSpaceBack(Ctx& c, const Args&) {
    c.doc->DelSpaceBack();
    return {};
}
OpResult RunDelSpaceFirst(Ctx& c, const Args&) {
    c.doc->DelSpaceFirst();
    return {};
}
OpResult RunDelSpaceMultiLine(Ctx& c, const Args&) {
    c.doc->DelSpaceMultiLine();
    return {};
}
OpResult RunDelSpaceOnly(Ctx& c, const Args&) {
    c.doc->DelSpaceOnly();
    return {};
}
OpResult RunTabSpace(Ctx& c, const Args& a) {
    c.doc->TabSpace(a.Int(0));
    return {};
}
OpResult RunSpaceTab(Ctx& c, const Args& a) {
    c.doc->SpaceTab(a.Int(0));
    return {};
}
OpResult RunToCenter(Ctx& c, const Args&) {
    c.doc->ToCenter();
    return {};
}
OpResult RunToRight(Ctx& c, const Args&) {
    c.doc->ToRight();
    return {};
}
OpResult RunTabIf(Ctx& c, const Args& a) {
    c.doc->TabIf(a.Text(0), a.Int(1));
    return {};
}
OpResult RunSpToCsv(Ctx& c, const Args& a) {
    c.doc->SpToCsv(a.Int(0), a.Int(1));
    return {};
}
OpResult RunToOneline(Ctx& c, const Args&) {
    c.doc->ToOneline();
    return {};
}
OpResult RunToOnelineAll(Ctx& c, const Args&) {
    c.doc->ToOnelineAll();
    return {};
}
OpResult RunOnelineNo(Ctx& c, const Args& a) {
    c.doc->OnelineNo(a.Int(0));
    return {};
}
OpResult RunCtlMToCRLF(Ctx& c, const Args&) {
    c.doc->CtlMToCRLF();
    return {};
}
OpResult RunLFToCRLF(Ctx& c, const Args&) {
    c.doc->LFToCRLF();
    return {};
}

// ---- Character conversions ----------------------------------------------------------------------

OpResult RunZenToHan(Ctx& c, const Args&) {
    c.doc->ZenToHan(0);
    return {};
}
OpResult RunHanToZen(Ctx& c, const Args&) {
    c.doc->HanToZen(0);
    return {};
}
OpResult RunZenToHan2(Ctx& c, const Args& a) {
    c.doc->ZenToHan(a.Int(0));
    return {};
}
OpResult RunHanToZen2(Ctx& c, const Args& a) {
    c.doc->HanToZen(a.Int(0));
    return {};
}
OpResult RunZenToHanSw(Ctx& c, const Args& a) {
    c.doc->ZenToHanSw(a.Int(0) & 0xFF);
    return {};
}
OpResult RunHanToZenSw(Ctx& c, const Args& a) {
    c.doc->HanToZenSw(a.Int(0) & 0xFF);
    return {};
}
OpResult RunToUpper(Ctx& c, const Args&) {
    c.doc->ToUpper();
    return {};
}
OpResult RunToLower(Ctx& c, const Args&) {
    c.doc->ToLower();
    return {};
}
OpResult RunToZenUpper(Ctx& c, const Args&) {
    c.doc->ToZenUpper();
    return {};
}
OpResult RunToZenLower(Ctx& c, const Args&) {
    c.doc->ToZenLower();
    return {};
}
OpResult RunHiraToKana(Ctx& c, const Args&) {
    c.doc->HiraToKana();
    return {};
}
OpResult RunKanaToHira(Ctx& c, const Args&) {
    c.doc->KanaToHira();
    return {};
}
OpResult RunToTopUpper(Ctx& c, const Args&) {
    c.doc->ToTopUpper();
    return {};
}
OpResult RunToLineUpper(Ctx& c, const Args&) {
    c.doc->ToLineUpper();
    return {};
}
OpResult RunChangeUpperLower(Ctx& c, const Args&) {
    c.doc->ChangeUpperLower();
    return {};
}

// ---- Code conversions ---------------------------------------------------------------------------

OpResult RunJisToSjis(Ctx& c, const Args&) {
    c.doc->JisToSjis();
    return {};
}
OpResult RunSjisToJis(Ctx& c, const Args&) {
    c.doc->SjisToJis();
    return {};
}
OpResult RunEucToSjis(Ctx& c, const Args&) {
    c.doc->EucToSjis();
    return {};
}
// The token is the setting at recording time; the operation reads "Euc"/"Code" again.
OpResult RunSjisToEuc(Ctx& c, const Args&) {
    c.doc->SjisToEuc();
    return {};
}
OpResult RunUtf8ToSjis(Ctx& c, const Args&) {
    c.doc->Utf8ToSjis();
    return {};
}
OpResult RunSjisToUtf8(Ctx& c, const Args&) {
    c.doc->SjisToUtf8();
    return {};
}
OpResult RunToSjis(Ctx& c, const Args&) {
    c.doc->ToSjis();
    return {};
}
OpResult RunUnicodeToMbcs(Ctx& c, const Args&) {
    c.doc->UnicodeToMbcs();
    return {};
}
OpResult RunMbcsToUnicode(Ctx& c, const Args&) {
    c.doc->MbcsToUnicode();
    return {};
}
OpResult RunUrlToSjis(Ctx& c, const Args&) {
    c.doc->UrlToSjis();
    return {};
}
OpResult RunUrleToSjis(Ctx& c, const Args&) {
    c.doc->UrleToSjis();
    return {};
}
OpResult RunSjisToUrl(Ctx& c, const Args&) {
    c.doc->SjisToUrl();
    return {};
}
OpResult RunToSjisCode(Ctx& c, const Args&) {
    c.doc->ToSjisCode();
    return {};
}
OpResult RunToJisCode(Ctx& c, const Args&) {
    c.doc->ToJisCode();
    return {};
}
OpResult RunCodeToSjis(Ctx& c, const Args&) {
    c.doc->CodeToSjis();
    return {};
}
OpResult RunCodeToJis(Ctx& c, const Args&) {
    c.doc->CodeToJis();
    return {};
}
OpResult RunMimeToSjis(Ctx& c, const Args&) {
    c.doc->MimeToSjis();
    return {};
}
OpResult RunSjisToMime(Ctx& c, const Args&) {
    c.doc->SjisToMime();
    return {};
}
OpResult RunToMime(Ctx& c, const Args&) {
    c.doc->ToMime();
    return {};
}
OpResult RunMimeOut(Ctx& c, const Args& a) {
    c.doc->MimeOut(a.Text(0));
    return {};
}
OpResult RunUuencodeOut(Ctx& c, const Args& a) {
    c.doc->UuencodeOut(a.Text(0));
    return {};
}

// ---- Replacing ----------------------------------------------------------------------------------

// Arguments: search, replacement, comparison flags, pattern flag (the search is a pattern,
// taken raw, when it is set).
OpResult RunReplace(Ctx& c, const Args& a) {
    OpResult result;
    result.count = a.Int(3) != 0 ? c.doc->RegExpReplace(a.Text(0), a.Text(1), a.Int(2))
                                 : c.doc->Replace(a.Text(0), a.Text(1), a.Int(2));
    return result;
}
// Arguments: search, comparison flags, pattern flag.
OpResult RunDelStr(Ctx& c, const Args& a) {
    OpResult result;
    result.count = a.Int(2) != 0 ? c.doc->RegExpReplace(a.Text(0), "", a.Int(1))
                                 : c.doc->Replace(a.Text(0), "", a.Int(1));
    return result;
}
OpResult RunSuperReplace(Ctx& c, const Args& a) {
    OpResult result;
    result.count = c.doc->SuperReplace(a.Text(0), a.Text(1), a.Text(2));
    return result;
}
OpResult RunReplaceDouble(Ctx& c, const Args& a) {
    OpResult result;
    result.count = c.doc->ReplaceDouble(a.Text(0), a.Text(1), a.Text(2), a.Text(3), a.Text(4));
    return result;
}
// Arguments: folder and file pattern (UTF-8), search, replacement.
// Works on a folder, not on the document's lines, so it runs with no document open as well.
OpResult RunMultiFileReplace(Ctx& c, const Args& a) {
    MultiFileReplaceOptions options;
    options.dryRun = c.run && c.run->multiFileDryRun;
    options.workers = c.run ? c.run->multiFileWorkers : 1;
    options.jis = c.app.jisEncoder;
    options.progress = c.app.fileProgress;
    const MultiFileResult done =
        MultiFileReplace(c.app.host, a.Text(0), a.Text(1), a.Text(2), a.Text(3), options);
    if (c.run && c.run->multiFileReport) c.run->multiFileReport(done);
    OpResult result;
    result.count = done.replacements;
    result.filesChanged = done.filesChanged;
    return result;
}

// ---- Line list operations -----------------------------------------------------------------------

OpResult RunLineDelete(Ctx& c, const Args&) {
    c.doc->LineDelete();
    return {};
}
OpResult RunStrCat(Ctx& c, const Args& a) {
    c.doc->StrCat(a.Text(0));
    return {};
}
OpResult RunSort1(Ctx& c, const Args&) {
    c.doc->Sort1();
    return {};
}
OpResult RunSort2(Ctx& c, const Args&) {
    c.doc->Sort2();
    return {};
}
// Arguments: one group of four per key (descending, first column, last column, numeric).
OpResult RunSort(Ctx& c, const Args& a) {
    SortKeyList keys;
    for (std::size_t i = 0; i + 4 <= a.Count(); i += 4)
        keys.push_back({a.Int(i), a.Int(i + 1), a.Int(i + 2), a.Int(i + 3)});
    c.doc->Sort(keys);
    return {};
}
OpResult RunReverse(Ctx& c, const Args&) {
    c.doc->Reverse();
    return {};
}
OpResult RunDupLineDel(Ctx& c, const Args& a) {
    c.doc->DupLineDel(a.Int(0), a.Int(1), a.Int(2), a.Int(3));
    return {};
}
OpResult RunJoin(Ctx& c, const Args& a) {
    c.doc->Join(a.Text(0));
    return {};
}
OpResult RunFileInsert(Ctx& c, const Args& a) {
    c.doc->FileInsert(a.Text(0));
    return {};
}
// Run by RunViewCommand (the interpreter hands 57634 to the view).
OpResult RunCopy(Ctx& c, const Args&) {
    c.doc->Copy();
    return {};
}
// Run by RunViewCommand (the interpreter hands 32907 to the view).
OpResult RunPastePlus(Ctx& c, const Args&) {
    c.doc->PastePlus();
    return {};
}

OpResult RunLineEdit(Ctx& c, const Args& a) {
    c.doc->SetLine(a.Int(0), a.Text(1));
    return {};
}
OpResult RunInsertLine(Ctx& c, const Args& a) {
    c.doc->InsertLine(a.Int(0), a.Text(1));
    return {};
}
OpResult RunInsertEndLine(Ctx& c, const Args& a) {
    c.doc->InsertEndLine(a.Text(0));
    return {};
}

// ---- Target lines and undo ----------------------------------------------------------------------

// Arguments: step, condition, first, last, pattern flag; the condition and the pattern flag are
// absent in the three-token form and then keep their values.
OpResult RunLineSelect(Ctx& c, const Args& a) {
    TargetState& t = c.doc->Target();
    t.lineStep = a.Int(0);
    if (a.Has(1)) t.condition = a.Text(1);
    t.firstLine = a.Int(2);
    t.lastLine = a.Int(3);
    if (a.Has(4)) t.pattern = a.Int(4) != 0;
    return {};
}
// Run by RunViewCommand (the interpreter hands 32802 to the view).
OpResult RunTextAll(Ctx& c, const Args&) {
    c.doc->TextAll();
    return {};
}
// Run by RunViewCommand (the interpreter hands 32826 to the view).
OpResult RunNotsel(Ctx& c, const Args&) {
    c.doc->Notsel();
    return {};
}
OpResult RunToFirst(Ctx& c, const Args&) {
    c.doc->ToFirst();
    return {};
}

// ---- Documents ----------------------------------------------------------------------------------

OpResult RunOpen(Ctx& c, const Args& a) {
    c.workspace.OpenDocument(a.Text(0));
    return {};
}
OpResult RunClose(Ctx& c, const Args&) {
    c.workspace.CloseActiveDocument();
    return {};
}
// "Save PATH WORD LINEEND": the last two words name a code and line ends (as SaveAs(path, form)
// records them) when both read as such; otherwise the whole rest of the line is the path, as
// before they existed.
std::optional<std::pair<std::string, FileForm>> SplitSavedForm(std::string_view rest) {
    const auto lastSpace = rest.rfind(' ');
    if (lastSpace == std::string_view::npos || lastSpace == 0) return std::nullopt;
    const auto codeSpace = rest.rfind(' ', lastSpace - 1);
    if (codeSpace == std::string_view::npos || codeSpace == 0) return std::nullopt;
    const auto lineEnd = ParseLineEnd(rest.substr(lastSpace + 1));
    auto form = ParseFileForm(rest.substr(codeSpace + 1, lastSpace - codeSpace - 1));
    if (!lineEnd || !form || form->code == FileCode::Auto) return std::nullopt;
    form->lineEnd = *lineEnd;
    return std::make_pair(std::string(rest.substr(0, codeSpace)), *form);
}

OpResult RunSave(Ctx& c, const Args& a) {
    if (a.Has(0))
        if (const auto saved = SplitSavedForm(a.Text(0))) {
            c.workspace.SaveActiveDocumentAs(saved->first, saved->second);
            return {};
        }
    c.workspace.SaveActiveDocument(a.Has(0) ? std::optional<std::string>(a.Text(0)) : std::nullopt);
    return {};
}
OpResult RunPaste(Ctx& c, const Args&) {
    c.workspace.NewDocumentFromClipboard();
    return {};
}

// ---- Readers of lines with several forms ------------------------------------------------------

std::string Unescape(std::string_view token) {
    return UnescapeMacroArg(token);
}
MacroValue Str(std::string_view s) {
    return MacroValue::Text(std::string(s));
}
MacroValue Num(std::string_view token) {
    return MacroValue::Int(ParseMacroInt(token));
}

// -> search, replacement, flags, pattern flag.
MacroArgs ParseReplace(const MacroLineTokens& t) {
    const auto n = t.argCount;
    std::string_view search = t.Arg(0), replacement = t.Arg(1);
    if (n >= 4) {
        if (ParseMacroInt(t.Arg(3)) != 0)  // a pattern: the search is used as written
            return MacroArgs(
                {Str(search), Str(Unescape(replacement)), Num(t.Arg(2)), MacroValue::Int(1)});
        return MacroArgs(
            {Str(Unescape(search)), Str(Unescape(replacement)), Num(t.Arg(2)), MacroValue::Int(0)});
    }
    // The older three-token form had no pattern flag.
    if (n == 3)
        return MacroArgs(
            {Str(Unescape(search)), Str(Unescape(replacement)), Num(t.Arg(2)), MacroValue::Int(0)});
    if (n == 2 && replacement.size() == 1 && replacement[0] >= '0' && replacement[0] <= '9' &&
        !search.empty() && search.back() == ' ') {
        // "Replace abc  0": what an empty replacement left in the older form.
        search.remove_suffix(1);
        return MacroArgs({Str(Unescape(search)), Str(""), MacroValue::Int(0), MacroValue::Int(0)});
    }
    return MacroArgs({Str(search), Str(replacement), MacroValue::Int(0), MacroValue::Int(0)});
}

// -> search, flags, pattern flag.
MacroArgs ParseDelStr(const MacroLineTokens& t) {
    if (ParseMacroInt(t.Arg(2)) != 0)
        return MacroArgs({Str(t.Arg(0)), Num(t.Arg(1)), MacroValue::Int(1)});
    return MacroArgs({Str(Unescape(t.Arg(0))), Num(t.Arg(1)), MacroValue::Int(0)});
}

// -> step, condition, first, last, pattern flag (condition and flag absent in the short form).
MacroArgs ParseLineSelect(const MacroLineTokens& t) {
    if (t.argCount >= 5)
        return MacroArgs(
            {Num(t.Arg(0)), Str(Unescape(t.Arg(1))), Num(t.Arg(2)), Num(t.Arg(3)), Num(t.Arg(4))});
    if (t.argCount == 4)  // an older form: the condition as written, the pattern flag kept
        return MacroArgs({Num(t.Arg(0)), Str(t.Arg(1)), Num(t.Arg(2)), Num(t.Arg(3)), {}});
    return MacroArgs({Num(t.Arg(0)), {}, Num(t.Arg(1)), Num(t.Arg(2)), {}});
}

// -> start, end, replacement.
MacroArgs ParseSuperReplace(const MacroLineTokens& t) {
    if (t.argCount == 2) return MacroArgs({Str(t.Arg(0)), Str(t.Arg(1)), Str("")});
    return MacroArgs({Str(Unescape(t.Arg(0))), Str(Unescape(t.Arg(1))), Str(Unescape(t.Arg(2)))});
}

// -> the whole groups of four integers.
MacroArgs ParseSort(const MacroLineTokens& t) {
    MacroArgs args;
    const std::size_t whole = t.argCount / 4 * 4;
    for (std::size_t i = 0; i < whole; ++i)
        args.Add(Num(t.Arg(i)));
    return args;
}

// -> start, start replacement, end, end replacement, escape character. Written raw; a sixth
// token that is not 0 says that the five are escaped (for texts that hold spaces or are empty).
MacroArgs ParseReplaceDouble(const MacroLineTokens& t) {
    const bool escaped = ParseMacroInt(t.Arg(5)) != 0;
    MacroArgs args;
    for (std::size_t i = 0; i < 5; ++i)
        args.Add(Str(escaped ? Unescape(t.Arg(i)) : std::string(t.Arg(i))));
    return args;
}

// -> folder, file pattern (both UTF-8), search, replacement. Folder and pattern are written raw;
// a fifth token that is not 0 says that they are escaped.
MacroArgs ParseMultiFileReplace(const MacroLineTokens& t) {
    const bool escaped = ParseMacroInt(t.Arg(4)) != 0;
    auto path = [&](std::string_view token) {
        return Str(SjisToUtf8(escaped ? Unescape(token) : std::string(token)));
    };
    return MacroArgs(
        {path(t.Arg(0)), path(t.Arg(1)), Str(Unescape(t.Arg(2))), Str(Unescape(t.Arg(3)))});
}

// ---- The table ----------------------------------------------------------------------------------

std::vector<MacroCommand> BuildTable() {
    auto cmd = [](std::string_view name, std::string_view forms, std::string_view usage,
                  std::string_view summary, MacroRunFn run) {
        return MacroCommand{name, forms, usage, summary, run};
    };
    auto parsed = [&](MacroCommand c, MacroParseFn parse) {
        c.parse = parse;
        return c;
    };
    auto viaView = [&](MacroCommand c, CommandId id) {
        c.viewCommand = id;
        return c;
    };
    auto withoutDocument = [&](MacroCommand c) {
        c.runsWithoutDocument = true;
        c.usesTargetLines = false;
        return c;
    };
    auto recordedByDocument = [&](MacroCommand c) {
        c.recordedByDocument = true;
        c.usesTargetLines = false;
        return c;
    };
    auto allLines = [&](MacroCommand c) {  // works on the lines whatever the target lines are
        c.usesTargetLines = false;
        return c;
    };
    auto lineLocal = [&](MacroCommand c) {
        c.lineLocal = true;
        return c;
    };
    return {
        lineLocal(cmd("OverwriteString", "nx", "COLUMN TEXT",
                      "overwrite the target lines with TEXT at COLUMN", RunOverwriteString)),
        cmd("RenoString", "nnnnn", "STEP DIGITS COLUMN START ZEROSUP",
            "put serial numbers at COLUMN (ZEROSUP 1: leading zeros as spaces)", RunRenoString),
        lineLocal(cmd("KetaChange", "N", "WIDTH", "cut or pad every target line to WIDTH bytes",
                      RunKetaChange)),
        lineLocal(cmd("IndentChange", "n", "COLUMNS", "indent the target lines by COLUMNS",
                      RunIndentChange)),
        cmd("InsertString", "ns", "COLUMN TEXT", "insert TEXT at COLUMN", RunInsertString),
        lineLocal(
            cmd("DeletePos", "NN", "FIRST LAST", "delete the columns FIRST to LAST", RunDeletePos)),
        lineLocal(cmd("ZenToHan", "", "", "full-width to half-width, all kinds", RunZenToHan)),
        lineLocal(cmd("HanToZen", "", "", "half-width to full-width, all kinds", RunHanToZen)),
        lineLocal(cmd("ToUpper", "", "", "lower case to upper case, full-width too", RunToUpper)),
        lineLocal(cmd("ToLower", "", "", "upper case to lower case, full-width too", RunToLower)),
        lineLocal(
            cmd("ToZenUpper", "", "", "lower case to upper case, full-width too", RunToZenUpper)),
        lineLocal(
            cmd("ToZenLower", "", "", "upper case to lower case, full-width too", RunToZenLower)),
        lineLocal(cmd("HiraToKana", "", "", "hiragana to katakana", RunHiraToKana)),
        lineLocal(cmd("KanaToHira", "", "", "katakana to hiragana", RunKanaToHira)),
        lineLocal(parsed(cmd("Replace", "ssnn", "SEARCH REPLACEMENT FLAGS PATTERN",
                             "replace (FLAGS: 1 width, 2 case, 4 kana tolerant; PATTERN 1: regular "
                             "expression)",
                             RunReplace),
                         ParseReplace)),
        lineLocal(cmd("TurnChange", "N", "WIDTH",
                      "fold the target lines at WIDTH columns (kinsoku rules)", RunTurnChange)),
        cmd("JisToSjis", "", "", "JIS to Shift-JIS", RunJisToSjis),
        lineLocal(cmd("SjisToJis", "", "", "Shift-JIS to JIS", RunSjisToJis)),
        cmd("UrlToSjis", "", "", "decode %XX URL encoding", RunUrlToSjis),
        lineLocal(cmd("ToSjisCode", "", "", "characters to hexadecimal codes", RunToSjisCode)),
        lineLocal(cmd("ToJisCode", "", "", "characters to hexadecimal JIS codes", RunToJisCode)),
        cmd("ToOneline", "", "", "join the lines of each block into one", RunToOneline),
        lineLocal(cmd("EucToSjis", "", "", "EUC to Shift-JIS", RunEucToSjis)),
        lineLocal(cmd("SjisToEuc", "n", "[N]",
                      "Shift-JIS to EUC (N is ignored: the setting Euc/Code decides the form)",
                      RunSjisToEuc)),
        cmd("UrleToSjis", "", "", "decode =XX encoding with soft line breaks", RunUrleToSjis),
        cmd("DelSpaceLine", "", "", "delete blank lines", RunDelSpaceLine),
        lineLocal(cmd("DelSpaceBack", "", "", "delete trailing blanks", RunDelSpaceBack)),
        lineLocal(cmd("DelSpaceFirst", "", "", "delete leading blanks", RunDelSpaceFirst)),
        cmd("DelSpaceMultiLine", "", "", "make each run of blank lines one empty line",
            RunDelSpaceMultiLine),
        lineLocal(cmd("IndTurnChange", "N", "WIDTH", "fold at WIDTH columns keeping the indent",
                      RunIndTurnChange)),
        allLines(viaView(cmd("TextAll", "", "", "make every line a target line", RunTextAll),
                         kCommandTextAll)),
        lineLocal(cmd("CodeToSjis", "", "", "hexadecimal codes to characters", RunCodeToSjis)),
        lineLocal(cmd("CodeToJis", "", "", "hexadecimal JIS codes to characters", RunCodeToJis)),
        allLines(
            cmd("ToFirst", "", "", "read the file again as it was opened (undoable)", RunToFirst)),
        lineLocal(cmd("CtlMToCRLF", "", "", "split lines at CR bytes", RunCtlMToCRLF)),
        lineLocal(cmd("ZenToHan2", "n", "KIND",
                      "full-width to half-width: 1 alphabet, 2 digits, 3 kana", RunZenToHan2)),
        lineLocal(cmd("HanToZen2", "n", "KIND",
                      "half-width to full-width: 1 alphabet, 2 digits, 3 kana", RunHanToZen2)),
        lineLocal(
            cmd("DelSpaceOnly", "", "", "empty the lines that hold only blanks", RunDelSpaceOnly)),
        lineLocal(cmd("LFToCRLF", "", "", "split lines at LF bytes", RunLFToCRLF)),
        cmd("LineDelete", "", "", "delete the target lines", RunLineDelete),
        lineLocal(cmd("StrCat", "x", "TEXT", "append TEXT to every target line", RunStrCat)),
        allLines(viaView(cmd("Notsel", "", "", "invert the choice of target lines", RunNotsel),
                         kCommandNotsel)),
        parsed(cmd("SuperReplace", "sss", "START END REPLACEMENT",
                   "replace each span from START to END", RunSuperReplace),
               ParseSuperReplace),
        allLines(cmd("Sort1", "", "", "sort all lines ascending", RunSort1)),
        allLines(cmd("Sort2", "", "", "sort all lines descending", RunSort2)),
        cmd("MimeToSjis", "", "", "decode MIME (Base64 lines, encoded words)", RunMimeToSjis),
        cmd("MimeOut", "f", "FILE", "decode the Base64 target lines into FILE", RunMimeOut),
        lineLocal(cmd("SjisToMime", "", "", "MIME header encoding", RunSjisToMime)),
        allLines(
            parsed(cmd("LineSelect", "nxnnn", "STEP [CONDITION] FIRST LAST [PATTERN]",
                       "choose the target lines: every STEP-th line from FIRST to LAST holding "
                       "CONDITION (PATTERN 1: a regular expression)",
                       RunLineSelect),
                   ParseLineSelect)),
        viaView(cmd("Copy", "", "", "copy the target lines to the clipboard", RunCopy),
                kCommandCopy),
        withoutDocument(
            cmd("Paste", "", "", "open a new document holding the clipboard's text", RunPaste)),
        cmd("SpaceInsert", "nnn", "COLUMN COUNT OVERWRITE", "insert COUNT spaces at COLUMN",
            RunSpaceInsert),
        cmd("OnelineNo", "N", "N", "join every N target lines into one", RunOnelineNo),
        cmd("TurnIf", "xn", "TEXT REPLACE",
            "break lines after TEXT (REPLACE 1: the break replaces TEXT)", RunTurnIf),
        lineLocal(cmd("ZenToHanSw", "n", "MASK",
                      "full-width to half-width by kind (1 hiragana 2 katakana 4 digits 8 alphabet "
                      "16 Japanese symbols 32 ASCII symbols 64 kanji numerals)",
                      RunZenToHanSw)),
        lineLocal(cmd("HanToZenSw", "n", "MASK", "half-width to full-width by kind (as ZenToHanSw)",
                      RunHanToZenSw)),
        cmd("UuencodeOut", "f", "FILE", "uudecode the target lines into FILE", RunUuencodeOut),
        allLines(cmd("Join", "f", "FILE", "append the lines of FILE to the lines side by side",
                     RunJoin)),
        cmd("SpToCsv", "nn", "FIRST LAST", "spaces between fields to commas in columns FIRST-LAST",
            RunSpToCsv),
        withoutDocument(parsed(
            cmd("MultiFileReplace", "rrss", "FOLDER PATTERN SEARCH REPLACEMENT [ESCAPED]",
                "replace in every file of FOLDER matching PATTERN, on disk", RunMultiFileReplace),
            ParseMultiFileReplace)),
        lineLocal(cmd("ToTopUpper", "", "", "capitalise every word", RunToTopUpper)),
        lineLocal(cmd("TabSpace", "n", "WIDTH", "expand tabs to WIDTH", RunTabSpace)),
        lineLocal(cmd("SpaceTab", "n", "WIDTH", "compress spaces to tabs of WIDTH", RunSpaceTab)),
        allLines(
            viaView(cmd("PastePlus", "", "",
                        "append the clipboard's lines to the lines side by side", RunPastePlus),
                    kCommandPastePlus)),
        cmd("ToCenter", "", "", "centre the target lines", RunToCenter),
        cmd("ToRight", "", "", "align the target lines right", RunToRight),
        cmd("ToLineUpper", "", "", "capitalise every sentence", RunToLineUpper),
        cmd("ToOnelineAll", "", "", "join all target lines into one", RunToOnelineAll),
        parsed(cmd("ReplaceDouble", "rrrrr", "START START2 END END2 ESCAPE",
                   "replace START..END by START2..END2 keeping the text between", RunReplaceDouble),
               ParseReplaceDouble),
        cmd("TabIf", "xn", "TEXT REPLACE", "put a tab after TEXT (REPLACE 1: instead of TEXT)",
            RunTabIf),
        allLines(parsed(cmd("Sort", "", "MODE FIRST LAST NUMERIC...",
                            "sort all lines by up to three keys of four numbers each", RunSort),
                        ParseSort)),
        lineLocal(cmd("UnicodeToMbcs", "", "", "decode UTF-7", RunUnicodeToMbcs)),
        lineLocal(cmd("MbcsToUnicode", "", "", "Shift-JIS to UTF-16", RunMbcsToUnicode)),
        cmd("DupLineDel", "nnnn", "PARTIAL FIRST LAST SORTED", "delete duplicate lines",
            RunDupLineDel),
        allLines(cmd("LineEdit", "Nx", "INDEX TEXT", "replace line INDEX (from 0) by TEXT",
                     RunLineEdit)),
        withoutDocument(recordedByDocument(cmd(
            "Open", "p", "PATH", "open PATH (the rest of the line) as a new document", RunOpen))),
        recordedByDocument(cmd("Close", "", "", "close the active document", RunClose)),
        recordedByDocument(
            cmd("Save", "p", "[PATH]", "save the active document (under PATH)", RunSave)),
        lineLocal(parsed(cmd("DelStr", "snn", "SEARCH FLAGS PATTERN",
                             "delete SEARCH (flags as Replace)", RunDelStr),
                         ParseDelStr)),
        allLines(cmd("InsertLine", "nx", "INDEX TEXT", "insert TEXT before line INDEX (from 0)",
                     RunInsertLine)),
        allLines(cmd("InsertEndLine", "x", "TEXT", "add TEXT as the last line", RunInsertEndLine)),
        lineLocal(cmd("Utf8ToSjis", "", "", "UTF-8 to Shift-JIS", RunUtf8ToSjis)),
        lineLocal(cmd("SjisToUtf8", "", "", "Shift-JIS to UTF-8", RunSjisToUtf8)),
        cmd("ToSjis", "", "", "detect the code and convert to Shift-JIS", RunToSjis),
        lineLocal(cmd("ToMime", "", "", "Base64-encode every target line", RunToMime)),
        cmd("SjisToUrl", "", "", "URL-encode", RunSjisToUrl),
        allLines(cmd("FileInsert", "f", "FILE", "append the lines of FILE", RunFileInsert)),
        lineLocal(cmd("ChangeUpperLower", "", "", "swap half-width upper and lower case",
                      RunChangeUpperLower)),
        allLines(cmd("Reverse", "", "", "reverse the order of all lines", RunReverse))};
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

}  // namespace

const std::vector<MacroCommand>& MacroCommands() {
    static const std::vector<MacroCommand> table = BuildTable();
    return table;
}

const MacroCommand* FindMacroCommand(std::string_view name) {
    for (const auto& command : MacroCommands())
        if (SameNameIgnoringCase(command.name, name)) return &command;
    return nullptr;
}

MacroArgs ParseMacroArgs(const MacroCommand& command, const MacroLineTokens& tokens) {
    return command.parse ? command.parse(tokens) : ReadMacroArgs(tokens, command.forms);
}

bool IWorkspace::SaveActiveDocumentAs(const std::string& path, const FileForm& form) {
    CQuillbayDoc* doc = ActiveDocument();
    return doc && doc->SaveAs(path, form);
}

}  // namespace qb
