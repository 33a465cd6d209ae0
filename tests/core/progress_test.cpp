// Long operations watched through AppContext::progress: one that is let run gives the same lines
// as without a watcher; one that is stopped half-way leaves the document as it was, with no undo
// step and its modified flag, whichever loop it was stopped in.
#include "core/progress.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/quillbay_doc.h"
#include "tests/support/doc_fixture.h"
#include "tests/support/temp_dir.h"

namespace qb {
namespace {

using test::Lines;

// Says stop at its `stopAt`-th question (never when 0), and counts the calls.
class StoppingProgress : public IProgress {
public:
    explicit StoppingProgress(int stopAt) : m_stopAt(stopAt) {}
    void Begin() override { ++depth, ++begun; }
    void End() override { --depth; }
    bool Continue(std::size_t, std::size_t) override { return ++asked != m_stopAt; }

    int depth = 0;
    int begun = 0;
    int asked = 0;

private:
    int m_stopAt;
};

// Enough lines that every loop asks more than once; with `workers`, enough for the conversions
// of every line to run on them.
Lines ManyLines(int count = 5000) {
    Lines lines;
    for (int i = 0; i < count; ++i)
        lines.push_back("line " + std::to_string((i * 7919) % 3001) + " abc,def(x)\tend");
    return lines;
}

const struct {
    const char* name;
    std::function<void(CQuillbayDoc&)> run;
} kOperations[] = {
    {"TurnChange", [](CQuillbayDoc& d) { d.TurnChange(6); }},
    {"KetaChange", [](CQuillbayDoc& d) { d.KetaChange(4); }},
    {"ZenToHan", [](CQuillbayDoc& d) { d.HanToZen(0); }},
    {"Replace", [](CQuillbayDoc& d) { d.Replace("abc", "\r\n", 0); }},
    {"ReplaceFolded", [](CQuillbayDoc& d) { d.Replace("ABC", "x", 2); }},
    {"RegExpReplace", [](CQuillbayDoc& d) { d.RegExpReplace("[0-9]+", "#", 0); }},
    {"SuperReplace", [](CQuillbayDoc& d) { d.SuperReplace("(", ")", "-"); }},
    {"ReplaceDouble", [](CQuillbayDoc& d) { d.ReplaceDouble("(", "[", ")", "]", ""); }},
    {"Sort1", [](CQuillbayDoc& d) { d.Sort1(); }},
    {"SortNumeric",
     [](CQuillbayDoc& d) {
         d.Sort({CSortItem{1, 6, 9, 1}, CSortItem{0, 1, -1, 0}});
     }},
    {"DupLineDel", [](CQuillbayDoc& d) { d.DupLineDel(0, 0, 0, 0); }},
};

TEST(ProgressTest, AWatchedOperationGivesTheSameLinesAsAnUnwatchedOne) {
    for (const auto& op : kOperations) {
        test::DocFixture plain, watched;
        plain.SetLines(ManyLines());
        watched.SetLines(ManyLines());
        StoppingProgress progress(0);
        watched.app.context.progress = &progress;
        op.run(plain.doc);
        op.run(watched.doc);
        EXPECT_EQ(watched.LineTexts(), plain.LineTexts()) << op.name;
        EXPECT_EQ(watched.doc.Target().lastLine, plain.doc.Target().lastLine) << op.name;
        EXPECT_FALSE(watched.doc.TakeStopped()) << op.name;
        EXPECT_GT(progress.asked, 1) << op.name << " asks as it goes";
        EXPECT_EQ(progress.begun, 1) << op.name;
        EXPECT_EQ(progress.depth, 0) << op.name;
    }
}

TEST(ProgressTest, AStoppedOperationLeavesTheDocumentAsItWas) {
    for (const int workers : {1, 3})
    for (int stopAt : {1, 2}) {  // at its first question, and half-way
        for (const auto& op : kOperations) {
            test::DocFixture f;
            f.app.context.workers = workers;
            f.SetLines(ManyLines(workers == 1 ? 5000 : 40000));
            f.doc.SetLine(0, "first");  // one undo step before
            f.doc.SetModifiedFlag(false);
            f.doc.Target().firstLine = 2;
            const Lines before = f.LineTexts();
            const int lastLine = f.doc.Target().lastLine;
            StoppingProgress progress(stopAt);
            f.app.context.progress = &progress;

            op.run(f.doc);
            EXPECT_TRUE(f.doc.TakeStopped()) << op.name << " at " << stopAt;
            EXPECT_FALSE(f.doc.TakeStopped()) << "reading it clears it";
            EXPECT_EQ(f.LineTexts(), before) << op.name << " at " << stopAt;
            EXPECT_EQ(f.doc.Target().firstLine, 2) << op.name;
            EXPECT_EQ(f.doc.Target().lastLine, lastLine) << op.name;
            EXPECT_FALSE(f.doc.IsModified()) << op.name;
            EXPECT_EQ(f.doc.UndoStack().Count(), 1) << op.name << " takes no undo step";
            EXPECT_EQ(progress.depth, 0) << op.name;
            EXPECT_TRUE(f.doc.Undo());
            EXPECT_EQ(f.doc.GetLine(0).str(), ManyLines()[0])
                << op.name << " keeps the step before";
        }
    }
}

// The conversions of every line run on several threads for a large document: the lines, the
// undo step and the losses told must be those of one thread, in line order.
TEST(ProgressTest, ConversionsOnSeveralThreadsGiveWhatOneGives) {
    const std::function<void(CQuillbayDoc&)> conversions[] = {
        [](CQuillbayDoc& d) { d.ZenToHan(0); },      [](CQuillbayDoc& d) { d.HanToZen(0); },
        [](CQuillbayDoc& d) { d.ToUpper(); },         [](CQuillbayDoc& d) { d.HiraToKana(); },
        [](CQuillbayDoc& d) { d.ZenToHanSw(12); },   [](CQuillbayDoc& d) { d.SjisToEuc(); },
    };
    Lines lines = ManyLines(50000);
    for (std::size_t i = 0; i < lines.size(); i += 7)
        lines[i] += "\x82\xa0\x83J\x82`\xb6\xde \xfa\x40";  // あカＡｶﾞ ⅰ in Shift-JIS
    for (const auto& convert : conversions) {
        Lines results[2];
        std::vector<std::string> lost[2];
        for (const int workers : {1, 4}) {
            test::DocFixture f;
            f.app.context.workers = workers;
            f.app.context.codeLoss = [&](const CodeLossReport& r) {
                lost[workers == 4].push_back(std::to_string(r.line) + ":" + r.what);
            };
            f.SetLines(lines);
            f.doc.Target().firstLine = 3;
            convert(f.doc);
            results[workers == 4] = f.LineTexts();
            EXPECT_EQ(f.doc.UndoStack().Count(), 1);
        }
        EXPECT_EQ(results[0], results[1]);
        EXPECT_EQ(lost[0], lost[1]);
        EXPECT_EQ(lost[0].empty(), &convert != &conversions[5]) << "SjisToEuc loses ⅰ";
        EXPECT_NE(results[0], lines);
        EXPECT_EQ(results[1][0], lines[0]) << "a line before the targets";
    }
}

// A save of a large document ran without a word to the progress: the window held still with no
// bar and no way to stop it. It reports as it writes, and a stop leaves the file as it was and
// the document unsaved, with no message.
TEST(ProgressTest, ASaveReportsAsItWritesAndAStopLeavesTheFileAsItWas) {
    Lines big;
    for (int i = 0; i < 40000; ++i)  // about 4 MB: several blocks of the writer
        big.push_back(std::string(96, static_cast<char>('a' + i % 26)));
    for (int stopAt : {0, 2}) {
        test::TempDir dir;
        const std::string path = dir.Write("big.txt", "old\r\n");
        test::DocFixture f;
        f.SetLines(big);
        f.doc.SetModifiedFlag(true);
        StoppingProgress progress(stopAt);
        f.app.context.progress = &progress;
        const bool saved = f.doc.OnSaveDocument(path);
        EXPECT_EQ(progress.begun, 1) << stopAt;
        EXPECT_EQ(progress.depth, 0) << stopAt;
        EXPECT_TRUE(f.app.host.messages.empty()) << stopAt;
        if (stopAt == 0) {
            EXPECT_TRUE(saved);
            EXPECT_GT(progress.asked, 2) << "asks as it writes";
            EXPECT_EQ(dir.Read("big.txt").size(), 40000u * 98);
            EXPECT_FALSE(f.doc.IsModified());
        } else {
            EXPECT_FALSE(saved);
            EXPECT_EQ(progress.asked, 2) << "stops when told";
            EXPECT_EQ(dir.Read("big.txt"), "old\r\n");
            EXPECT_TRUE(f.doc.IsModified());
            EXPECT_TRUE(f.doc.LastSaveError().empty()) << "a stop is no error to show";
        }
    }
}

}  // namespace
}  // namespace qb
