#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/quillbay_doc.h"
#include "core/undo_stack.h"
#include "tests/support/fake_host.h"
#include "tests/support/sjis_literal.h"
#include "tests/support/temp_dir.h"

namespace qb {
namespace {

using test::Sjis;
using test::TempDir;
using test::TestApp;

using Strings = std::vector<std::string>;

Strings Texts(const CQuillbayDoc& doc) {
    Strings texts;
    for (const Line& line : doc.Lines())
        texts.push_back(line.str());
    return texts;
}

// A document with the lines of `text` (CR LF separated) and the range over all of them.
void Fill(CQuillbayDoc& doc, std::string_view text) {
    doc.SetAllText(text);
    doc.TextAll();
}

TEST(UndoTest, WorkedSequence) {
    TestApp app;
    CQuillbayDoc doc(app.context);
    Fill(doc, "A\r\n");
    const CVelmoUndoStack& stack = doc.UndoStack();
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.Undo());

    doc.SetLine(0, "B");  // stores A
    doc.SetLine(0, "C");  // stores B
    EXPECT_EQ(stack.Count(), 2);
    EXPECT_EQ(stack.Position(), 2);
    EXPECT_TRUE(doc.CanUndo());
    EXPECT_FALSE(doc.CanRedo());

    // The first undo keeps C, so that redo can come back to it.
    EXPECT_TRUE(doc.Undo());
    EXPECT_EQ(Texts(doc), Strings{"B"});
    EXPECT_EQ(stack.Count(), 3);
    EXPECT_EQ(stack.Position(), 1);
    EXPECT_TRUE(doc.CanRedo());

    EXPECT_TRUE(doc.Undo());
    EXPECT_EQ(Texts(doc), Strings{"A"});
    EXPECT_EQ(stack.Position(), 0);
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.Undo());

    EXPECT_TRUE(doc.Redo());
    EXPECT_EQ(Texts(doc), Strings{"B"});
    EXPECT_EQ(stack.Position(), 1);
    EXPECT_TRUE(doc.Redo());
    EXPECT_EQ(Texts(doc), Strings{"C"});
    EXPECT_EQ(stack.Position(), 2);
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_FALSE(doc.Redo());
    EXPECT_EQ(Texts(doc), Strings{"C"});

    // A new operation from B abandons the redo branch (B and C) and stores B again.
    EXPECT_TRUE(doc.Undo());
    EXPECT_EQ(stack.Count(), 3);  // C is not stored a second time
    doc.SetLine(0, "D");
    EXPECT_EQ(stack.Count(), 2);
    EXPECT_EQ(stack.Position(), 2);
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_TRUE(doc.Undo());
    EXPECT_EQ(Texts(doc), Strings{"B"});
    EXPECT_TRUE(doc.Undo());
    EXPECT_EQ(Texts(doc), Strings{"A"});
    EXPECT_TRUE(doc.Redo());
    EXPECT_TRUE(doc.Redo());
    EXPECT_EQ(Texts(doc), Strings{"D"});
}

TEST(UndoTest, KeepsTheLast100Steps) {
    TestApp app;
    CQuillbayDoc doc(app.context);
    Fill(doc, "0\r\n");
    for (int n = 1; n <= 101; ++n)
        doc.SetLine(0, std::to_string(n));
    EXPECT_EQ(doc.UndoStack().Count(), 100);
    int undos = 0;
    while (doc.Undo())
        ++undos;
    EXPECT_EQ(undos, 100);
    // The state before the first operation was dropped; the oldest kept is after it.
    EXPECT_EQ(Texts(doc), Strings{"1"});
    int redos = 0;
    while (doc.Redo())
        ++redos;
    EXPECT_EQ(redos, 100);
    EXPECT_EQ(Texts(doc), Strings{"101"});
}

TEST(UndoTest, NewOperationDropsTheRedoBranch) {
    TestApp app;
    CQuillbayDoc doc(app.context);
    Fill(doc, "a\r\n");
    doc.SetLine(0, "b");
    doc.SetLine(0, "c");
    doc.Undo();
    doc.Undo();
    doc.InsertEndLine("x");
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_EQ(Texts(doc), (Strings{"a", "x"}));
    EXPECT_TRUE(doc.Undo());
    EXPECT_EQ(Texts(doc), Strings{"a"});
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_TRUE(doc.Redo());
    EXPECT_EQ(Texts(doc), (Strings{"a", "x"}));
    EXPECT_FALSE(doc.Redo());
}

TEST(UndoTest, RestoresTheRangeButNotTheRestOfTheSelection) {
    TestApp app;
    CQuillbayDoc doc(app.context);
    Fill(doc, "a\r\nb\r\nc\r\nd\r\n");
    doc.SelectLines(2, 3, 1, "", false);
    doc.SetLine(0, "x");
    doc.SelectLines(1, 4, 2, "b", true);
    doc.Notsel();
    doc.Undo();
    const TargetState& t = doc.Target();
    EXPECT_EQ(t.firstLine, 2);
    EXPECT_EQ(t.lastLine, 3);
    EXPECT_EQ(t.lineStep, 2);
    EXPECT_EQ(t.condition, "b");
    EXPECT_TRUE(t.pattern);
    EXPECT_TRUE(t.invert);
    // Redo brings back the range the document had when the undo stored it.
    doc.SelectLines(4, 4, 1, "", false);
    doc.Redo();
    EXPECT_EQ(t.firstLine, 1);
    EXPECT_EQ(t.lastLine, 4);
}

TEST(UndoTest, EveryOperationIsAStepAndUndoLeavesTheModifiedFlag) {
    TestApp app;
    CQuillbayDoc doc(app.context);
    Fill(doc, "a\r\n");
    EXPECT_FALSE(doc.IsModified());
    doc.SetLine(5, "nowhere");  // changes nothing
    doc.TransformTargetLines([](std::string_view line) { return std::string(line); });
    EXPECT_EQ(doc.UndoStack().Count(), 2);
    EXPECT_TRUE(doc.IsModified());
    doc.SetModifiedFlag(false);
    doc.Undo();
    EXPECT_FALSE(doc.IsModified());
    doc.SetModifiedFlag(true);
    doc.Undo();
    doc.Redo();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(Texts(doc), Strings{"a"});
}

TEST(UndoTest, SnapshotsShareLinesWithTheDocument) {
    TestApp app;
    CQuillbayDoc doc(app.context);
    Fill(doc, "one\r\ntwo\r\nthree\r\n");
    const Line two = doc.GetLine(1);
    doc.SetLine(0, "ONE");
    doc.SetLine(2, "THREE");
    EXPECT_TRUE(doc.GetLine(1).SharesWith(two));
    doc.Undo();
    doc.Undo();
    EXPECT_EQ(Texts(doc), (Strings{"one", "two", "three"}));
    EXPECT_TRUE(doc.GetLine(1).SharesWith(two));
    doc.Redo();
    EXPECT_TRUE(doc.GetLine(1).SharesWith(two));
}

// The stack on its own, with a small limit: the oldest unit goes, and an undo at the limit keeps
// the current state as one unit beyond it.
TEST(UndoTest, StackLimitAndUndoAtTheLimit) {
    struct Unit : CVelmoUndoUnit {
        explicit Unit(int v) : value(v) {}
        int value;
    };
    auto value = [](const CVelmoUndoUnit* unit) { return static_cast<const Unit*>(unit)->value; };
    CVelmoUndoStack stack(3);
    for (int v = 1; v <= 5; ++v)
        stack.Push(std::make_unique<Unit>(v));
    EXPECT_EQ(stack.Count(), 3);
    EXPECT_EQ(stack.Position(), 3);
    EXPECT_TRUE(stack.UndoNeedsCurrentState());
    EXPECT_EQ(value(stack.Undo(std::make_unique<Unit>(6))), 5);
    EXPECT_EQ(stack.Count(), 4);
    EXPECT_FALSE(stack.UndoNeedsCurrentState());
    EXPECT_EQ(value(stack.Undo(nullptr)), 4);
    EXPECT_EQ(value(stack.Undo(nullptr)), 3);
    EXPECT_EQ(stack.Undo(nullptr), nullptr);
    EXPECT_EQ(value(stack.Redo()), 4);
    // Pushing here drops 4, 5 and 6; the stack is below its limit, so 3 stays.
    stack.Push(std::make_unique<Unit>(7));
    EXPECT_EQ(stack.Count(), 2);
    EXPECT_EQ(stack.Redo(), nullptr);
    EXPECT_EQ(value(stack.Undo(std::make_unique<Unit>(8))), 7);
    EXPECT_EQ(value(stack.Undo(nullptr)), 3);
}

// Snapshots made after small edits share the untouched chunks of the one before, and every
// snapshot restores exactly the lines it was made from, whatever happened in between.
TEST(UndoTest, SnapshotsShareUnchangedChunksAndRestoreExactly) {
    std::mt19937 rng(100);
    LineList lines;
    for (int i = 0; i < 5000; ++i)
        lines.emplace_back(std::to_string(i));
    std::vector<std::unique_ptr<CQBayUndo>> snapshots;
    std::vector<LineList> copies;
    for (int round = 0; round < 60; ++round) {
        snapshots.push_back(std::make_unique<CQBayUndo>(
            round, round + 1, lines, snapshots.empty() ? nullptr : snapshots.back().get()));
        copies.push_back(lines);
        const std::size_t at = rng() % (lines.size() + 1);
        switch (rng() % 4) {
            case 0:  // a one-line edit: all chunks but one stay shared
                if (!lines.empty()) lines[at % lines.size()] = Line("edited");
                break;
            case 1:
                lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), Line("inserted"));
                break;
            case 2:
                if (at < lines.size()) lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
                break;
            case 3:  // nothing changed: everything shared
                break;
        }
    }
    const std::size_t chunks = (5000 + CQBayUndo::kChunkLines - 1) / CQBayUndo::kChunkLines;
    CQBayUndo a(0, 0, copies[0]);
    LineList edited = copies[0];
    edited[2500] = Line("x");
    EXPECT_EQ(CQBayUndo(0, 0, edited, &a).SharedChunks(a), chunks - 1);
    EXPECT_EQ(CQBayUndo(0, 0, copies[0], &a).SharedChunks(a), chunks);

    LineList restored = {Line("something else")};
    for (std::size_t n = 0; n < snapshots.size(); ++n) {
        int first = 0, last = 0;
        snapshots[n]->Restore(first, last, restored);
        EXPECT_EQ(first, static_cast<int>(n));
        EXPECT_EQ(last, static_cast<int>(n) + 1);
        ASSERT_EQ(restored.size(), copies[n].size()) << n;
        for (std::size_t k = 0; k < restored.size(); ++k)
            ASSERT_TRUE(restored[k].SharesWith(copies[n][k])) << n << " " << k;
    }
}

// ---- Revert ------------------------------------------------------------------------------------

TEST(RevertTest, RereadsTheFileAsOneStep) {
    TestApp app;
    TempDir dir;
    const std::string path = dir.Write("a.txt",
                                       "one\r\ntwo\r\r\nthree\x1A"
                                       "after");
    CQuillbayDoc doc(app.context);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    doc.SetLine(0, "changed");
    doc.InsertEndLine("added");
    doc.SelectLines(2, 2, 3, "t", false);
    const int steps = doc.UndoStack().Count();

    EXPECT_TRUE(doc.ToFirst());
    EXPECT_EQ(Texts(doc), (Strings{"one", "two", "three"}));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Target().firstLine, 1);
    EXPECT_EQ(doc.Target().lastLine, 3);
    EXPECT_EQ(doc.Target().lineStep, 3);  // the rest of the selection stays
    EXPECT_EQ(doc.UndoStack().Count(), steps + 1);
    EXPECT_TRUE(app.host.messages.empty());

    EXPECT_TRUE(doc.Undo());
    EXPECT_EQ(Texts(doc), (Strings{"changed", "two", "three", "added"}));
    EXPECT_EQ(doc.Target().firstLine, 2);
}

TEST(RevertTest, JisFileComesBackAsItsRawBytes) {
    TestApp app;
    TempDir dir;
    // 日本 in JIS: ESC $ B, 46 7C 4B 5C, ESC ( B.
    const std::string jis = "\x1B$BF|K\\\x1B(B";
    const std::string path = dir.Write("jis.txt", jis + "\r\n");
    CQuillbayDoc doc(app.context);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    doc.SetAllText(Sjis("日本\r\n"));
    EXPECT_TRUE(doc.ToFirst());
    EXPECT_EQ(Texts(doc), Strings{jis});
    EXPECT_TRUE(doc.Undo());
    EXPECT_EQ(Texts(doc), Strings{Sjis("日本")});
}

TEST(RevertTest, MissingFileChangesNothing) {
    TestApp app;
    TempDir dir;
    const std::string path = dir.Write("gone.txt", "text\r\n");
    CQuillbayDoc doc(app.context);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    doc.SetLine(0, "edited");
    ASSERT_EQ(std::remove(path.c_str()), 0);
    const int steps = doc.UndoStack().Count();

    EXPECT_FALSE(doc.ToFirst());
    EXPECT_EQ(app.host.messages, Strings{"ファイルが見つかりません"});
    EXPECT_EQ(Texts(doc), Strings{"edited"});
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.UndoStack().Count(), steps);
}

TEST(RevertTest, NeverSavedDocumentHasNoFileToReread) {
    TestApp app;
    app.host.editAnswer = "typed";
    CQuillbayDoc doc(app.context);
    ASSERT_TRUE(doc.OnNewDocument(NewDocumentKind::TextEdit));
    EXPECT_FALSE(doc.ToFirst());
    EXPECT_EQ(app.host.messages, Strings{"ファイルが見つかりません"});
    EXPECT_EQ(Texts(doc), Strings{"typed"});
    EXPECT_EQ(doc.UndoStack().Count(), 0);
}

}  // namespace
}  // namespace qb
