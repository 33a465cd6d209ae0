// The whitespace and alignment operations on a document: which lines go, the range afterwards,
// the longest line of the whole document, and unchanged lines keeping their storage.
#include <gtest/gtest.h>

#include "tests/shape/doc_fixture.h"

namespace qb {
namespace {

using test::ShapeDoc;
using test::Utf8Lines;

TEST(DocWhitespace, BlankLineRemovalCountsTabsOnlyWhereItShould) {
    ShapeDoc d({"a", "", "\t", " 　", "b", "\t"});
    d->Target().lastLine = 5;
    d->DelSpaceLine();
    EXPECT_EQ(d.Lines(), Utf8Lines({"a", "b", "\t"}));
    EXPECT_EQ(d->Target().lastLine, 2);

    ShapeDoc m({"a", "", " ", "　", "b", "\t", "", "c", " "});
    m->DelSpaceMultiLine();
    EXPECT_EQ(m.Lines(), Utf8Lines({"a", "", "b", "\t", "", "c", ""}));
    EXPECT_EQ(m->Target().lastLine, 7);

    ShapeDoc o({" 　 ", "\t ", " a "});
    o->DelSpaceOnly();
    EXPECT_EQ(o.Lines(), Utf8Lines({"", "\t ", " a "}));
}

TEST(DocWhitespace, ARunOfBlankLinesIsNotEndedByLinesThatAreNoTargets) {
    ShapeDoc d({"", "skip", "", "x"});
    d->Target().condition = "";
    d->Target().lineStep = 2;  // indexes 0 and 2 are targets
    d->DelSpaceMultiLine();
    EXPECT_EQ(d.Lines(), Utf8Lines({"", "skip", "x"}));
}

TEST(DocWhitespace, LeadingAndTrailingBlanks) {
    ShapeDoc d({" 　a 　", "\t b "});
    d->DelSpaceFirst();
    EXPECT_EQ(d.Lines(), Utf8Lines({"a 　", "\t b "}));
    d->DelSpaceBack();
    EXPECT_EQ(d.Lines(), Utf8Lines({"a", "\t b"}));

    // 88 81 is a kanji; the "@" (40) after it is no half of a full-width space.
    ShapeDoc k({});
    k->SetAllText("\x88\x81@\r\n");
    k->Target().lastLine = 1;
    k->DelSpaceBack();
    EXPECT_EQ(k->GetLine(0).view(), "\x88\x81@");

    // Lines without trailing blanks keep their storage (shared with the undo history).
    ShapeDoc s({"abc", "def "});
    const Line abc = s->GetLine(0);
    s->DelSpaceBack();
    EXPECT_TRUE(s->GetLine(0).SharesWith(abc));
}

TEST(DocWhitespace, TabsAndSpaces) {
    ShapeDoc d({"ab\tc", "a   b"});
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
    ShapeDoc d({"ab", "        ab", "0123456789"});
    d->Target().lastLine = 2;
    d->ToCenter();
    EXPECT_EQ(d.Lines(), Utf8Lines({"    ab", "    ab", "0123456789"}));

    ShapeDoc r({"ab  ", "xyzuvw", ""});
    r->ToRight();
    EXPECT_EQ(r.Lines(), Utf8Lines({"    ab", "xyzuvw", ""}));
}

TEST(DocWhitespace, SeparatorsAndCommas) {
    ShapeDoc d({"a,b", "c"});
    d->TabIf(",", 1);
    EXPECT_EQ(d.Lines(), Utf8Lines({"a\tb", "c"}));
    d->TabIf("", 0);
    EXPECT_EQ(d.Lines(), Utf8Lines({"a\tb", "c"}));

    ShapeDoc c({"a  b c"});
    c->SpToCsv(1, 100);
    EXPECT_EQ(c.Lines(), Utf8Lines({"a, b,c"}));
}

}  // namespace
}  // namespace qb
