#include "core/quillbay_doc.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/doc_fixture.h"

namespace qb {
namespace {

using Lines = std::vector<std::string>;

// An operation whose arguments would make its result pass the bound on growth stops before it
// changes anything: one message, the lines as they were, no undo step. The bound is lowered
// here to keep the cases small; the first ones meet the real one (1 GiB).
TEST(QuillbayDoc, ResultsThatWouldGrowPastTheBoundAreRefusedBeforeTheyStart) {
    const std::string longLine(40'000'000, 'x');  // 40M pieces of one byte at width 1
    struct Case {
        const char* what;
        Lines lines;
        long long allowance;
        std::function<void(CQuillbayDoc&)> run;
        bool refused;
    } cases[] = {
        {"IndentChange 2^31-1", {"ab", "cd"}, 0, [](auto& d) { d.IndentChange(2147483647); }, true},
        {"SpaceInsert 1 2^31-1 0",
         {"ab"},
         0,
         [](auto& d) { d.SpaceInsert(1, 2147483647, 0); },
         true},
        {"TabSpace 2^31-1", {"a\tb"}, 0, [](auto& d) { d.TabSpace(2147483647); }, true},
        {"KetaChange 2^31-1", {"ab"}, 0, [](auto& d) { d.KetaChange(2147483647); }, true},
        {"TurnChange 1 on 40 MB", {longLine}, 0, [](auto& d) { d.TurnChange(1); }, true},
        {"TurnChange 70 on 40 MB", {longLine}, 0, [](auto& d) { d.TurnChange(70); }, false},
        {"IndentChange 4", {"ab", ""}, 0, [](auto& d) { d.IndentChange(4); }, false},
        // With the bound at 100 bytes.
        {"IndentChange 60 twice over", {"a", "b"}, 100, [](auto& d) { d.IndentChange(60); }, true},
        {"IndentChange 60 on one line", {"a", ""}, 100, [](auto& d) { d.IndentChange(60); }, false},
        {"OverwriteString far", {"a"}, 100, [](auto& d) { d.OverwriteString(200, "x"); }, true},
        {"InsertString far", {"a"}, 100, [](auto& d) { d.InsertString(200, "x"); }, true},
        {"RenoString far", {"a"}, 100, [](auto& d) { d.RenoString(1, 3, 200, 1, 0); }, true},
        {"StrCat", Lines(20, "a"), 100, [](auto& d) { d.StrCat("123456"); }, true},
        {"ToRight", {"a", std::string(150, 'z')}, 100, [](auto& d) { d.ToRight(); }, true},
        {"ToCenter", {"a", std::string(300, 'z')}, 100, [](auto& d) { d.ToCenter(); }, true},
        {"CtlMToCRLF", {"a\rb\rc\rd\re"}, 100, [](auto& d) { d.CtlMToCRLF(); }, true},
        {"TurnIf", {"a,b,c,d,e"}, 100, [](auto& d) { d.TurnIf(",", 1); }, true},
        {"IndTurnChange",
         {"   " + std::string(100, 'a')},
         100,
         [](auto& d) { d.IndTurnChange(5); },
         true},
    };
    for (const auto& c : cases) {
        test::TestApp app;
        CQuillbayDoc doc(app.context);
        if (c.allowance > 0) doc.SetGrowthAllowance(c.allowance);
        test::FillDocument(doc, c.lines);
        c.run(doc);
        EXPECT_EQ(app.host.messages.size(), c.refused ? 1u : 0u) << c.what;
        if (!c.refused) continue;
        EXPECT_TRUE(test::Strings(doc) == c.lines) << c.what;
        EXPECT_FALSE(doc.CanUndo()) << c.what;
    }
}

// Only the target lines count when every line together would pass the bound.
TEST(QuillbayDoc, TheBoundCountsTheTargetLinesOnly) {
    test::TestApp app;
    CQuillbayDoc doc(app.context);
    doc.SetGrowthAllowance(100);
    test::FillDocument(doc, Lines(10, "a"));
    doc.Target().lastLine = 1;
    doc.IndentChange(60);
    EXPECT_TRUE(app.host.messages.empty());
    EXPECT_EQ(doc.GetLine(0).size(), 61u);
    EXPECT_EQ(doc.LastGrowth(), 60);
}

// TabSpace expands the tabs of the target lines alone, both when the bound is judged over
// every line and when, past it there, over the target lines.
TEST(QuillbayDoc, TabSpaceExpandsTheTargetLinesWhereverTheBoundWasJudged) {
    for (const long long allowance : {CQuillbayDoc::kMaxGrowth, 20LL}) {
        test::TestApp app;
        CQuillbayDoc doc(app.context);
        doc.SetGrowthAllowance(allowance);
        test::FillDocument(doc, {"a\tb", "h", "c\td", "e\tf\tg"});
        doc.Target().firstLine = 3;
        doc.Target().lastLine = 3;
        doc.TabSpace(8);
        EXPECT_TRUE(app.host.messages.empty()) << allowance;
        EXPECT_EQ(doc.GetLine(0).view(), "a\tb");
        EXPECT_EQ(doc.GetLine(2).view(), "c       d") << allowance;
        EXPECT_EQ(doc.GetLine(3).view(), "e\tf\tg");
    }
}

}  // namespace
}  // namespace qb
