// The case and kana commands over a document.
#include "tests/support/doc_fixture.h"

namespace qb {
namespace {

using test::Lines;
using test::Sjis;
using test::SjisLines;

class DocCaseTest : public test::DocCommandTest {};

TEST_F(DocCaseTest, EachCommandConvertsEveryTargetLine) {
    struct Case {
        const char* name;
        test::DocCommand command;
        const char* input;
        const char* expected;
    };
    const Case cases[] = {
        {"ToUpper", [](CQuillbayDoc& d) { d.ToUpper(); }, "abｿｃ", "ABｿＣ"},
        {"ToLower", [](CQuillbayDoc& d) { d.ToLower(); }, "ABＣ", "abｃ"},
        {"ToZenUpper", [](CQuillbayDoc& d) { d.ToZenUpper(); }, "aｃα", "AＣΑ"},
        {"ToZenLower", [](CQuillbayDoc& d) { d.ToZenLower(); }, "AＣΑ", "aｃα"},
        {"HiraToKana", [](CQuillbayDoc& d) { d.HiraToKana(); }, "あがアｱ", "アガアｱ"},
        {"KanaToHira", [](CQuillbayDoc& d) { d.KanaToHira(); }, "アガヴｱ", "あがヴｱ"},
        {"ToTopUpper", [](CQuillbayDoc& d) { d.ToTopUpper(); }, "one two", "One Two"},
        {"ChangeUpperLower", [](CQuillbayDoc& d) { d.ChangeUpperLower(); }, "aBＣ", "AbＣ"},
        // ソ is 83 5C: its trail byte is never taken for a backslash or a letter.
        {"ToUpper trail bytes", [](CQuillbayDoc& d) { d.ToUpper(); }, "ソa", "ソA"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Run({Sjis(c.input)}, c.command), Lines{Sjis(c.expected)});
    }
}

TEST_F(DocCaseTest, SentencesRunOnAcrossTargetLinesWithinOneCommand) {
    const auto toLineUpper = [](CQuillbayDoc& d) { d.ToLineUpper(); };
    EXPECT_EQ(Run({"it ends. and", "", "goes on", "still. next"}, toLineUpper),
              (Lines{"It ends. And", "", "goes on", "still. Next"}));
    // Every command starts at the beginning of a sentence.
    SetLines({"no stop", "here"});
    Doc().Target().firstLine = Doc().Target().lastLine = 2;
    EXPECT_EQ(Run(toLineUpper), (Lines{"no stop", "Here"}));
}

TEST_F(DocCaseTest, EmptyTargetLinesStayEmpty) {
    EXPECT_EQ(Run({"", "a", ""}, [](CQuillbayDoc& d) { d.ToUpper(); }), (Lines{"", "A", ""}));
}

}  // namespace
}  // namespace qb
