// The whitespace and alignment operations on a document: which lines go, the range afterwards,
// the longest line of the whole document, and unchanged lines keeping their storage.
#include <gtest/gtest.h>

#include "tests/support/doc_fixture.h"

namespace qb {
namespace {

using test::Utf8Doc;
using test::Utf8Lines;

TEST(DocWhitespace, BlankLineRemovalCountsTabsOnlyWhereItShould) {
    Utf8Doc d({"a", "", "\t", " 　", "b", "\t"});
    d->Target().lastLine = 5;
    d->DelSpaceLine();
    EXPECT_EQ(d.Lines(), Utf8Lines({"a", "b", "\t"}));
    EXPECT_EQ(d->Target().lastLine, 2);

    Utf8Doc m({"a", "", " ", "　", "b", "\t", "", "c", " "});
    m->DelSpaceMultiLine();
    EXPECT_EQ(m.Lines(), Utf8Lines({"a", "", "b", "\t", "", "c", ""}));
    EXPECT_EQ(m->Target().lastLine, 7);

    Utf8Doc o({" 　 ", "\t ", " a "});
    o->DelSpaceOnly();
    EXPECT_EQ(o.Lines(), Utf8Lines({"", "\t ", " a "}));
}

TEST(DocWhitespace, ARunOfBlankLinesIsNotEndedByLinesThatAreNoTargets) {
    Utf8Doc d({"", "skip", "", "x"});
    d->Target().condition = "";
    d->Target().lineStep = 2;  // indexes 0 and 2 are targets
    d->DelSpaceMultiLine();
    EXPECT_EQ(d.Lines(), Utf8Lines({"", "skip", "x"}));
}

TEST(DocWhitespace, LeadingAndTrailingBlanks) {
    Utf8Doc d({" 　a 　", "\t b "});
    d->DelSpaceFirst();
    EXPECT_EQ(d.Lines(), Utf8Lines({"a 　", "\t b "}));
    d->DelSpaceBack();
    EXPECT_EQ(d.Lines(), Utf8Lines({"a", "\t b"}));

    // 88 81 is a kanji; the "@" (40) after it is no half of a full-width space.
    Utf8Doc k({});
    k->SetAllText("\x88\x81@\r\n");
    k->Target().lastLine = 1;
    k->DelSpaceBack();
    EXPECT_EQ(k->GetLine(0).view(), "\x88\x81@");

    // Lines without trailing blanks keep their storage (shared with the undo history).
    Utf8Doc s({"abc", "def "});
    const Line abc = s->GetLine(0);
    s->DelSpaceBack();
    EXPECT_TRUE(s->GetLine(0).SharesWith(abc));
}

TEST(DocWhitespace, TabsAndSpaces) {
    Utf8Doc d({"ab\tc", "a   b"});
    d->TabSpace(8);
    EXPECT_EQ(d.Lines(), Utf8Lines({"ab      c", "a   b"}));
    d->SpaceTab(4);
    EXPECT_EQ(d.Lines(), Utf8Lines({"ab\t\tc", "a\tb"}));
    d->TabSpace(0);
    d->SpaceTab(-1);
    EXPECT_EQ(d.Lines(), Utf8Lines({"ab\t\tc", "a\tb"}));
}

TEST(DocWhitespace, AlignmentMeasuresEveryLine) {
    // The longest line is no target but still sets the width.
    Utf8Doc d({"ab", "        ab", "0123456789"});
    d->Target().lastLine = 2;
    d->ToCenter();
    EXPECT_EQ(d.Lines(), Utf8Lines({"    ab", "    ab", "0123456789"}));

    Utf8Doc r({"ab  ", "xyzuvw", ""});
    r->ToRight();
    EXPECT_EQ(r.Lines(), Utf8Lines({"    ab", "xyzuvw", ""}));
}

TEST(DocWhitespace, SeparatorsAndCommas) {
    Utf8Doc d({"a,b", "c"});
    d->TabIf(",", 1);
    EXPECT_EQ(d.Lines(), Utf8Lines({"a\tb", "c"}));
    d->TabIf("", 0);
    EXPECT_EQ(d.Lines(), Utf8Lines({"a\tb", "c"}));

    Utf8Doc c({"a  b c"});
    c->SpToCsv(1, 100);
    EXPECT_EQ(c.Lines(), Utf8Lines({"a, b,c"}));
}

}  // namespace
}  // namespace qb
