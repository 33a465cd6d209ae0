#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "core/quillbay_doc.h"
#include "tests/support/fake_host.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Sjis;
using test::TestApp;

// Reaches the document's own pattern object, to see how often it compiles.
class ProbeDoc : public CQuillbayDoc {
public:
    using CQuillbayDoc::CQuillbayDoc;
    const CRegExp& TargetRegex() const { return m_targetRegex; }
};

// A document holding `lines` (UTF-8), with the range set to all of them as after a load.
void Fill(CQuillbayDoc& doc, const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += Sjis(line) + "\r\n";
    doc.SetAllText(text);
    doc.TextAll();
}

// The 1-based numbers of the target lines.
std::vector<int> Targets(const CQuillbayDoc& doc) {
    std::vector<int> numbers;
    for (int i = 0; i < doc.LineCount(); ++i)
        if (doc.IsTargetLine(i)) numbers.push_back(i + 1);
    return numbers;
}

const std::vector<std::string> kTwelveLines = {
    "abc", "xabcx", "ab c", "ABC", "", "abcabc", "表示", "＝あ", "ア", "a.c", "zzz", "abc",
};

struct TargetCase {
    const char* what;
    int first, last, step;
    const char* condition;  // UTF-8
    bool pattern, invert;
    std::vector<int> expected;
};

const TargetCase kTargetCases[] = {
    {"everything", 1, 12, 1, "", false, false, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
    {"step counts from the top", 2, 10, 3, "", false, false, {4, 7, 10}},
    {"step 0 counts as 1", 3, 5, 0, "", false, false, {3, 4, 5}},
    {"negative step counts as 1", 3, 5, -7, "", false, false, {3, 4, 5}},
    {"range past the end", 10, 1000, 1, "", false, false, {10, 11, 12}},
    {"range before the start", -5, 2, 1, "", false, false, {1, 2}},
    {"range at the int limits",
     INT_MIN,
     INT_MAX,
     1,
     "",
     false,
     false,
     {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
    {"empty range", 5, 4, 1, "", false, false, {}},
    {"plain condition", 1, 12, 1, "abc", false, false, {1, 2, 6, 12}},
    {"plain condition, inverted", 2, 11, 1, "abc", false, true, {1, 3, 4, 5, 7, 8, 9, 10, 11, 12}},
    {"plain condition is case-sensitive", 1, 12, 1, "ABC", false, false, {4}},
    {"plain condition is not a pattern", 1, 12, 1, "a.c", false, false, {10}},
    // ＝あ is 81 81 82 A0: the bytes of ≠ (81 82) straddle its two characters.
    {"no match across characters", 1, 12, 1, "≠", false, false, {}},
    {"no match on a second byte", 1, 12, 1, "\\", false, false, {}},  // 表 is 95 5C
    {"no match on a trail byte", 1, 12, 1, "A", false, false, {4}},   // ア is 83 41
    {"double-byte condition", 1, 12, 1, "示", false, false, {7}},
    {"condition with step", 1, 12, 2, "abc", false, false, {1}},
    {"condition with step, inverted",
     1,
     12,
     2,
     "abc",
     false,
     true,
     {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
    {"pattern", 1, 12, 1, "^a.c$", true, false, {1, 10, 12}},
    {"pattern is case-sensitive", 1, 12, 1, "^abc", true, false, {1, 6, 12}},
    {"pattern on Japanese", 1, 12, 1, "[示あ]$", true, false, {7, 8}},
    {"pattern in a range", 2, 11, 1, "^a.c$", true, false, {10}},
    {"empty pattern matches every line", 3, 5, 1, "", true, false, {3, 4, 5}},
    {"malformed pattern matches no line", 1, 12, 1, "(abc", true, false, {}},
    {"malformed pattern, inverted",
     1,
     12,
     1,
     "(abc",
     true,
     true,
     {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
};

TEST(TargetLinesTest, RangeStepConditionAndInvert) {
    TestApp app;
    CQuillbayDoc doc(app.context);
    Fill(doc, kTwelveLines);
    for (const TargetCase& c : kTargetCases) {
        TargetState& t = doc.Target();
        t.firstLine = c.first;
        t.lastLine = c.last;
        t.lineStep = c.step;
        t.condition = Sjis(c.condition);
        t.pattern = c.pattern;
        t.invert = c.invert;
        EXPECT_EQ(Targets(doc), c.expected) << c.what;
        const std::vector<char> flags = doc.TargetFlags();
        ASSERT_EQ(flags.size(), kTwelveLines.size()) << c.what;
        for (int i = 0; i < doc.LineCount(); ++i)
            EXPECT_EQ(flags[static_cast<std::size_t>(i)] != 0, doc.IsTargetLine(i)) << c.what;
        EXPECT_EQ(doc.CountTargetLines(), static_cast<int>(c.expected.size())) << c.what;
    }
    EXPECT_TRUE(app.host.messages.empty());  // a malformed pattern shows nothing
}

TEST(TargetLinesTest, LinesThatDoNotExistAreNeverTargets) {
    TestApp app;
    CQuillbayDoc doc(app.context);
    Fill(doc, {"a", "b"});
    doc.Notsel();
    EXPECT_FALSE(doc.IsTargetLine(-1));
    EXPECT_FALSE(doc.IsTargetLine(2));
}

TEST(TargetLinesTest, NewDocumentTargetsEveryLine) {
    TestApp app;
    app.host.editAnswer = Sjis("一\r\n二\r\n三");
    CQuillbayDoc doc(app.context);
    ASSERT_TRUE(doc.OnNewDocument(NewDocumentKind::TextEdit));
    EXPECT_EQ(Targets(doc), (std::vector<int>{1, 2, 3}));
}

TEST(TargetLinesTest, SelectLinesSwapsAReversedRangeAndKeepsInvert) {
    TestApp app;
    CQuillbayDoc doc(app.context);
    Fill(doc, kTwelveLines);
    doc.Notsel();
    doc.SelectLines(10, 5, 2, Sjis("abc"), true);
    const TargetState& t = doc.Target();
    EXPECT_EQ(t.firstLine, 5);
    EXPECT_EQ(t.lastLine, 10);
    EXPECT_EQ(t.lineStep, 2);
    EXPECT_EQ(t.condition, "abc");
    EXPECT_TRUE(t.pattern);
    EXPECT_TRUE(t.invert);
}

TEST(TargetLinesTest, TextAllAndNotsel) {
    TestApp app;
    CQuillbayDoc doc(app.context);
    Fill(doc, kTwelveLines);
    doc.SelectLines(3, 4, 2, "(", true);
    doc.Notsel();
    doc.TextAll();
    // Invert and the pattern flag stay, so nothing is a target; inverting again gives all.
    EXPECT_TRUE(doc.Target().invert);
    EXPECT_TRUE(doc.Target().pattern);
    EXPECT_EQ(doc.Target().condition, "");
    EXPECT_EQ(doc.Target().lineStep, 1);
    EXPECT_EQ(doc.CountTargetLines(), 0);
    doc.Notsel();
    EXPECT_EQ(doc.CountTargetLines(), 12);
    // TextAll takes the current number of lines.
    doc.InsertEndLine("more");
    EXPECT_EQ(doc.CountTargetLines(), 12);
    doc.TextAll();
    EXPECT_EQ(doc.Target().lastLine, 13);
    EXPECT_EQ(doc.CountTargetLines(), 13);
}

TEST(TargetLinesTest, PatternCompiledOnceForAllLines) {
    TestApp app;
    ProbeDoc doc(app.context);
    std::vector<std::string> lines(1000, "abc");
    Fill(doc, lines);
    doc.SelectLines(1, 1000, 1, "b+", true);
    EXPECT_EQ(doc.CountTargetLines(), 1000);
    EXPECT_EQ(doc.TargetFlags().size(), 1000u);
    EXPECT_EQ(doc.TargetRegex().Compilations(), 1);
    doc.SelectLines(1, 1000, 1, "(", true);
    EXPECT_EQ(doc.CountTargetLines(), 0);
    EXPECT_EQ(doc.TargetRegex().Compilations(), 2);
}

// The check before an operation: only the lines whose test can decide anything (in the
// range, on the step), one message at the first failure, the lines as they were.
TEST(TargetLinesTest, CheckTargetTestLooksAtTheLinesThatCountAndStopsAtTheFirstFailure) {
    const std::string slow = std::string(60, 'a') + "b";  // runs into the match limit
    struct Case {
        int first, last, step;
        std::string pattern;
        bool ok;
    } cases[] = {
        {1, 4, 1, "b+", true},
        {1, 4, 1, "(", false},           // malformed
        {1, 4, 1, "(a|aa)+c|b", false},  // lines 2 and 4 both fail: one message
        {3, 3, 1, "(a|aa)+c|b", true},   // the slow lines are outside the range
        {1, 4, 2, "(a|aa)+c|b", true},   // ... or between steps (indexes 0 and 2 only)
        {1, 9, 1, "", true},
    };
    for (const auto& c : cases) {
        TestApp app;
        CQuillbayDoc doc(app.context);
        Fill(doc, {"x", slow, "y", slow});
        doc.SelectLines(c.first, c.last, c.step, c.pattern, true);
        EXPECT_EQ(doc.CheckTargetTest(), c.ok) << c.pattern << " " << c.first << "-" << c.last;
        EXPECT_EQ(app.host.messages.size(), c.ok ? 0u : 1u) << c.pattern;
        EXPECT_EQ(doc.TargetTestError().empty(), c.ok);
        EXPECT_EQ(doc.LineCount(), 4);
    }
}

TEST(TargetLinesTest, PatternFlagComesFromAndGoesBackToTheSettings) {
    TestApp app;
    {
        CQuillbayDoc doc(app.context);
        EXPECT_FALSE(doc.Target().pattern);
        doc.SelectLines(1, 1, 1, "", true);
    }
    EXPECT_EQ(app.settings.ReadInt("LineSelect", "RegExp", 0), 1);
    {
        CQuillbayDoc doc(app.context);
        EXPECT_TRUE(doc.Target().pattern);
        doc.Target().pattern = false;
    }
    EXPECT_EQ(app.settings.ReadInt("LineSelect", "RegExp", 1), 0);
}

}  // namespace
}  // namespace qb
