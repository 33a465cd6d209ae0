#include <gtest/gtest.h>

#include <random>

#include "tests/support/doc_fixture.h"
#include "tests/support/sjis_literal.h"
#include "tests/support/temp_dir.h"

namespace qb {
namespace {

using test::Sjis;
using Lines = std::vector<std::string>;

class LineListTest : public ::testing::Test, public test::DocFixture {};

TEST_F(LineListTest, ReverseAndDelete) {
    SetLines({"a", "b", "c", "d"});
    doc.Reverse();
    EXPECT_EQ(LineTexts(), (Lines{"d", "c", "b", "a"}));
    EXPECT_EQ(app.host.busyCount, 0);

    doc.Target().lineStep = 2;  // indexes 0 and 2 go
    doc.LineDelete();
    EXPECT_EQ(LineTexts(), (Lines{"c", "a"}));
    EXPECT_EQ(doc.Target().lastLine, 2);
    EXPECT_EQ(doc.UndoStack().Position(), 2);
}

TEST_F(LineListTest, DuplicateRemoval) {
    struct Case {
        Lines lines;
        int first, last;  // target range
        int partial, start, end, sorted;
        Lines expected;
    } cases[] = {
        // Unsorted: a target line removes every later equal line, target or not.
        {{"x", "y", "x", "x"}, 1, 1, 0, 0, 0, 0, {"x", "y"}},
        {{"x", "y", "x", "y"}, 3, 4, 0, 0, 0, 0, {"x", "y", "x", "y"}},
        // Assume sorted: only neighbouring target lines compare.
        {{"x", "x", "y", "x"}, 1, 4, 0, 0, 0, 1, {"x", "y", "x"}},
        // Partial: offsets [1, 3), 1-based columns 2 and 3.
        {{"abcd1", "zbcX2", "zbd"}, 1, 3, 1, 1, 4, 0, {"abcd1", "zbd"}},
        // Shorter than the start: compares as empty.
        {{"a", "b", "abc"}, 1, 3, 1, 2, 9, 0, {"a", "abc"}},
    };
    for (const auto& c : cases) {
        SetLines(c.lines);
        doc.Target().firstLine = c.first;
        doc.Target().lastLine = c.last;
        doc.DupLineDel(c.partial, c.start, c.end, c.sorted);
        EXPECT_EQ(LineTexts(), c.expected) << c.lines[0] << " sorted " << c.sorted;
        EXPECT_EQ(doc.Target().lastLine, doc.LineCount());
    }
}

// Duplicate removal as first described: each target line, tested where it stands, removes
// every later equal line. The target test here is the plain-condition one.
Lines ReferenceDupLineDel(Lines lines, const TargetState& t, bool sorted) {
    auto isTarget = [&](std::size_t i) {
        const bool inRange =
            t.firstLine - 1 <= static_cast<int>(i) && static_cast<int>(i) <= t.lastLine - 1;
        bool result = inRange && lines[i].find(t.condition) != std::string::npos;
        if (i % static_cast<std::size_t>(t.lineStep) != 0) result = false;
        return result != t.invert;
    };
    if (sorted) {
        bool have = false;
        std::string previous;
        for (std::size_t i = 0; i < lines.size();) {
            if (isTarget(i)) {
                if (have && lines[i] == previous) {
                    lines.erase(lines.begin() + static_cast<long>(i));
                    continue;
                }
                previous = lines[i];
                have = true;
            }
            ++i;
        }
        return lines;
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!isTarget(i)) continue;
        for (std::size_t j = i + 1; j < lines.size();) {
            if (lines[j] == lines[i])
                lines.erase(lines.begin() + static_cast<long>(j));
            else
                ++j;
        }
    }
    return lines;
}

TEST_F(LineListTest, DuplicateRemovalMatchesTheLineByLineDefinition) {
    std::mt19937 rng(11);
    const char* words[] = {"a", "b", "ab", "ba", "c", ""};
    for (int round = 0; round < 300; ++round) {
        Lines lines(rng() % 12);
        for (auto& line : lines)
            line = words[rng() % 6];
        SetLines(lines);
        TargetState& t = doc.Target();
        t.firstLine = 1 + static_cast<int>(rng() % 4);
        t.lastLine = static_cast<int>(rng() % 14);
        t.lineStep = 1 + static_cast<int>(rng() % 3);
        t.condition = rng() % 2 ? "a" : "";
        t.invert = rng() % 3 == 0;
        const bool sorted = rng() % 2 == 0;
        const TargetState before = t;
        doc.DupLineDel(0, 0, 0, sorted);
        EXPECT_EQ(LineTexts(), ReferenceDupLineDel(lines, before, sorted)) << "round " << round;
    }
}

TEST_F(LineListTest, EditingAndInsertingSingleLines) {
    SetLines({"a", "b", "c"});
    doc.Target().firstLine = 2;
    EXPECT_EQ(doc.FirstTargetIndex(), 1);
    EXPECT_EQ(doc.LineEditText(), "b");
    EXPECT_EQ(doc.InsertLineIndex(), -1);  // two lines are targets
    EXPECT_EQ(app.host.messages, (Lines{"行の挿入は複数行選択している状態では行えません"}));
    doc.Target().lastLine = 2;
    EXPECT_EQ(doc.InsertLineIndex(), 1);
    doc.LineEdit(1, "B");
    EXPECT_EQ(LineTexts(), (Lines{"a", "B", "c"}));

    doc.Target().condition = "none";
    EXPECT_EQ(doc.LineEditText(), "");
    EXPECT_EQ(doc.InsertLineIndex(), 0);
    const int steps = doc.UndoStack().Position();
    doc.LineEdit(-1, "x");  // no line: nothing replaced, the undo step is still taken
    EXPECT_EQ(LineTexts(), (Lines{"a", "B", "c"}));
    EXPECT_EQ(doc.UndoStack().Position(), steps + 1);
}

TEST_F(LineListTest, EditAllReplacesTheTextWithoutAnUndoStep) {
    SetLines({"a", "b"});
    app.host.editAnswer = "x\r\ny\r\nz";
    EXPECT_TRUE(doc.EditAll());
    EXPECT_EQ(app.host.editInputs, (Lines{"a\r\nb\r\n"}));
    EXPECT_EQ(LineTexts(), (Lines{"x", "y", "z"}));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_EQ(doc.Target().lastLine, 2);  // the range is kept

    app.host.editAnswer.reset();
    EXPECT_FALSE(doc.EditAll());
    EXPECT_EQ(LineTexts(), (Lines{"x", "y", "z"}));
}

TEST_F(LineListTest, FileInsertAndJoinReadWholeLines) {
    test::TempDir dir;
    const std::string longLine(100000, 'q');
    const std::string file = dir.Write("in.txt", "1\r\n" + longLine + "\r\n3");
    SetLines({"a"});
    ASSERT_TRUE(doc.FileInsert(file));
    EXPECT_EQ(LineTexts(), (Lines{"a", "1", longLine, "3"}));
    EXPECT_EQ(doc.Target().lastLine, 4);

    SetLines({"a"});
    ASSERT_TRUE(doc.Join(file));
    EXPECT_EQ(LineTexts(), (Lines{"a1", longLine, "3"}));
    EXPECT_EQ(doc.Target().lastLine, 3);

    SetLines({"a", "b", "c"});
    const std::string shortFile = dir.Write("short.txt", "1\n\n3\n");
    ASSERT_TRUE(doc.Join(shortFile));
    EXPECT_EQ(LineTexts(), (Lines{"a1", "b", "c3"}));
}

// A file read only up to its Ctrl-Z is said so, as opening says it.
TEST_F(LineListTest, FileInsertAndJoinWarnOfTextCutShortByCtrlZ) {
    test::TempDir dir;
    const std::string file = dir.Write("z.txt",
                                       "1\r\n\x1A"
                                       "2\r\n");
    for (const bool join : {false, true}) {
        SetLines({"a"});
        app.host.warnings.clear();
        ASSERT_TRUE(join ? doc.Join(file) : doc.FileInsert(file));
        ASSERT_EQ(app.host.warnings.size(), 1u);
        EXPECT_NE(app.host.warnings[0].find("Ctrl-Z"), std::string::npos);
        EXPECT_TRUE(app.host.messages.empty());
    }
}

TEST_F(LineListTest, AFileThatCannotBeReadChangesNothing) {
    test::TempDir dir;
    SetLines({"a"});
    EXPECT_FALSE(doc.FileInsert(dir.File("missing.txt")));
    EXPECT_FALSE(doc.Join(dir.Path()));  // a folder
    EXPECT_EQ(app.host.messages, (Lines{"ファイルが開けません", "ファイルが開けません"}));
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_EQ(LineTexts(), (Lines{"a"}));
}

TEST_F(LineListTest, ClipboardCopyAndJoinPaste) {
    SetLines({"a", "b", "c"});
    doc.Target().condition = "b";
    doc.Target().invert = true;
    doc.Copy();
    EXPECT_EQ(app.host.clipboard, "a\r\nc\r\n");
    EXPECT_FALSE(doc.CanUndo());

    SetLines({"a", "b"});
    app.host.clipboard = "1\r\n2\r\n3\r\n4\r\n";
    EXPECT_TRUE(doc.PastePlus());
    EXPECT_EQ(LineTexts(), (Lines{"a1", "b2", "3", "4"}));

    app.host.clipboard.reset();
    const int steps = doc.UndoStack().Position();
    EXPECT_FALSE(doc.PastePlus());
    EXPECT_EQ(doc.UndoStack().Position(), steps + 1);
}

TEST_F(LineListTest, StrCatAppendsToTargetLines) {
    SetLines({"a", "b", "c"});
    doc.Target().lineStep = 2;
    doc.StrCat(Sjis("です"));
    EXPECT_EQ(LineTexts(), (Lines{Sjis("aです"), "b", Sjis("cです")}));
}

}  // namespace
}  // namespace qb
