// Joining and splitting lines on a document: blocks, groups, lines that are no targets, and the
// range afterwards.
#include <gtest/gtest.h>

#include "tests/support/doc_fixture.h"

namespace qb {
namespace {

using test::Utf8Doc;
using test::Utf8Lines;

TEST(DocJoin, BlocksEndAtEmptyLinesAndAfterAFullStop) {
    Utf8Doc d({"ab", "cd。", "ef", "", "gh", "ij"});
    d->Target().firstLine = 1;
    d->ToOneline();
    EXPECT_EQ(d.Lines(), Utf8Lines({"abcd。", "ef", "", "ghij"}));
    EXPECT_EQ(d->Target().lastLine, 1);

    // A full stop on the first line of a block does not end it; the flag does not carry over
    // an empty line.
    Utf8Doc f({"a。", "b", "c。", "", "d", "e"});
    f->ToOneline();
    EXPECT_EQ(f.Lines(), Utf8Lines({"a。bc。", "", "de"}));

    // The second byte 81 of a kanji followed by "B" (42) is no full stop.
    Utf8Doc k({});
    k->SetAllText(
        "x\r\n\x88\x81"
        "B\r\ny\r\n");
    k->Target().lastLine = 3;
    k->ToOneline();
    EXPECT_EQ(k->GetLine(0).view(),
              "x\x88\x81"
              "By");
}

TEST(DocJoin, ATargetLineJoinsALineThatIsNoTarget) {
    Utf8Doc d({"a", "b", "skip", "c", "d"});
    d->Target().condition = "skip";
    d->Target().invert = true;
    d->ToOneline();
    EXPECT_EQ(d.Lines(), Utf8Lines({"ab", "skipcd"}));
}

TEST(DocJoin, AllTargetLinesIntoTheFirst) {
    Utf8Doc d({"head", "a", "", "b"});
    d->Target().firstLine = 2;
    d->ToOnelineAll();
    EXPECT_EQ(d.Lines(), Utf8Lines({"head", "ab"}));
    EXPECT_EQ(d->Target().lastLine, 2);
}

TEST(DocJoin, GroupsOfN) {
    Utf8Doc d({"a", "b", "c", "d", "e"});
    d->OnelineNo(2);
    EXPECT_EQ(d.Lines(), Utf8Lines({"ab", "cd", "e"}));
    Utf8Doc t({"a", "b", "c", "d", "e"});
    t->OnelineNo(3);
    EXPECT_EQ(t.Lines(), Utf8Lines({"abc", "de"}));
    Utf8Doc all({"a", "b", "c"});
    all->OnelineNo(1);
    EXPECT_EQ(all.Lines(), Utf8Lines({"abc"}));
}

TEST(DocJoin, JoiningManyLinesIsLinear) {
    Utf8Doc d({});
    std::string text;
    for (int i = 0; i < 200000; ++i)
        text += "0123456789\r\n";
    d->SetAllText(text);
    d->Target().lastLine = d->LineCount();
    d->ToOnelineAll();
    ASSERT_EQ(d->LineCount(), 1);
    EXPECT_EQ(d->GetLine(0).size(), 2000000u);
}

TEST(DocJoin, SplitAtStrayCrOrLf) {
    Utf8Doc d({"a\nb\n", "c\rd", "x\ny"});
    d->Target().lastLine = 2;
    d->LFToCRLF();
    EXPECT_EQ(d.Lines(), Utf8Lines({"a", "b", "", "c\rd", "x\ny"}));
    EXPECT_EQ(d->Target().lastLine, 4);
    d->Target().lastLine = d->LineCount();
    d->CtlMToCRLF();
    EXPECT_EQ(d.Lines(), Utf8Lines({"a", "b", "", "c", "d", "x\ny"}));
    EXPECT_EQ(d->Target().lastLine, 6);
}

}  // namespace
}  // namespace qb
