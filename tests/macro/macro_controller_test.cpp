#include "macro/macro_controller.h"

#include <gtest/gtest.h>

#include "tests/macro/macro_fixture.h"
#include "tests/support/sjis_literal.h"
#include "tests/support/temp_dir.h"

namespace qb {
namespace {

using test::FakeWorkspace;
using test::LinesOf;
using test::N;
using test::T;

class RunnerTest : public ::testing::Test {
protected:
    test::TestApp app;
    FakeWorkspace workspace{app.context};
    MacroController macros{app.context, workspace};
    test::TempDir dir;
};

TEST_F(RunnerTest, RunsEveryLineInOrderAndTheLastOneWithoutALineEnd) {
    CQuillbayDoc& doc = workspace.AddDocument({"a", "b"});
    const std::string path = dir.Write(
        "m.qmc", "LineEdit 0 x\r\nNoSuchCommand\n\r\n InsertEndLine y\r\nInsertEndLine z");
    EXPECT_EQ(macros.RunMacroFile(path), MacroRunEnd::Finished);
    EXPECT_EQ(LinesOf(doc), (std::vector<std::string>{"x", "b", "z"}));
    EXPECT_EQ(workspace.redraws, 1);
    EXPECT_TRUE(app.host.messages.empty());
}

TEST_F(RunnerTest, AStoppingLineEndsTheRun) {
    const std::string path = dir.Write("m.qmc", "Close\r\nPaste\r\n");
    app.host.clipboard = "x\r\n";
    EXPECT_EQ(macros.RunMacroFile(path), MacroRunEnd::Stopped);
    EXPECT_EQ(app.host.messages, std::vector<std::string>{"文書が存在しません"});
    EXPECT_TRUE(workspace.docs.empty());  // Paste did not run
}

TEST_F(RunnerTest, AMacroThatOpensAFileWorksOnIt) {
    const std::string text = dir.Write("t.txt", "one\r\n");
    const std::string path =
        dir.Write("m.qmc", "Open " + text + "\r\nInsertEndLine two\r\nSave\r\n");
    EXPECT_EQ(macros.RunMacroFile(path), MacroRunEnd::Finished);
    EXPECT_EQ(dir.Read("t.txt"), "one\r\ntwo\r\n");
}

// The lines are read whole: a line of 100,000 bytes runs once, not as pieces.
TEST_F(RunnerTest, RunsLongLinesWhole) {
    CQuillbayDoc& doc = workspace.AddDocument({"a"});
    const std::string text(100000, 'q');
    const std::string path =
        dir.Write("m.qmc", "InsertEndLine " + text + "\\s" + text + "\r\nLineEdit 0 z\r\n");
    EXPECT_EQ(macros.RunMacroFile(path), MacroRunEnd::Finished);
    ASSERT_EQ(doc.LineCount(), 2);
    EXPECT_EQ(doc.GetLine(1).str(), text + " " + text);
    EXPECT_EQ(doc.GetLine(0).str(), "z");
}

// A Ctrl-Z ends the text of a macro file as of any text file; the lines after it are not run,
// and the user hears so. A Ctrl-Z as the file's very last byte is only an end mark.
TEST_F(RunnerTest, SaysWhenACtrlZLeavesLinesUnrun) {
    CQuillbayDoc& doc = workspace.AddDocument({"a"});
    const std::string path = dir.Write("m.qmc", "LineEdit 0 x\r\nDelStr \x1A 0 0\r\nToUpper\r\n");
    EXPECT_EQ(macros.RunMacroFile(path), MacroRunEnd::ReadError);
    EXPECT_EQ(LinesOf(doc), std::vector<std::string>{"x"});
    ASSERT_EQ(app.host.messages.size(), 1u);
    EXPECT_NE(app.host.messages[0].find("Ctrl-Z"), std::string::npos) << app.host.messages[0];

    app.host.messages.clear();
    const std::string marked = dir.Write("e.qmc", "ToUpper\r\n\x1A");
    EXPECT_EQ(macros.RunMacroFile(marked), MacroRunEnd::Finished);
    EXPECT_EQ(LinesOf(doc), std::vector<std::string>{"X"});
    EXPECT_TRUE(app.host.messages.empty());
}

TEST_F(RunnerTest, SaysWhenTheFileCannotBeOpened) {
    EXPECT_EQ(macros.RunMacroFile(dir.File("none.qmc")), MacroRunEnd::CannotOpen);
    EXPECT_EQ(app.host.messages, std::vector<std::string>{"ファイルを開けません"});
}

TEST_F(RunnerTest, ConvertsUtf8FilesWhenTold) {
    CQuillbayDoc& doc = workspace.AddDocument({"a"});
    const std::string path = dir.Write("m.qmc", "\xEF\xBB\xBFLineEdit 0 表\r\n");
    MacroFileOptions options;
    options.utf8 = true;
    std::vector<long> numbers;
    options.onLine = [&](long n, std::string_view, const MacroOutcome& o) {
        numbers.push_back(n);
        EXPECT_EQ(o.kind, MacroOutcome::Ran);
    };
    macros.RunMacroFile(path, options);
    EXPECT_EQ(doc.GetLine(0).str(), test::Sjis("表"));
    EXPECT_EQ(numbers, std::vector<long>{1});
}

TEST_F(RunnerTest, RecordingAndRunningFromTheMenu) {
    workspace.AddDocument({"a"});
    macros.ToggleRecording([] { return std::nullopt; });  // Cancel
    EXPECT_FALSE(macros.Recorder().IsRecording());
    macros.ToggleRecording([&] { return dir.File("r.qmc"); });
    EXPECT_TRUE(macros.Recorder().IsRecording());
    EXPECT_EQ(app.context.recorder, &macros.Recorder());

    bool asked = false;
    macros.RunMacro([&] {
        asked = true;
        return dir.File("r.qmc");
    });
    EXPECT_FALSE(asked);
    EXPECT_EQ(app.host.messages, std::vector<std::string>{"マクロ記録中です!"});
    macros.ToggleRecording([] { return std::nullopt; });
    EXPECT_FALSE(macros.Recorder().IsRecording());
}

// What is recorded from the menus replays to the same document.
TEST_F(RunnerTest, ARecordedMacroReplaysToTheSameResult) {
    const std::vector<std::string> start = {"alpha", "beta", "gamma", "delta"};
    CQuillbayDoc& doc = workspace.AddDocument(start);
    macros.ToggleRecording([&] { return dir.File("r.qmc"); });
    auto run = [&](CommandId id, std::vector<MacroValue> answer = {}) {
        if (!answer.empty()) workspace.dialogAnswers.push_back(std::move(answer));
        RunViewCommand(id, *workspace.ActiveDocument(), workspace, workspace);
    };
    run(32769, {N(2), T("a"), N(4), N(1), N(0)});
    run(32924, {T("first \\n target")});
    run(32826);
    run(32931, {T("\\\\s end ")});
    run(32802);
    run(32930, {T("")});
    macros.ToggleRecording([] { return std::nullopt; });
    const auto recorded = LinesOf(doc);
    const TargetState target = doc.Target();

    workspace.docs.clear();
    CQuillbayDoc& again = workspace.AddDocument(start);
    EXPECT_EQ(macros.RunMacroFile(dir.File("r.qmc")), MacroRunEnd::Finished);
    EXPECT_EQ(LinesOf(again), recorded);
    EXPECT_EQ(again.Target().firstLine, target.firstLine);
    EXPECT_EQ(again.Target().lastLine, target.lastLine);
    EXPECT_EQ(again.Target().invert, target.invert);
    EXPECT_EQ(again.Target().condition, target.condition);
    EXPECT_TRUE(app.host.messages.empty());
}

TEST_F(RunnerTest, RunsOverSeveralFilesWithEachEndMode) {
    const std::string macro = dir.Write("m.qmc", "InsertEndLine added\r\n");
    std::vector<std::string> files;
    for (const char* name : {"1.txt", "2.txt", "3.txt"})
        files.push_back(dir.Write(name, "x\r\n"));
    files.insert(files.begin() + 1, dir.File("missing.txt"));

    macros.RunOverFiles(macro, files, MacroEndMode::SaveAndClose);
    EXPECT_TRUE(workspace.docs.empty());
    for (const char* name : {"1.txt", "2.txt", "3.txt"})
        EXPECT_EQ(dir.Read(name), "x\r\nadded\r\n");
    EXPECT_EQ(app.host.messages, std::vector<std::string>{"ファイルが見つかりません"});

    macros.RunOverFiles(macro, {files[0]}, MacroEndMode::Save);
    EXPECT_EQ(workspace.docs.size(), 1u);
    EXPECT_EQ(dir.Read("1.txt"), "x\r\nadded\r\nadded\r\n");

    macros.RunOverFiles(macro, {files[2]}, MacroEndMode::Leave);
    EXPECT_EQ(workspace.docs.size(), 2u);
    EXPECT_TRUE(workspace.docs.back()->IsModified());
    EXPECT_EQ(dir.Read("2.txt"), "x\r\nadded\r\n");

    app.host.messages.clear();
    macros.RunOverFiles(dir.File("none.qmc"), files, MacroEndMode::SaveAndClose);
    EXPECT_EQ(app.host.messages, std::vector<std::string>{"ファイルを開けません"});  // once
    EXPECT_EQ(workspace.docs.size(), 2u);
}

// A stop before the third file: the two before it are saved and closed, the third never opens.
TEST_F(RunnerTest, ProgressMayStopARunOverFilesBetweenTwoFiles) {
    const std::string macro = dir.Write("m.qmc", "InsertEndLine added\r\n");
    std::vector<std::string> files;
    for (const char* name : {"1.txt", "2.txt", "3.txt"})
        files.push_back(dir.Write(name, "x\r\n"));
    std::vector<int> seen;
    macros.RunOverFiles(macro, files, MacroEndMode::SaveAndClose,
                        [&](int done, int total, std::string_view name) {
                            EXPECT_EQ(total, 3);
                            seen.push_back(done);
                            return name != files[2];
                        });
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 2}));
    EXPECT_EQ(workspace.opened, (std::vector<std::string>{files[0], files[1]}));
    EXPECT_TRUE(workspace.docs.empty());
    EXPECT_EQ(dir.Read("2.txt"), "x\r\nadded\r\n");
    EXPECT_EQ(dir.Read("3.txt"), "x\r\n");
}

}  // namespace
}  // namespace qb
