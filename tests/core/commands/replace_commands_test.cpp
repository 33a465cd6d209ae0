#include <gtest/gtest.h>

#include "tests/support/doc_fixture.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Sjis;
using Lines = std::vector<std::string>;

class ReplaceTest : public ::testing::Test, public test::DocFixture {};

TEST_F(ReplaceTest, PlainReplacementCountsAndNeverRescansInsertedText) {
    struct Case {
        Lines lines;
        std::string find, replacement;
        Lines expected;
        int count;
    } cases[] = {
        {{"aaa"}, "a", "aa", {"aaaaaa"}, 3},
        {{"abab", "b"}, "ab", "", {"", "b"}, 2},
        {{Sjis("手紙を書いた手紙")}, Sjis("手紙"), "XX", {Sjis("XXを書いたXX")}, 2},
        // 83 5C is ソ: its second byte is not a backslash.
        {{Sjis("ソ\\")}, "\\", "/", {Sjis("ソ/")}, 1},
        {{Sjis("ソ")}, "\\", "/", {Sjis("ソ")}, 0},
        // A find text ending in a lone lead byte never takes half of a character.
        {{Sjis("ソ")}, "\x83", "x", {Sjis("ソ")}, 0},
        {{"x\x83"}, "\x83", "y", {"xy"}, 1},
        {{"abc"}, "", "x", {"abc"}, 0},
        {{"abc"}, "zz", "x", {"abc"}, 0},
    };
    for (const auto& c : cases) {
        SetLines(c.lines);
        EXPECT_EQ(doc.Replace(c.find, c.replacement, 0), c.count) << test::Show(c.lines[0]);
        EXPECT_EQ(LineTexts(), c.expected) << test::Show(c.lines[0]);
    }
}

TEST_F(ReplaceTest, NothingFoundStillLeavesAnUndoStepAndTheModifiedFlag) {
    SetLines({"abc"});
    EXPECT_EQ(doc.Replace("zz", "x", 0), 0);
    EXPECT_TRUE(doc.CanUndo());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.SuperReplace("", ")", "x"), 0);
    EXPECT_EQ(doc.ReplaceDouble("", "[", ")", "]", ""), 0);
    EXPECT_EQ(doc.UndoStack().Position(), 3);
}

TEST_F(ReplaceTest, CrLfInTheResultSplitsTheLineAndLaterLinesKeepTheirFlags) {
    // Targets are lines 0 and 2 (step 2), decided before anything changes: after the first line
    // splits, the old line 1 sits at index 2 but is still not a target.
    SetLines({"a,b,c", "d,e", "f,g"});
    doc.Target().lineStep = 2;
    EXPECT_EQ(doc.Replace(",", "\r\n", 0), 3);
    EXPECT_EQ(LineTexts(), (Lines{"a", "b", "c", "d,e", "f", "g"}));

    // A trailing CR LF leaves an empty last piece.
    SetLines({"a,"});
    EXPECT_EQ(doc.Replace(",", "\r\n", 0), 1);
    EXPECT_EQ(LineTexts(), (Lines{"a", ""}));

    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(LineTexts(), (Lines{"a,"}));
}

TEST_F(ReplaceTest, OnlyTargetLinesAreTouched) {
    SetLines({"xa", "xb", "xc"});
    doc.Target().condition = "b";
    doc.Target().invert = true;
    EXPECT_EQ(doc.Replace("x", "y", 0), 2);
    EXPECT_EQ(LineTexts(), (Lines{"ya", "xb", "yc"}));
}

TEST_F(ReplaceTest, TolerantMatchesWidthCaseAndKana) {
    struct Case {
        std::string line, find;
        int options;
        std::string expected;
        int count;
    } cases[] = {
        {Sjis("ABC ＡＢＣ ａｂｃ"), "ABC", 1, Sjis("- - ａｂｃ"), 2},
        {Sjis("ABC ＡＢＣ ａｂｃ"), "ABC", 3, Sjis("- - -"), 3},
        {Sjis("ABC ＡＢＣ"), "ABC", 0, Sjis("- ＡＢＣ"), 1},
        // A voiced kana matches its half-width pair, both bytes of which go.
        {Sjis("ｶﾞｷ ガキ"), Sjis("ガキ"), 1, Sjis("- -"), 2},
        {Sjis("ｶﾞｷ"), Sjis("ガキ"), 0, Sjis("ｶﾞｷ"), 0},
        {Sjis("ｶﾞ"), Sjis("カ"), 1, Sjis("ｶﾞ"), 0},  // ｶﾞ is one character, not カ and a mark
        {Sjis("かな カナ ｶﾅ"), Sjis("かな"), 4, Sjis("- - ｶﾅ"), 2},
        {Sjis("かな カナ ｶﾅ"), Sjis("かな"), 5, Sjis("- - -"), 3},
        {Sjis("が"), Sjis("ｶﾞ"), 5, Sjis("-"), 1},
        {"abc ABC Abc", "abc", 2, "- - -", 3},
        {"aaa", "A", 2, "---", 3},
    };
    for (const auto& c : cases) {
        SetLines({c.line});
        EXPECT_EQ(doc.Replace(c.find, "-", c.options), c.count) << test::Show(c.line);
        EXPECT_EQ(LineTexts(), Lines{c.expected}) << test::Show(c.line) << " " << c.options;
    }
}

TEST_F(ReplaceTest, PatternReplacementCountsLines) {
    struct Case {
        Lines lines;
        std::string pattern, replacement;
        int options;
        Lines expected;
        int count;
    } cases[] = {
        {{"aaa", "b"}, "a", "b", 0, {"bbb", "b"}, 1},
        {{"aAa"}, "a", "-", 2, {"---"}, 1},
        {{"aAa"}, "a", "-", 0, {"-A-"}, 1},
        {{"a=1", "b=2"}, "(\\w)=(\\d)", "$2:$1", 0, {"1:a", "2:b"}, 2},
        {{"a,b"}, ",", "\r\n", 0, {"a", "b"}, 1},
        {{"abc"}, "b", "b", 0, {"abc"}, 1},  // matched, though nothing changed
        {{Sjis("漢字かな")}, Sjis("[ぁ-ん]+"), "X", 0, {Sjis("漢字X")}, 1},
    };
    for (const auto& c : cases) {
        SetLines(c.lines);
        EXPECT_EQ(doc.RegExpReplace(c.pattern, c.replacement, c.options), c.count) << c.pattern;
        EXPECT_EQ(LineTexts(), c.expected) << c.pattern;
    }
}

TEST_F(ReplaceTest, AMalformedPatternIsReportedAndLeavesTheDocumentConsistent) {
    SetLines({"aaa", "bbb"});
    EXPECT_EQ(doc.RegExpReplace("(", "x", 0), -1);
    ASSERT_EQ(app.host.messages.size(), 1u);
    EXPECT_NE(app.host.messages[0].find("正規表現"), std::string::npos);
    EXPECT_EQ(LineTexts(), (Lines{"aaa", "bbb"}));
    EXPECT_TRUE(doc.CanUndo());
    EXPECT_TRUE(doc.IsModified());

    doc.Target().condition = "none";  // no target line: still told
    EXPECT_EQ(doc.RegExpReplace("(", "x", 0), -1);
    EXPECT_EQ(app.host.messages.size(), 2u);
}

TEST_F(ReplaceTest, AMatchTheEngineCannotFinishStopsAfterTheLinesDone) {
    // Nested repetition before a y that never follows the x's: the engine gives up.
    const std::string hard = std::string(40, 'x') + "zy";
    SetLines({"xxy", hard, "xxy"});
    EXPECT_EQ(doc.RegExpReplace("(x+x+)+y", "-", 0), -1);
    EXPECT_EQ(LineTexts(), (Lines{"-", hard, "xxy"}));
    ASSERT_EQ(app.host.messages.size(), 1u);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(LineTexts(), (Lines{"xxy", hard, "xxy"}));
}

TEST_F(ReplaceTest, SuperReplaceTakesStartToEndOrTheStartAlone) {
    struct Case {
        std::string line, start, end, replacement;
        Lines expected;
        int count;
    } cases[] = {
        {"x(y)z(w", "(", ")", "", {"xzw"}, 2},
        {"<a><b>", "<", ">", "[]", {"[][]"}, 2},
        {"a<b", "<", ">", "-", {"a-b"}, 1},
        {"a<b>c", "<", "", "-", {"a-b>c"}, 1},
        {"a<b>c<d>e", "<", ">", "\r\n", {"a", "c", "e"}, 2},
        {Sjis("「表」と「裏」"), Sjis("「"), Sjis("」"), "*", {Sjis("*と*")}, 2},
        {"abc", "", ">", "-", {"abc"}, 0},
    };
    for (const auto& c : cases) {
        SetLines({c.line});
        EXPECT_EQ(doc.SuperReplace(c.start, c.end, c.replacement), c.count) << c.line;
        EXPECT_EQ(LineTexts(), c.expected) << c.line;
    }
}

TEST_F(ReplaceTest, ReplaceDoubleKeepsTheTextBetweenAndHonoursTheEscape) {
    struct Case {
        std::string line, escape;
        Lines expected;
        int count;
    } cases[] = {
        {"(a) \\(b)", "\\", {"[a] \\(b)"}, 1},
        {"(a)(b)", "", {"[a][b]"}, 2},
        {"(a\\)b)", "\\", {"[a\\)b]"}, 1},
        // With no end text, the end replacement still follows the start replacement.
        {"x(a", "", {"x[]a"}, 1},
        {"a)b", "", {"a)b"}, 0},
        // An escape at offset 0 escapes nothing; ソ's second byte is not a backslash.
        {"(a)", "\\", {"[a]"}, 1},
        {Sjis("ソ(a)"), "\\", {Sjis("ソ[a]")}, 1},
    };
    for (const auto& c : cases) {
        SetLines({c.line});
        EXPECT_EQ(doc.ReplaceDouble("(", "[", ")", "]", c.escape), c.count) << test::Show(c.line);
        EXPECT_EQ(LineTexts(), c.expected) << test::Show(c.line);
    }
}

TEST_F(ReplaceTest, ReplaceDoubleSeesTheLineAsItStandsAfterEachReplacement) {
    // The end replacement ends in the escape character, which then escapes the next start.
    SetLines({"(a)(b)"});
    EXPECT_EQ(doc.ReplaceDouble("(", "[", ")", "\\", "\\"), 1);
    EXPECT_EQ(LineTexts(), (Lines{"[a\\(b)"}));
}

TEST_F(ReplaceTest, ReplaceDoubleTestsTargetsAtTheirIndexAfterSplitting) {
    // Unlike the other replacements, the walk tests each line where it stands: after the first
    // line splits in two, the old third line sits at index 3, a multiple of the step, and the
    // old fourth line at index 5, which is not.
    SetLines({"(a)", "(b)", "(c)", "(d)"});
    doc.Target().lineStep = 3;
    EXPECT_EQ(doc.ReplaceDouble("(", "1\r\n", ")", "", ""), 2);
    EXPECT_EQ(LineTexts(), (Lines{"1", "a", "(b)", "1", "c", "(d)"}));
}

}  // namespace
}  // namespace qb
