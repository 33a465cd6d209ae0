#include "macro/macro_interpreter.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/macro/macro_fixture.h"
#include "tests/support/sjis_literal.h"
#include "tests/support/temp_dir.h"

namespace qb {
namespace {

using test::FakeWorkspace;
using test::LinesOf;
using test::Sjis;
using test::TempDir;

class InterpreterTest : public ::testing::Test {
protected:
    test::TestApp app;
    FakeWorkspace workspace{app.context};
    MacroInterpreter interpreter{app.context, workspace};
    TempDir dir;
};

// A line for each command, with arguments of the right forms.
std::string SampleLine(const MacroCommand& c, const TempDir& dir) {
    const std::string name(c.name);
    if (name == "Replace") return "Replace a b 0 0";
    if (name == "DelStr") return "DelStr a 0 0";
    if (name == "LineSelect") return "LineSelect 1 \\b 1 2 0";
    if (name == "SuperReplace") return "SuperReplace ( ) x";
    if (name == "Sort") return "Sort 0 1 -1 0";
    if (name == "ReplaceDouble") return "ReplaceDouble ( [ ) ]";
    if (name == "MultiFileReplace") return "MultiFileReplace " + dir.Path() + " *.none a b";
    std::string line = name;
    for (const char form : c.forms) {
        switch (form) {
            case 'n':
            case 'N':
                line += " 1";
                break;
            case 'f':
                line += " " + dir.File("out.bin");
                break;
            case 'p':
                line += " " + dir.File(name == "Open" ? "in.txt" : "saved.txt");
                break;
            default:
                line += " a";
                break;
        }
    }
    return line;
}

TEST_F(InterpreterTest, EveryCommandDispatchesToItsHandler) {
    dir.Write("in.txt", "x\r\n");
    app.host.clipboard = "p\r\n";
    workspace.runViewCommands = false;
    for (const MacroCommand& command : MacroCommands()) {
        workspace.docs.clear();
        workspace.sentToView.clear();
        workspace.AddDocument({"ab", "cd"});
        const std::string line = SampleLine(command, dir);
        EXPECT_EQ(interpreter.Execute(line), MacroResult::Continue) << line;
        const MacroOutcome& outcome = interpreter.LastOutcome();
        ASSERT_EQ(outcome.command, &command) << line;
        EXPECT_EQ(outcome.kind, MacroOutcome::Ran) << line;
        if (command.viewCommand)
            EXPECT_EQ(workspace.sentToView, std::vector<CommandId>{command.viewCommand}) << line;
        else
            EXPECT_TRUE(workspace.sentToView.empty()) << line;
    }
}

// A target-line pattern that cannot be tested (malformed, or a line that runs into the match
// limit) stops the run, once, before a command that uses the target lines changes anything.
// A command that does not use them runs as usual: it gives the same result whether no line or
// every line is a target.
TEST_F(InterpreterTest, AnUntestableTargetPatternStopsCommandsThatUseTargetLines) {
    dir.Write("in.txt", "x\r\n");
    const std::vector<std::string> lines = {std::string(60, 'a') + "b", "ab c", ""};
    const auto linesAfter = [&](const std::string& line, bool invert, const std::string& cond,
                                bool pattern) {
        app.host.clipboard = "p\r\n";
        workspace.docs.clear();
        CQuillbayDoc& doc = workspace.AddDocument(lines);
        doc.Target().condition = cond;
        doc.Target().pattern = pattern;
        doc.Target().invert = invert;
        app.host.messages.clear();
        const MacroResult result = interpreter.Execute(line);
        return std::make_pair(result, workspace.docs.empty() ? std::vector<std::string>{"(closed)"}
                                                             : LinesOf(*workspace.docs.back()));
    };
    for (const MacroCommand& command : MacroCommands()) {
        if (command.runsWithoutDocument || command.recordedByDocument) continue;
        const std::string line = SampleLine(command, dir);
        if (!command.usesTargetLines) {
            EXPECT_EQ(linesAfter(line, false, "\x01", false), linesAfter(line, true, "\x01", false))
                << line << " uses the target lines";
            continue;
        }
        for (const std::string& pattern : {std::string("("), std::string("(a|aa)+c|b")}) {
            const auto [result, after] = linesAfter(line, true, pattern, true);
            EXPECT_EQ(result, MacroResult::Stop) << line;
            EXPECT_EQ(after, lines) << line;
            EXPECT_EQ(app.host.messages.size(), 1u) << line;
        }
    }
}

// The arguments reach the operations in the right order: one small case per wired command.
TEST_F(InterpreterTest, ArgumentsReachTheOperations) {
    using Lines = std::vector<std::string>;
    struct Case {
        Lines before;
        const char* line;
        Lines after;
    } cases[] = {
        {{"abcd"}, "OverwriteString 2 XY", {"aXYd"}},
        {{"abcd"}, "InsertString 2 X\\sY", {"aX Ybcd"}},
        {{"abcd"}, "KetaChange 2", {"ab"}},
        {{"abcd"}, "IndentChange 2", {"  abcd"}},
        {{"abcd"}, "DeletePos 2 3", {"ad"}},
        {{"abcd"}, "SpaceInsert 2 2 0", {"a  bcd"}},
        {{"abcd"}, "SpaceInsert 2 2 1", {"a  d"}},
        {{"abcd", "abcd"}, "RenoString 5 2 1 7 0", {"07cd", "12cd"}},
        {{"abcd"}, "TurnChange 2", {"ab", "cd"}},
        {{"  abcd"}, "IndTurnChange 4", {"  ab", "  cd"}},
        {{"abcd"}, "TurnIf b 0", {"ab", "cd"}},
        {{"abcd"}, "TurnIf b 1", {"a", "cd"}},
        {{"a", "", " ", "b"}, "DelSpaceLine", {"a", "b"}},
        {{"a", "", "", "b"}, "DelSpaceMultiLine", {"a", "", "b"}},
        {{"  "}, "DelSpaceOnly", {""}},
        {{" a "}, "DelSpaceFirst", {"a "}},
        {{" a "}, "DelSpaceBack", {" a"}},
        {{"a\tb"}, "TabSpace 4", {"a   b"}},
        {{"a   b"}, "SpaceTab 4", {"a\tb"}},
        {{"abcd", "ab"}, "ToRight", {"abcd", "  ab"}},
        {{"a,b"}, "TabIf , 1", {"a\tb"}},
        {{"a  b c"}, "SpToCsv 1 100", {"a, b,c"}},
        {{"ab", "cd", "", "ef"}, "ToOneline", {"abcd", "", "ef"}},
        {{"a", "b", "c"}, "ToOnelineAll", {"abc"}},
        {{"a", "b", "c"}, "OnelineNo 2", {"ab", "c"}},
        {{"a\rb"}, "CtlMToCRLF", {"a", "b"}},
        {{"abcd"}, "Replace b\\sc X 0 0", {"abcd"}},
        {{"ab cd"}, "Replace b\\sc X\\sY 0 0", {"aX Yd"}},
        {{"aBcd"}, "Replace b X 2 0", {"aXcd"}},
        {{"abbcd"}, "Replace b+ [$&] 0 1", {"a[bb]cd"}},
        {{"a,b"}, "Replace , \\n 0 0", {"a", "b"}},
        {{"abcd"}, "DelStr bc 0 0", {"ad"}},
        {{"abcd"}, "DelStr [bc] 0 1", {"ad"}},
        {{"x(y)z"}, "SuperReplace ( ) \\b", {"xz"}},
        {{"(a)"}, "ReplaceDouble ( [ ) ]", {"[a]"}},
        {{"a", "c", "b"}, "Sort 1 1 -1 0", {"c", "b", "a"}},
        {{"b", "A", "c"}, "Sort1", {"A", "b", "c"}},
        {{"b", "A", "c"}, "Sort2", {"c", "b", "A"}},
        {{"a", "b"}, "Reverse", {"b", "a"}},
        {{"x", "y", "x"}, "DupLineDel 0 0 0 0", {"x", "y"}},
        {{"a", "b"}, "LineDelete", {}},
        {{"a"}, "StrCat \\s!", {"a !"}},
        {{Sjis("ＡＢ１ガ")}, "ZenToHan", {Sjis("AB1ｶﾞ")}},
        {{Sjis("ＡＢ１ガ")}, "ZenToHan2 2", {Sjis("ＡＢ1ガ")}},
        {{Sjis("AB1ｶﾞ")}, "HanToZen", {Sjis("ＡＢ１ガ")}},
        {{Sjis("AB1ｶﾞ")}, "HanToZen2 1", {Sjis("ＡＢ1ｶﾞ")}},
        {{Sjis("二〇ａ")}, "ZenToHanSw 64", {Sjis("20ａ")}},
        {{Sjis("a1")}, "HanToZenSw 4", {Sjis("a１")}},
        {{Sjis("aＢ")}, "ToUpper", {Sjis("AＢ")}},
        {{Sjis("aＢ")}, "ToZenLower", {Sjis("aｂ")}},
        {{Sjis("あア")}, "HiraToKana", {Sjis("アア")}},
        {{"one two"}, "ToTopUpper", {"One Two"}},
        {{"aB"}, "ChangeUpperLower", {"Ab"}},
        {{Sjis("亜")}, "SjisToJis", {"\x1B$B0!\x1B(B"}},
        {{"\x1B$B0!\x1B(B"}, "JisToSjis", {Sjis("亜")}},
        {{Sjis("亜")}, "SjisToUtf8", {"亜"}},
        {{"亜"}, "Utf8ToSjis", {Sjis("亜")}},
        {{"x=1&y=2"}, "UrlToSjis", {"x=1", "y=2"}},
        {{"AB"}, "ToSjisCode", {"41 42 "}},
        {{"4142"}, "CodeToSjis", {"AB"}},
        {{"abc"}, "ToMime", {"YWJj"}},
    };
    for (const auto& c : cases) {
        workspace.docs.clear();
        CQuillbayDoc& doc = workspace.AddDocument(c.before);
        interpreter.Execute(c.line);
        EXPECT_EQ(interpreter.LastOutcome().kind, MacroOutcome::Ran) << c.line;
        EXPECT_EQ(LinesOf(doc), c.after) << c.line;
    }
    EXPECT_TRUE(app.host.messages.empty());
}

TEST_F(InterpreterTest, WithoutADocumentOnlyOpenAndPasteRun) {
    EXPECT_EQ(interpreter.Execute("Close"), MacroResult::Stop);
    EXPECT_EQ(interpreter.LastOutcome().kind, MacroOutcome::NoDocument);
    EXPECT_EQ(app.host.messages, std::vector<std::string>{"文書が存在しません"});
    EXPECT_EQ(interpreter.Execute("textall"), MacroResult::Stop);

    // An empty line, a leading space and an unknown name do nothing, document or not.
    app.host.messages.clear();
    for (const char* line : {"", " Close", "NoSuchCommand 1", "Close  "})
        EXPECT_EQ(interpreter.Execute(line), MacroResult::Continue) << line;
    EXPECT_TRUE(app.host.messages.empty());

    app.host.clipboard = "x\r\ny\r\n";
    EXPECT_EQ(interpreter.Execute("paste"), MacroResult::Continue);
    ASSERT_NE(workspace.ActiveDocument(), nullptr);
    EXPECT_EQ(LinesOf(*workspace.ActiveDocument()), (std::vector<std::string>{"x", "y"}));
}

TEST_F(InterpreterTest, OpenTakesTheRestOfTheLineAndTheNewDocumentBecomesActive) {
    const std::string path = dir.Write("a  b 表.txt", "one\r\n");
    workspace.AddDocument({"first"});
    interpreter.Execute("Open " + Sjis(dir.Path() + "/a  b 表.txt"));
    ASSERT_EQ(workspace.docs.size(), 2u);
    interpreter.Execute("LineEdit 0 changed");
    EXPECT_EQ(LinesOf(*workspace.docs[1]), std::vector<std::string>{"changed"});
    EXPECT_EQ(LinesOf(*workspace.docs[0]), std::vector<std::string>{"first"});
    interpreter.Execute("Save " + dir.File("copy of it.txt"));
    EXPECT_EQ(test::ReadFileBytes(dir.File("copy of it.txt")), "changed\r\n");
    interpreter.Execute("Close");
    EXPECT_EQ(workspace.docs.size(), 1u);
    // "Open" followed by two spaces is a name with a trailing space: nothing happens.
    interpreter.Execute("Open  " + path);
    EXPECT_EQ(workspace.docs.size(), 1u);
}

// A recorded Save As with a code and line ends replays to the same bytes; a name that merely
// ends in words stays a name.
TEST_F(InterpreterTest, SaveWithAFormWritesThatFormAndOtherNamesStayPaths) {
    const std::string path = dir.Write("u.txt", "\xE3\x81\x82\n");  // あ
    interpreter.Execute("Open " + path);
    ASSERT_EQ(workspace.docs.size(), 1u);
    interpreter.Execute("Save " + dir.File("w.txt") + " utf16le CRLF");
    EXPECT_EQ(test::ReadFileBytes(dir.File("w.txt")), std::string("\xFF\xFE\x42\x30\r\0\n\0", 8));
    interpreter.Execute("Save " + dir.File("my utf8 file"));
    EXPECT_EQ(test::ReadFileBytes(dir.File("my utf8 file")), std::string("\xFF\xFE\x42\x30\r\0\n\0", 8));
    EXPECT_EQ(workspace.saved, std::vector<std::string>{dir.File("my utf8 file")});
}

TEST_F(InterpreterTest, LineSelectSetsTheTargetStateByItsForm) {
    CQuillbayDoc& doc = workspace.AddDocument({"a", "b", "c", "d"});
    interpreter.Execute("LineSelect 2 x\\sy 3 9 1");
    EXPECT_EQ(doc.Target().lineStep, 2);
    EXPECT_EQ(doc.Target().condition, "x y");
    EXPECT_EQ(doc.Target().firstLine, 3);
    EXPECT_EQ(doc.Target().lastLine, 9);
    EXPECT_TRUE(doc.Target().pattern);

    interpreter.Execute("lineselect 1 2 1");  // three tokens: condition and flag stay; no swap
    EXPECT_EQ(doc.Target().condition, "x y");
    EXPECT_TRUE(doc.Target().pattern);
    EXPECT_EQ(doc.Target().firstLine, 2);
    EXPECT_EQ(doc.Target().lastLine, 1);

    interpreter.Execute("LineSelect 1 a\\sb 1 4");  // four tokens: the condition as written
    EXPECT_EQ(doc.Target().condition, "a\\sb");
    EXPECT_TRUE(doc.Target().pattern);

    interpreter.Execute("LineSelect 1 \\b 1 4 0");
    EXPECT_EQ(doc.Target().condition, "");
    EXPECT_FALSE(doc.Target().pattern);
    EXPECT_EQ(doc.CountTargetLines(), 4);
}

TEST_F(InterpreterTest, ViewCommandsRunThroughTheView) {
    CQuillbayDoc& doc = workspace.AddDocument({"a", "b", "c"});
    interpreter.Execute("LineSelect 1 b 2 2 0");
    interpreter.Execute("Notsel");
    EXPECT_TRUE(doc.Target().invert);
    interpreter.Execute("TextAll");  // the range, step and condition; invert stays
    EXPECT_EQ(doc.Target().firstLine, 1);
    EXPECT_EQ(doc.Target().lastLine, 3);
    EXPECT_EQ(doc.Target().condition, "");
    EXPECT_EQ(doc.CountTargetLines(), 0);
    interpreter.Execute("NOTSEL");
    EXPECT_EQ(doc.CountTargetLines(), 3);
    // The view records its own lines; replay does not record.
    EXPECT_EQ(app.recorder.lines, (std::vector<std::string>{"Notsel", "TextAll", "Notsel"}));
}

TEST_F(InterpreterTest, MissingNumbersThatWouldDestroyTextRunNothing) {
    CQuillbayDoc& doc = workspace.AddDocument({"keep"});
    EXPECT_EQ(interpreter.Execute("LineEdit"), MacroResult::Continue);
    EXPECT_EQ(interpreter.LastOutcome().kind, MacroOutcome::MissingArgument);
    EXPECT_EQ(LinesOf(doc), std::vector<std::string>{"keep"});
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_EQ(app.host.messages, std::vector<std::string>{"マクロの引数が足りません: LineEdit"});
    // A missing string is empty; a missing index that cannot destroy text is 0.
    interpreter.Execute("InsertLine");
    interpreter.Execute("LineEdit 1");
    EXPECT_EQ(LinesOf(doc), (std::vector<std::string>{"", ""}));
}

TEST_F(InterpreterTest, RunsLinesOfAnyLength) {
    CQuillbayDoc& doc = workspace.AddDocument({"x"});
    const std::string text(100000, 'y');
    interpreter.Execute("LineEdit 0 " + text);
    EXPECT_EQ(doc.GetLine(0).size(), text.size());
    interpreter.Execute("InsertEndLine " + text + "\\s" + text);
    EXPECT_EQ(doc.GetLine(1).str(), text + " " + text);
}

TEST_F(InterpreterTest, RecordsTheLinesItRunsWhenAsked) {
    dir.Write("in.txt", "x\r\n");
    workspace.AddDocument({"a"});
    interpreter.SetRecordsLines(true);
    for (const char* line : {"lineedit 0 b", "NoSuchCommand", "", "textall", "KetaChange"})
        interpreter.Execute(line);
    interpreter.Execute("OPEN " + dir.File("in.txt"));
    interpreter.Execute("close");
    EXPECT_EQ(app.recorder.lines,
              (std::vector<std::string>{"LineEdit 0 b", "TextAll", "Open " + dir.File("in.txt"),
                                        "Close"}));
}

// The bound a block-by-block run passes for one line holds for that line alone: a lower bound
// left on the document would refuse a later line that may grow, and a growth left over from an
// earlier line would be counted again against a line that added nothing.
TEST_F(InterpreterTest, TheBoundPassedForALineHoldsForThatLineAlone) {
    CQuillbayDoc& doc = workspace.AddDocument(std::vector<std::string>(10, "a"));
    const ParsedMacroLine indent("IndentChange 60");
    EXPECT_EQ(interpreter.Execute(indent, 100), MacroResult::Continue);
    EXPECT_EQ(app.host.messages.size(), 1u);  // refused: 600 bytes would pass 100
    EXPECT_EQ(doc.GetLine(0).view(), "a");

    EXPECT_EQ(interpreter.Execute(indent), MacroResult::Continue);
    EXPECT_EQ(app.host.messages.size(), 1u);
    EXPECT_EQ(doc.GetLine(0).size(), 61u);
    EXPECT_EQ(interpreter.LastOutcome().growth, 600);

    EXPECT_EQ(interpreter.Execute(ParsedMacroLine("ZenToHan"), 100), MacroResult::Continue);
    EXPECT_EQ(interpreter.LastOutcome().growth, 0);
}

}  // namespace
}  // namespace qb
