// The column operations on a document: numbering over target lines, the CR LF split of
// insertion, the stored parameters, and lines that are no targets.
#include <gtest/gtest.h>

#include "tests/support/doc_fixture.h"

namespace qb {
namespace {

using test::Utf8Doc;
using test::Utf8Lines;

TEST(DocColumn, SerialNumbersCountTargetLinesOnly) {
    Utf8Doc d({"a", "skip", "b", "skip", "c"});
    d->Target().lineStep = 2;
    d->RenoString(1, 3, 1, 1, 0);
    EXPECT_EQ(d.Lines(), Utf8Lines({"001", "skip", "002", "skip", "003"}));

    Utf8Doc s({"a", "b", "c"});
    s->RenoString(5, 3, 2, -5, 1);
    EXPECT_EQ(s.Lines(), Utf8Lines({"a -5", "b  0", "c  5"}));
    EXPECT_EQ(s->ShapeParameters().renoIncrement, 5);
    EXPECT_EQ(s->ShapeParameters().renoStart, -5);
}

TEST(DocColumn, TooManyDigitsIsRefusedWithoutAnUndoStep) {
    Utf8Doc d({"a"});
    d->RenoString(1, 2048, 1, 1, 0);
    EXPECT_EQ(d.app.host.messages, std::vector<std::string>{"埋め込み桁数が多すぎます"});
    EXPECT_FALSE(d->CanUndo());
    EXPECT_EQ(d.Lines(), Utf8Lines({"a"}));

    d->RenoString(1, 2047, 1, 1, 0);
    EXPECT_EQ(d.app.host.messages.size(), 1u);
    EXPECT_EQ(d->GetLine(0).size(), 2047u);
}

TEST(DocColumn, InsertedCrLfSplitsTheLineAndTheRangeStays) {
    Utf8Doc d({"abc", "xyz"});
    d->Target().lastLine = 1;
    d->InsertString(2, "X\r\nY");
    EXPECT_EQ(d.Lines(), Utf8Lines({"aX", "Ybc", "xyz"}));
    EXPECT_EQ(d->Target().lastLine, 1);
    EXPECT_EQ(d->ShapeParameters().insertColumn, 2);
    EXPECT_EQ(d->ShapeParameters().insertText, "X\r\nY");

    Utf8Doc e({"ab"});
    e->InsertString(3, "\r\n\r\n");
    EXPECT_EQ(e.Lines(), Utf8Lines({"ab", "", ""}));
}

TEST(DocColumn, SpaceInsertAndShifts) {
    Utf8Doc d({"abc", "あい"});
    d->ShiftRight();
    EXPECT_EQ(d.Lines(), Utf8Lines({" abc", " あい"}));
    EXPECT_EQ(d->ShapeParameters().insertText, " ");
    d->ShiftLeft();
    d->ShiftLeft();
    EXPECT_EQ(d.Lines(), Utf8Lines({"bc", " い"}));

    d->SpaceInsert(2, -3, 1);  // overwrite, |count| spaces
    EXPECT_EQ(d.Lines(), Utf8Lines({"b   ", "    "}));
    EXPECT_EQ(d->ShapeParameters().overwriteColumn, 2);
    EXPECT_EQ(d->ShapeParameters().overwriteText, "   ");
    d->SpaceInsert(1, 0, 0);  // at least one space
    EXPECT_EQ(d.Lines(), Utf8Lines({" b   ", "     "}));
}

TEST(DocColumn, OddColumnsNeverTouchLinesThatAreNoTargets) {
    Utf8Doc d({"target", "other"});
    d->Target().lastLine = 1;
    d->KetaChange(-1);
    d->DeletePos(-5, 0);
    d->OverwriteString(-2, "Z");
    d->InsertString(0, "I");
    d->IndentChange(-3);
    d->RenoString(1, -4, -9, 1, 0);
    EXPECT_EQ(d.Lines(), Utf8Lines({"IZ", "other"}));
}

TEST(DocColumn, CutIndentOverwrite) {
    Utf8Doc d({"abc", "abcdあ", ""});
    d->KetaChange(5);
    EXPECT_EQ(d.Lines(), Utf8Lines({"abc  ", "abcd", "     "}));
    d->IndentChange(2);
    EXPECT_EQ(d.Lines(), Utf8Lines({"  abc  ", "  abcd", "       "}));
    Utf8Doc e({"abcd", "ab", ""});
    e->OverwriteString(2, "ZZ");
    EXPECT_EQ(e.Lines(), Utf8Lines({"aZZd", "aZZ", " ZZ"}));
}

}  // namespace
}  // namespace qb
