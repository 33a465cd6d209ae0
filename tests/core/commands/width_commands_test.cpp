// The width commands over a document, and the frame every conversion command shares: which lines
// it touches, what it leaves alone, and that it keeps unchanged lines as they were.
#include <climits>

#include "convert/width.h"
#include "tests/support/doc_fixture.h"

namespace qb {
namespace {

using test::Lines;
using test::Sjis;
using test::SjisLines;

class DocWidthTest : public test::DocCommandTest {};

TEST_F(DocWidthTest, EachCommandConvertsByItsKindOrFlags) {
    struct Case {
        const char* name;
        test::DocCommand command;
        const char* input;
        const char* expected;
    };
    const Case cases[] = {
        {"ZenToHan", [](CQuillbayDoc& d) { d.ZenToHan(); }, "ガＡ１！あ", "ｶﾞA1!ｱ"},
        {"ZenToHan2 1", [](CQuillbayDoc& d) { d.ZenToHan2(1); }, "ガＡ１", "ガA１"},
        {"ZenToHan2 2", [](CQuillbayDoc& d) { d.ZenToHan2(2); }, "ガＡ１", "ガＡ1"},
        {"ZenToHan2 3", [](CQuillbayDoc& d) { d.ZenToHan2(3); }, "ガあ！", "ｶﾞあ!"},
        {"HanToZen", [](CQuillbayDoc& d) { d.HanToZen(); }, "ｶﾞA1!", "ガＡ１！"},
        {"HanToZen2 1", [](CQuillbayDoc& d) { d.HanToZen2(1); }, "ｶﾞA1", "ｶﾞＡ1"},
        {"HanToZen2 2", [](CQuillbayDoc& d) { d.HanToZen2(2); }, "ｶﾞA1", "ｶﾞA１"},
        {"HanToZen2 3", [](CQuillbayDoc& d) { d.HanToZen2(3); }, "ｶﾞA1", "ガA1"},
        {"ZenToHanSw digits", [](CQuillbayDoc& d) { d.ZenToHanSw(WidthDigits); }, "１Ａ", "1Ａ"},
        // Only the low byte of a macro's number counts.
        {"ZenToHanSw 0x104", [](CQuillbayDoc& d) { d.ZenToHanSw(0x100 | WidthDigits); }, "１Ａ",
         "1Ａ"},
        {"ZenToHanSw numerals", [](CQuillbayDoc& d) { d.ZenToHanSw(WidthKanjiNumerals); },
         "二〇〇六年", "2006年"},
        {"HanToZenSw letters", [](CQuillbayDoc& d) { d.HanToZenSw(WidthAlphabet); }, "a1", "ａ1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Run({Sjis(c.input)}, c.command), Lines{Sjis(c.expected)});
    }
}

TEST_F(DocWidthTest, OnlyNonEmptyTargetLinesChangeAndUnchangedLinesKeepTheirBytes) {
    SetLines(SjisLines({"Ａ", "Ａ", "", "b", "Ａ"}));
    Doc().Target().firstLine = 2;
    Doc().Target().lastLine = 4;
    const LineList before = Doc().Lines();
    EXPECT_EQ(Run([](CQuillbayDoc& d) { d.ZenToHan(); }), SjisLines({"Ａ", "A", "", "b", "Ａ"}));
    // Lines outside the range, and a target line the conversion leaves as it was, share their
    // bytes with the undo history instead of being copied.
    EXPECT_TRUE(Doc().GetLine(0).SharesWith(before[0]));
    EXPECT_FALSE(Doc().GetLine(1).SharesWith(before[1]));
    EXPECT_TRUE(Doc().GetLine(3).SharesWith(before[3]));
    EXPECT_TRUE(Doc().GetLine(4).SharesWith(before[4]));
}

TEST_F(DocWidthTest, TheTargetTestIsTheDocumentsOneInEveryForm) {
    struct Case {
        const char* name;
        int first, last, step;
        const char* condition;
        bool invert;
        Lines expected;
    };
    const Lines input = SjisLines({"Ａx", "Ａ", "Ａx", "Ａ", "Ａx"});
    const Case cases[] = {
        {"range", 2, 3, 1, "", false, SjisLines({"Ａx", "A", "Ax", "Ａ", "Ａx"})},
        {"inverted range", 2, 3, 1, "", true, SjisLines({"Ax", "Ａ", "Ａx", "A", "Ax"})},
        {"range past the end", 4, 99, 1, "", false, SjisLines({"Ａx", "Ａ", "Ａx", "A", "Ax"})},
        {"reversed range", 4, 2, 1, "", false, input},
        {"reversed range inverted", 4, 2, 1, "", true, SjisLines({"Ax", "A", "Ax", "A", "Ax"})},
        {"step from the top", 1, 5, 2, "", false, SjisLines({"Ax", "Ａ", "Ax", "Ａ", "Ax"})},
        {"condition", 1, 5, 1, "x", false, SjisLines({"Ax", "Ａ", "Ax", "Ａ", "Ax"})},
        {"condition inverted", 1, 5, 1, "x", true, SjisLines({"Ａx", "A", "Ａx", "A", "Ａx"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetLines(input);
        TargetState& t = Doc().Target();
        t.firstLine = c.first, t.lastLine = c.last, t.lineStep = c.step;
        t.condition = c.condition, t.invert = c.invert;
        EXPECT_EQ(Run([](CQuillbayDoc& d) { d.ZenToHan(); }), c.expected);
    }
}

TEST_F(DocWidthTest, ExtremeRangeNumbersAreAcceptedAsTheyAre) {
    SetLines(SjisLines({"Ａ"}));
    Doc().Target().firstLine = INT_MIN;
    Doc().Target().lastLine = INT_MAX;
    EXPECT_EQ(Run([](CQuillbayDoc& d) { d.ZenToHan(); }), Lines{"A"});
}

}  // namespace
}  // namespace qb
