// The wrap operations on a document: target lines, the range afterwards, where the settings
// come from.
#include <gtest/gtest.h>

#include "tests/support/doc_fixture.h"

namespace qb {
namespace {

using test::Utf8Doc;
using test::Utf8Lines;

TEST(DocWrap, FoldsTargetLinesAndGrowsTheRange) {
    Utf8Doc d({"あいうえお。かきく", "this line is no target", "abcdefghijklmnopqrstuvwxy",
               "this line is outside the range"});
    d->Target().lastLine = 3;
    d->Target().lineStep = 2;
    d->TurnChange(10);
    EXPECT_EQ(d.Lines(),
              Utf8Lines({"あいうえお。", "かきく", "this line is no target", "abcdefghij",
                         "klmnopqrst", "uvwxy", "this line is outside the range"}));
    EXPECT_EQ(d->Target().lastLine, 6);
    EXPECT_EQ(d->ShapeParameters().width, 10);
    EXPECT_TRUE(d->IsModified());
    ASSERT_TRUE(d->Undo());
    EXPECT_EQ(d->LineCount(), 4);
    EXPECT_EQ(d->Target().lastLine, 3);
}

TEST(DocWrap, ShortLinesStayButTheStepIsRecorded) {
    Utf8Doc d({"abc", ""});
    d->TurnChange(70);
    EXPECT_EQ(d.Lines(), Utf8Lines({"abc", ""}));
    EXPECT_TRUE(d->CanUndo());
}

TEST(DocWrap, IndentedFoldRepeatsTheIndent) {
    Utf8Doc d({"　　あいうえおかきくけ", "x"});
    d->IndTurnChange(10);
    EXPECT_EQ(d.Lines(), Utf8Lines({"　　あいう", "　　えおか", "　　きくけ", "x"}));
    EXPECT_EQ(d->Target().lastLine, 4);
}

TEST(DocWrap, EnglishModeComesFromTheSettingsWithDefaultZero) {
    // The application's copy says 1 (the dialog's default), but the fold reads the setting.
    Utf8Doc d({"see the world"});
    d.app.context.kinsoku = DefaultKinsokuSettings();
    ASSERT_EQ(d.app.context.kinsoku->englishMode, 1);
    d->TurnChange(10);
    EXPECT_EQ(d.Lines(), Utf8Lines({"see the wo", "rld"}));

    Utf8Doc e({"see the world"});
    e.app.settings.WriteInt("Turn", "English", 1);
    e->TurnChange(10);
    EXPECT_EQ(e.Lines(), Utf8Lines({"see the ", "world"}));

    Utf8Doc h({"abcdefg"});
    h.app.settings.WriteInt("Turn", "English", 2);
    h->TurnChange(4);
    EXPECT_EQ(h.Lines(), Utf8Lines({"abcd-", "efg"}));
}

TEST(DocWrap, KinsokuSettingsAreLoadedOnceFromTheStore) {
    Utf8Doc d({"あいうえお。かきく"});
    d.app.settings.WriteInt("Print", "bKinFirst", 0);
    d->TurnChange(10);
    EXPECT_EQ(d.Lines(), Utf8Lines({"あいうえお", "。かきく"}));
    ASSERT_TRUE(d.app.context.kinsoku.has_value());
    // Changing the store afterwards does not change the application's copy.
    d.app.settings.WriteInt("Print", "bKinFirst", 1);
    d->SetAllText(test::Sjis("あいうえお。かきく"));
    d->TurnChange(10);
    EXPECT_EQ(d.Lines(), Utf8Lines({"あいうえお", "。かきく"}));
}

TEST(DocWrap, TurnIfBreaksAtTheStringAndKeepsTheRange) {
    Utf8Doc d({"a,b,c", "x,y"});
    d->Target().lastLine = 1;
    d->TurnIf(",", 1);
    EXPECT_EQ(d.Lines(), Utf8Lines({"a", "b", "c", "x,y"}));
    EXPECT_EQ(d->Target().lastLine, 1);

    Utf8Doc keep({"a,b,"});
    keep->TurnIf(",", 0);
    EXPECT_EQ(keep.Lines(), Utf8Lines({"a,", "b,", ""}));

    Utf8Doc none({"a,b"});
    none->TurnIf("", 1);
    EXPECT_EQ(none.Lines(), Utf8Lines({"a,b"}));
    EXPECT_TRUE(none->CanUndo());
}

TEST(DocWrap, NoWidthHangs) {
    Utf8Doc d({"ab", "", "あ"});
    d->TurnChange(0);
    EXPECT_EQ(d.Lines(), Utf8Lines({"a", "b", "", "あ"}));
    Utf8Doc e({" あい", "あい"});
    e->IndTurnChange(-3);
    EXPECT_EQ(e.Lines(), Utf8Lines({" あい", "あ", "い"}));
}

}  // namespace
}  // namespace qb
