#include "app/cli/dry_run_diff.h"

#include <gtest/gtest.h>

#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Sjis;

TEST(DryRunDiff, NeighbouringLinesShareAHunkAndBrokenLinesShiftTheNewNumbers) {
    MultiFileResult result;
    result.folder = "notes/";
    MultiFileEntry& changed = result.files.emplace_back();
    changed.name = "a.txt";
    changed.code = CodeJis;
    changed.replacements = 4;
    changed.changes = {{1, Sjis("あa"), Sjis("あb")},
                       {2, "a", "b"},
                       {5, "x,y", "x\r\ny"},  // the replacement breaks the line
                       {7, "a", "b"}};
    MultiFileEntry& unchanged = result.files.emplace_back();
    unchanged.name = "b.txt";
    EXPECT_EQ(MultiFileDiff(result),
              "--- notes/a.txt\tJIS, 4 replacements\n"
              "+++ notes/a.txt\n"
              "@@ -1,2 +1,2 @@\n-あa\n-a\n+あb\n+b\n"
              "@@ -5 +5,2 @@\n-x,y\n+x\n+y\n"
              "@@ -7 +8 @@\n-a\n+b\n");
    result.files.erase(result.files.begin());
    EXPECT_EQ(MultiFileDiff(result), "");
}

TEST(DryRunDiff, AFileNameWithALineBreakOrAnEscapeForgesNoLineAndNoColour) {
    MultiFileResult result;
    result.folder = "in\x1b[31m/";
    MultiFileEntry& changed = result.files.emplace_back();
    changed.name = "a.txt\n+++ b.txt";
    changed.code = CodeShiftJis;
    changed.replacements = 1;
    changed.changes = {{1, "a", "b"}};
    EXPECT_EQ(MultiFileDiff(result),
              "--- in\\x1B[31m/a.txt\\x0A+++ b.txt\tShiftJIS, 1 replacement\n"
              "+++ in\\x1B[31m/a.txt\\x0A+++ b.txt\n"
              "@@ -1 +1 @@\n-a\n+b\n");
}

}  // namespace
}  // namespace qb
