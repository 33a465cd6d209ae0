// "All found lines become the targets": the target-line condition must pick exactly the lines
// Find finds, whatever the tolerances, the characters of the search, and the Shift-JIS bytes.
#include "core/found_lines_condition.h"

#include <gtest/gtest.h>

#include "convert/fold.h"
#include "core/quillbay_doc.h"
#include "tests/support/fake_host.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Show;
using test::Sjis;
using test::TestApp;

// Lines chosen so that each search below finds some and misses others for a reason.
const char* const kLines[] = {
    "ｶﾞ",  "カ゛", "か゛",   "ガ",    "が",   "ｶ",    "カ",  "か",    "ア゛", "ｱﾞ",
    "ア",  "abc",  "ＡＢＣ", "aBc",   "a.c",  "a*c",  "[x]", "a\\sb", "ｶｷ",   "ｶﾞｷ",
    "x-y", "１２", "12",     "end ｶ", "ﾞ",    "゛",   "ポ",  "ﾎﾟ",    "ホ゜", "ぽ",
    "ほ",  "ホ",   "ｰ",      "ー",    "ﾊﾟﾊﾟ", "パパ", "\\",  "^$",    "|",    "(?)",
};

class FoundLinesConditionTest : public ::testing::Test {
protected:
    FoundLinesConditionTest() {
        std::string text;
        for (const char* line : kLines)
            text += Sjis(line) + "\r\n";
        doc.SetAllText(text);
    }

    // Sets the condition as LineSelect would, over every line.
    void Select(const FoundLinesCondition& condition) {
        TargetState& target = doc.Target();
        target = TargetState{};
        target.firstLine = 1;
        target.lastLine = doc.LineCount();
        target.condition = condition.sjisCondition;
        target.pattern = condition.pattern;
    }

    TestApp app;
    CQuillbayDoc doc{app.context};
};

TEST_F(FoundLinesConditionTest, TargetsAreExactlyTheLinesFindFinds) {
    struct Case {
        const char* text;
        unsigned flags;
        bool pattern;
    };
    constexpr unsigned W = FoldWidth, C = FoldCase, K = FoldKana;
    const Case cases[] = {
        {"ガ", W, false},
        {"ガ", W | K, false},
        {"ガ", 0, false},
        {"ｶﾞ", W, false},
        {"カ", W, false},
        {"ｶ", W | K, false},
        {"カ", 0, false},
        {"か", K, false},
        {"ア", W, false},
        {"゛", W, false},
        {"ﾞ", 0, false},
        {"abc", C, false},
        {"abc", W | C, false},
        {"ABC", W, false},
        {"a.c", 0, false},
        {"a*c", W | C, false},
        {"[x]", 0, false},
        {"\\s", 0, false},
        {"a\\sb", 0, false},
        {"x-y", W, false},
        {"12", W, false},
        {"ｷ", W, false},
        {"ｶｷ", W, false},
        {"ポ", W | K, false},
        {"ほ", W | K, false},
        {"ー", W, false},
        {"パパ", W, false},
        {"\\", W, false},
        {"^$", 0, false},
        {"|", W, false},
        {"(?)", 0, false},
        // A search for a byte value that is also the second byte of a character: Find looks at
        // whole characters, so "ア" (83 41) holds no "A".
        {"A", 0, false},
        {"A", C, false},
        // Patterns that tell case apart are the condition as they are.
        {"^a.c$", 0, true},
        {"[ｶカ]", 0, true},
    };
    for (const Case& c : cases) {
        const FindQuery query{Sjis(c.text), c.flags, c.pattern};
        const std::optional<FoundLinesCondition> condition = ConditionForFoundLines(query);
        ASSERT_TRUE(condition) << c.text;
        Select(*condition);
        LineFinder finder(query);
        for (int i = 0; i < doc.LineCount(); ++i)
            EXPECT_EQ(doc.IsTargetLine(i), finder.Matches(doc.GetLine(i).view()))
                << "search " << c.text << " flags " << c.flags << ", line " << kLines[i]
                << ", condition " << Show(condition->sjisCondition);
    }
}

TEST_F(FoundLinesConditionTest, NoConditionWhereNoneCanSayIt) {
    // The target-line pattern always tells case apart, and an empty search finds nothing.
    EXPECT_FALSE(ConditionForFoundLines({Sjis("a.c"), FoldCase, true}));
    EXPECT_FALSE(ConditionForFoundLines({"", FoldWidth, false}));
}

TEST_F(FoundLinesConditionTest, ConditionStaysReadableWhereNothingFolds) {
    EXPECT_EQ(FoldedPattern(Sjis("東京"), FoldWidth | FoldKana), Sjis("東京"));
    EXPECT_EQ(FoldedPattern(Sjis("a.b"), 0), "a\\x2Eb");
}

}  // namespace
}  // namespace qb
