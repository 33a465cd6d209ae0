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
    CMacroInterpreter interpreter{app.context, workspace};
    TempDir dir;
};

// Operations that other branches are writing; the handlers say so until they are wired.
const std::set<std::string> kNotYetWired = {
    "OverwriteString",
    "RenoString",
    "KetaChange",
    "IndentChange",
    "InsertString",
    "DeletePos",
    "ZenToHan",
    "HanToZen",
    "ToUpper",
    "ToLower",
    "ToZenUpper",
    "ToZenLower",
    "HiraToKana",
    "KanaToHira",
    "Replace",
    "TurnChange",
    "JisToSjis",
    "SjisToJis",
    "UrlToSjis",
    "ToSjisCode",
    "ToJisCode",
    "ToOneline",
    "EucToSjis",
    "SjisToEuc",
    "UrleToSjis",
    "DelSpaceLine",
    "DelSpaceBack",
    "DelSpaceFirst",
    "DelSpaceMultiLine",
    "IndTurnChange",
    "CodeToSjis",
    "CodeToJis",
    "CtlMToCRLF",
    "ZenToHan2",
    "HanToZen2",
    "DelSpaceOnly",
    "LFToCRLF",
    "LineDelete",
    "StrCat",
    "SuperReplace",
    "Sort1",
    "Sort2",
    "MimeToSjis",
    "MimeOut",
    "SjisToMime",
    "SpaceInsert",
    "OnelineNo",
    "TurnIf",
    "ZenToHanSw",
    "HanToZenSw",
    "UuencodeOut",
    "Join",
    "SpToCsv",
    "MultiFileReplace",
    "ToTopUpper",
    "TabSpace",
    "SpaceTab",
    "ToCenter",
    "ToRight",
    "ToLineUpper",
    "ToOnelineAll",
    "ReplaceDouble",
    "TabIf",
    "Sort",
    "UnicodeToMbcs",
    "MbcsToUnicode",
    "DupLineDel",
    "DelStr",
    "Utf8ToSjis",
    "SjisToUtf8",
    "ToSjis",
    "ToMime",
    "SjisToUrl",
    "FileInsert",
    "ChangeUpperLower",
    "Reverse",
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
        const bool unwired = kNotYetWired.count(std::string(command.name)) > 0;
        EXPECT_EQ(outcome.kind, unwired ? MacroOutcome::Unwired : MacroOutcome::Ran) << line;
        if (command.viewCommand)
            EXPECT_EQ(workspace.sentToView, std::vector<CommandId>{command.viewCommand}) << line;
        else
            EXPECT_TRUE(workspace.sentToView.empty()) << line;
    }
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

}  // namespace
}  // namespace qb
