#include "macro/view_command.h"

#include <gtest/gtest.h>

#include "convert/cp932.h"
#include "macro/macro_commands.h"
#include "macro/macro_line.h"
#include "tests/macro/macro_fixture.h"
#include "tests/support/sjis_literal.h"
#include "tests/support/temp_dir.h"

namespace qb {
namespace {

using test::FakeWorkspace;
using test::LinesOf;
using test::N;
using test::T;

class FrameTest : public ::testing::Test {
protected:
    CommandOutcome Run(CommandId id) {
        return RunViewCommand(id, *workspace.ActiveDocument(), workspace, workspace);
    }
    ViewInvocation Prepare(CommandId id, std::vector<MacroValue> answer) {
        workspace.dialogAnswers.push_back(std::move(answer));
        return PrepareViewCommand(*FindCommand(id), *workspace.ActiveDocument(), workspace);
    }

    test::TestApp app;
    FakeWorkspace workspace{app.context};
    test::TempDir dir;
};

TEST_F(FrameTest, AsksUnderVerifyAndCancelLeavesNoTrace) {
    const std::string path = dir.Write("f.txt", "disk\r\n");
    workspace.OpenDocument(path);
    CQuillbayDoc& doc = *workspace.ActiveDocument();
    doc.SetLine(0, "edited");
    app.recorder.lines.clear();

    app.host.confirmAnswer = false;
    EXPECT_EQ(Run(32807), CommandOutcome::Cancelled);
    EXPECT_EQ(app.host.confirmations, std::vector<std::string>{"最初の状態に戻します"});
    EXPECT_EQ(LinesOf(doc), std::vector<std::string>{"edited"});
    EXPECT_TRUE(app.recorder.lines.empty());

    app.host.confirmAnswer = true;
    EXPECT_EQ(Run(32807), CommandOutcome::Done);
    EXPECT_EQ(LinesOf(doc), std::vector<std::string>{"disk"});
    EXPECT_EQ(app.recorder.lines, std::vector<std::string>{"ToFirst"});

    app.settings.WriteInt("System", "Verify", 0);
    app.host.confirmations.clear();
    Run(32807);
    EXPECT_TRUE(app.host.confirmations.empty());
}

// A target-line pattern the engine cannot test refuses the command (with the host's message)
// and leaves the document and the macro as they were.
TEST_F(FrameTest, AnUntestableTargetPatternRefusesTheCommand) {
    CQuillbayDoc& doc = workspace.AddDocument({"a", "b"});
    doc.SelectLines(1, 2, 1, "(", true);
    doc.Notsel();
    app.recorder.lines.clear();
    app.settings.WriteInt("System", "Verify", 0);
    EXPECT_EQ(Run(32824), CommandOutcome::Refused);  // LineDelete
    EXPECT_EQ(LinesOf(doc), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(app.host.messages.size(), 1u);
    EXPECT_TRUE(app.recorder.lines.empty());
    EXPECT_FALSE(doc.CanUndo());
}

TEST_F(FrameTest, CancelInADialogWritesNothing) {
    CQuillbayDoc& doc = workspace.AddDocument({"a"});
    for (CommandId id : {32784, 32931, 32783, 32769, 32924}) {
        EXPECT_EQ(Run(id), CommandOutcome::Cancelled) << id;  // no answer: Cancel
    }
    EXPECT_TRUE(app.recorder.lines.empty());
    EXPECT_FALSE(doc.CanUndo());
}

// A recorder that notes how many lines the document had when each line was recorded.
class CountingRecorder : public IMacroRecorderSink {
public:
    explicit CountingRecorder(CQuillbayDoc*& doc) : m_doc(doc) {}
    void RecordLine(std::string_view line) override {
        lines.emplace_back(line);
        counts.push_back(m_doc ? m_doc->LineCount() : -1);
    }
    std::vector<std::string> lines;
    std::vector<int> counts;

private:
    CQuillbayDoc*& m_doc;
};

TEST_F(FrameTest, RecordsBeforeOrAfterTheOperationAsTheTableSays) {
    CQuillbayDoc* current = nullptr;
    CountingRecorder recorder(current);
    app.context.recorder = &recorder;
    const std::string path = dir.Write("f.txt", "1\r\n2\r\n");
    workspace.OpenDocument(path);
    current = workspace.ActiveDocument();
    current->InsertEndLine("3");
    recorder.lines.clear();
    recorder.counts.clear();

    Run(32807);  // ToFirst: before (the document still has three lines)
    workspace.dialogAnswers.push_back(std::vector<MacroValue>{T("end")});
    Run(32931);  // InsertEndLine: after (the line is already there)
    EXPECT_EQ(recorder.lines, (std::vector<std::string>{"ToFirst", "InsertEndLine end"}));
    EXPECT_EQ(recorder.counts, (std::vector<int>{3, 3}));
}

// The values of arguments, for comparing: texts as they are, numbers as "#n".
std::vector<std::string> Values(const MacroArgs& args, std::string_view kinds) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < args.Count(); ++i)
        out.push_back(i < kinds.size() && kinds[i] == 'n' ? "#" + std::to_string(args.Int(i))
                                                          : args.Text(i));
    return out;
}

MacroArgs Replay(const std::string& line) {
    const MacroLineTokens tokens = SplitMacroLine(line);
    return ParseMacroArgs(*FindMacroCommand(tokens.name), tokens);
}

TEST_F(FrameTest, ReplaceWritesDelStrForAnEmptyReplacement) {
    workspace.AddDocument({"a"});
    struct Case {
        std::vector<MacroValue> answer;  // search, replacement (as typed), flags, pattern
        std::string line;
        std::vector<std::string> op;  // what the operation gets
    } cases[] = {
        {{T("a b"), T("x\\ty"), N(2), N(0)},
         "Replace a\\sb x\\ty 2 0",
         {"a b", "x\ty", "#2", "#0"}},
        {{T("a b"), T(""), N(6), N(0)}, "DelStr a\\sb 6 0", {"a b", "#6", "#0"}},
        {{T("a\\nb"), T("\\b"), N(0), N(0)}, "Replace a\\nb \\b 0 0", {"a\r\nb", "", "#0", "#0"}},
        // A pattern is passed as typed; its spaces are written so that replay matches the same.
        {{T("\\d+ x"), T("[$&]\\s"), N(2), N(1)},
         "Replace \\d+\\x20x [$&]\\s 2 1",
         {"\\d+ x", "[$&] ", "#2", "#1"}},
        {{T("\\s+"), T(""), N(0), N(1)}, "DelStr \\s+ 0 1", {"\\s+", "#0", "#1"}},
    };
    for (const auto& c : cases) {
        const ViewInvocation inv = Prepare(32783, c.answer);
        EXPECT_EQ(inv.line, c.line);
        const std::string kinds = inv.args.Count() == 4 ? "ttnn" : "tnn";
        EXPECT_EQ(Values(inv.args, kinds), c.op) << c.line;
    }
}

// The values each dialog returns: n a number, t a text, p a path (UTF-8).
std::string_view DialogKinds(CommandDialog dialog) {
    switch (dialog) {
        case CommandDialog::Number:
        case CommandDialog::JoinCount:
        case CommandDialog::TabWidth:
        case CommandDialog::ZenToHanKinds:
        case CommandDialog::HanToZenKinds:
            return "n";
        case CommandDialog::Text:
        case CommandDialog::LineText:
            return "t";
        case CommandDialog::Overwrite:
        case CommandDialog::Insert:
            return "nt";
        case CommandDialog::Numbering:
            return "nnnnn";
        case CommandDialog::DeleteColumns:
        case CommandDialog::SpaceToCsv:
            return "nn";
        case CommandDialog::SpaceInsert:
            return "nnn";
        case CommandDialog::BreakAt:
        case CommandDialog::TabAt:
            return "tn";
        case CommandDialog::SelectLines:
            return "ntnnn";
        case CommandDialog::Replace:
            return "ttnn";
        case CommandDialog::DeleteString:
            return "tnn";
        case CommandDialog::SuperReplace:
            return "ttt";
        case CommandDialog::ReplaceDouble:
            return "ttttt";
        case CommandDialog::MultiReplace:
            return "pptt";
        case CommandDialog::Sort:
            return "nnnnnnnn";
        case CommandDialog::DuplicateLines:
            return "nnnn";
        case CommandDialog::SaveFile:
        case CommandDialog::OpenFile:
            return "p";
        case CommandDialog::None:
            return "";
    }
    return "";
}

// For every command with a dialog: replaying the recorded line gives the operation exactly what
// the dialog gave it, whatever the text holds. (A pattern search is the exception: it is written
// so that it means the same, see RegexTokensMatchWhatThePatternMatches.)
TEST_F(FrameTest, RecordedLinesReplayWithTheArgumentsTheDialogGave) {
    workspace.AddDocument({"a", "b"});
    workspace.ActiveDocument()->Target().lastLine = 1;
    const std::vector<std::string> texts = {
        "plain", "two words", "",      "\\b",       "a\\nb",
        "\\ x",  "x\\",       "\\\\s", "tab\there", test::Sjis("表 ソ\\s"),
        "-5 x"};
    int checked = 0;
    for (const auto& row : AllCommands()) {
        if (row.owner != CommandOwner::View || row.dialog == CommandDialog::None) continue;
        const std::string_view kinds = DialogKinds(row.dialog);
        ASSERT_FALSE(kinds.empty()) << row.id;
        for (const auto& text : texts) {
            std::vector<MacroValue> answer;
            for (std::size_t i = 0; i < kinds.size(); ++i) {
                if (kinds[i] == 'n') answer.push_back(N(static_cast<int>(i) * 7 - 5));
                if (kinds[i] == 't') answer.push_back(T(text));
                if (kinds[i] == 'p') answer.push_back(T(SjisToUtf8(text)));
            }
            if (row.dialog == CommandDialog::Replace) answer[3] = N(0);
            if (row.dialog == CommandDialog::DeleteString) answer[2] = N(0);
            const ViewInvocation inv = Prepare(row.id, answer);
            if (inv.outcome == CommandOutcome::Refused) continue;  // an empty search
            ASSERT_EQ(inv.outcome, CommandOutcome::Done) << row.id;
            ASSERT_NE(inv.command, nullptr) << row.id;
            const MacroArgs replayed = Replay(inv.line);
            EXPECT_EQ(inv.line.find('\n'), std::string::npos) << inv.line;
            for (std::size_t i = 0; i < inv.args.Count(); ++i) {
                EXPECT_EQ(replayed.Text(i), inv.args.Text(i))
                    << row.id << ": " << test::Show(inv.line);
                EXPECT_EQ(replayed.Int(i), inv.args.Int(i))
                    << row.id << ": " << test::Show(inv.line);
            }
            EXPECT_EQ(replayed.Count(), inv.args.Count()) << inv.line;
            ++checked;
        }
    }
    EXPECT_GT(checked, 250);
}

TEST_F(FrameTest, TargetLineDialogSwapsTheRangeAndAlwaysWritesTheFullForm) {
    CQuillbayDoc& doc = workspace.AddDocument({"a", "b", "c"});
    workspace.dialogAnswers.push_back(std::vector<MacroValue>{N(1), T("x y"), N(10), N(5), N(1)});
    EXPECT_EQ(Run(32769), CommandOutcome::Done);
    EXPECT_EQ(doc.Target().firstLine, 5);
    EXPECT_EQ(doc.Target().lastLine, 10);
    EXPECT_EQ(doc.Target().condition, "x y");
    workspace.dialogAnswers.push_back(std::vector<MacroValue>{N(2), T(""), N(1), N(3), N(0)});
    Run(32769);
    EXPECT_EQ(app.recorder.lines,
              (std::vector<std::string>{"LineSelect 1 x\\sy 5 10 1", "LineSelect 2 \\b 1 3 0"}));
    const int redraws = workspace.redraws;
    EXPECT_EQ(Run(32769), CommandOutcome::Cancelled);
    EXPECT_EQ(workspace.redraws, redraws + 1);  // redrawn also on Cancel
}

TEST_F(FrameTest, LineCommandsWorkOnTheFirstTargetLine) {
    CQuillbayDoc& doc = workspace.AddDocument({"a", "b", "c"});
    doc.Target().firstLine = 2;
    doc.Target().lastLine = 3;
    EXPECT_EQ(Run(32930), CommandOutcome::Refused);  // two target lines
    EXPECT_EQ(app.host.messages,
              std::vector<std::string>{"行の挿入は複数行選択している状態では行えません"});
    EXPECT_TRUE(workspace.dialogKinds.empty());

    workspace.dialogAnswers.push_back(std::vector<MacroValue>{T("B 2")});
    Run(32924);
    EXPECT_EQ(workspace.presetTexts.back(), "b");
    doc.Target().lastLine = 2;
    workspace.dialogAnswers.push_back(std::vector<MacroValue>{T("new")});
    Run(32930);
    EXPECT_EQ(LinesOf(doc), (std::vector<std::string>{"a", "new", "B 2", "c"}));
    EXPECT_EQ(app.recorder.lines,
              (std::vector<std::string>{"LineEdit 1 B\\s2", "InsertLine 1 new"}));
}

TEST_F(FrameTest, OneNumberDialogsArePresetFromAndStoredToTheirSetting) {
    workspace.AddDocument({"a"});
    workspace.dialogAnswers.push_back(std::vector<MacroValue>{N(40)});
    Run(32784);
    EXPECT_EQ(workspace.presetNumbers.back(), 70);
    EXPECT_EQ(app.settings.ReadInt("Turn", "No", 0), 40);
    workspace.dialogAnswers.push_back(std::vector<MacroValue>{N(30)});
    Run(32801);  // shares the value
    EXPECT_EQ(workspace.presetNumbers.back(), 40);
    EXPECT_EQ(app.recorder.lines, (std::vector<std::string>{"TurnChange 40", "IndTurnChange 30"}));
}

TEST_F(FrameTest, FixedLinesAndLinesFromSettings) {
    workspace.AddDocument({"a"});
    app.settings.WriteInt("System", "Verify", 0);
    app.settings.WriteInt("Euc", "Code", 1);
    for (CommandId id : {32842, 32843, 32816, 32795})
        Run(id);
    workspace.dialogAnswers.push_back(std::vector<MacroValue>{N(0x17F)});
    Run(32846);
    // Right shift records after its operation.
    EXPECT_EQ(app.recorder.lines,
              (std::vector<std::string>{"DeletePos 1 1", "SpaceInsert 1 1 0", "HanToZen2 3",
                                        "SjisToEuc 1", "ZenToHanSw 127"}));
}

TEST_F(FrameTest, ViewCommandsOfTheSelectionAndUndo) {
    CQuillbayDoc& doc = workspace.AddDocument({"a", "b"});
    doc.Target().lastLine = 1;
    Run(32826);
    EXPECT_TRUE(doc.Target().invert);
    Run(32802);
    EXPECT_EQ(doc.Target().lastLine, 2);
    doc.SetLine(0, "x");
    Run(57643);
    EXPECT_EQ(LinesOf(doc), (std::vector<std::string>{"a", "b"}));
    Run(57644);
    EXPECT_EQ(LinesOf(doc), (std::vector<std::string>{"x", "b"}));
    EXPECT_EQ(app.recorder.lines, (std::vector<std::string>{"Notsel", "TextAll"}));

    app.host.editAnswer = "1\r\n2\r\n3";
    Run(32919);
    EXPECT_EQ(app.host.editInputs.back(), "x\r\nb\r\n");
    EXPECT_EQ(LinesOf(doc), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(app.recorder.lines.size(), 2u);  // edit all writes no line

    EXPECT_EQ(Run(57601), CommandOutcome::NotHandled);
    EXPECT_EQ(Run(32809), CommandOutcome::NotHandled);
    EXPECT_EQ(Run(32934), CommandOutcome::Done);  // does nothing
}

TEST_F(FrameTest, MultiFileReplaceRefusesAnEmptySearchAndWritesFoldersItCannotHoldRaw) {
    workspace.AddDocument({"a"});
    workspace.dialogAnswers.push_back(std::vector<MacroValue>{T("/d"), T("*.txt"), T(""), T("x")});
    EXPECT_EQ(Run(32851), CommandOutcome::Refused);
    EXPECT_EQ(app.host.messages, std::vector<std::string>{"検索語を入力してください"});
    EXPECT_EQ(Prepare(32851, {T("/d"), T("*.txt"), T("a b"), T("")}).line,
              "MultiFileReplace /d *.txt a\\sb \\b");
    EXPECT_EQ(Prepare(32851, {T("/my dir"), T("*.txt"), T("a"), T("b")}).line,
              "MultiFileReplace /my\\sdir *.txt a b 1");
    EXPECT_EQ(Prepare(32915, {T("("), T("["), T(")"), T("]"), T("")}).line,
              "ReplaceDouble ( [ ) ]");
    EXPECT_EQ(Prepare(32915, {T("("), T(""), T(")"), T(""), T("\\")}).line,
              "ReplaceDouble ( \\b ) \\b \\ 1");
}

// Says stop at its `stopAt`-th question (never when 0).
class StoppingProgress : public IProgress {
public:
    explicit StoppingProgress(int stopAt) : m_stopAt(stopAt) {}
    bool Continue(std::size_t, std::size_t) override { return ++m_asked != m_stopAt; }

private:
    int m_stopAt;
    int m_asked = 0;
};

std::vector<std::string> ManyLines() {
    return std::vector<std::string>(3000, "abc abc");
}

// A view command whose operation is stopped is cancelled: no macro line, no report.
TEST_F(FrameTest, AStoppedOperationIsCancelledAndRecordsNothing) {
    workspace.AddDocument(ManyLines());
    StoppingProgress progress(2);
    app.context.progress = &progress;
    workspace.dialogAnswers.push_back(std::vector<MacroValue>{T("abc"), T("x"), N(0), N(0)});
    EXPECT_EQ(RunViewCommand(32783, *workspace.ActiveDocument(), workspace, workspace),
              CommandOutcome::Cancelled);
    EXPECT_TRUE(app.recorder.lines.empty());
    EXPECT_TRUE(app.host.messages.empty()) << "no count is reported";
    EXPECT_EQ(test::Strings(*workspace.ActiveDocument()), ManyLines());

    // Let run, the same command records its line after the operation.
    StoppingProgress lets(0);
    app.context.progress = &lets;
    workspace.dialogAnswers.push_back(std::vector<MacroValue>{T("abc"), T("x"), N(0), N(0)});
    EXPECT_EQ(RunViewCommand(32783, *workspace.ActiveDocument(), workspace, workspace),
              CommandOutcome::Done);
    EXPECT_EQ(app.recorder.lines, std::vector<std::string>{"Replace abc x 0 0"});
}

}  // namespace
}  // namespace qb
