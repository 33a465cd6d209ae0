#include "shape/whitespace.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "convert/sjis.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Show;
using test::Sjis;

// 88 81 is a kanji whose second byte is 81: followed by "@" (40) it must not read as a
// full-width space.
const std::string kKanjiAt = "\x88\x81@";

TEST(Blanks, FullWidthSpacesCountOnlyOnACharacterBoundary) {
    EXPECT_TRUE(IsBlankLine("", false));
    EXPECT_TRUE(IsBlankLine(Sjis(" 　 "), false));
    EXPECT_FALSE(IsBlankLine("\t", false));
    EXPECT_TRUE(IsBlankLine(Sjis("\t　"), true));
    EXPECT_FALSE(IsBlankLine("@", true));
    EXPECT_FALSE(IsBlankLine("\x81", true));

    EXPECT_EQ(LeadingBlankLength(Sjis(" 　a ")), 3u);
    EXPECT_EQ(LeadingBlankLength("\t a"), 0u);

    EXPECT_EQ(TrailingBlankStart(Sjis("a 　 ")), 1u);
    EXPECT_EQ(TrailingBlankStart(kKanjiAt), 3u);
    EXPECT_EQ(TrailingBlankStart("\x88\x88" + Sjis("　")), 2u);
    EXPECT_EQ(TrailingBlankStart(Sjis("　　")), 0u);
    EXPECT_EQ(TrailingBlankStart("a\t "), 2u);

    EXPECT_TRUE(EndsWithFullStop(Sjis("です。")));
    EXPECT_FALSE(
        EndsWithFullStop("\x88\x81"
                         "B"));  // kanji 88 81, then "B" (42)
}

TEST(Blanks, BackwardBoundaryAgreesWithStepping) {
    std::mt19937 rng(7);
    const unsigned char bytes[] = {0x81, 0x40, 0x88, 0x9F, 0xE0, 0x20, 0x42, 0xA1, 0x00, 0x61};
    for (int n = 0; n < 2000; ++n) {
        std::string text(rng() % 12, '\0');
        for (char& c : text)
            c = static_cast<char>(bytes[rng() % sizeof bytes]);
        std::vector<bool> starts(text.size() + 1, false);
        for (std::size_t i = 0; i < text.size(); i = NextChar(text, i))
            starts[i] = true;
        starts[text.size()] = true;
        for (std::size_t pos = 0; pos <= text.size(); ++pos)
            ASSERT_EQ(StartsCharacterBackward(text, pos), starts[pos]) << Show(text) << " " << pos;
    }
}

TEST(Tabs, ExpandToTheNextStop) {
    EXPECT_EQ(ExpandTabs("ab\tc", 8), "ab      c");
    EXPECT_EQ(ExpandTabs(Sjis("あ\t"), 4), Sjis("あ  "));
    EXPECT_EQ(ExpandTabs("\t\t", 2), "    ");
    EXPECT_EQ(ExpandTabs("abcd\tx", 4), "abcd    x");
    EXPECT_EQ(ExpandTabs("a\tb", 0), "a\tb");
    EXPECT_EQ(ExpandTabs("a\tb", -8), "a\tb");
}

TEST(Tabs, SpacesThatReachAStopBecomeTabs) {
    EXPECT_EQ(CompressSpaces("a   b", 4), "a\tb");
    EXPECT_EQ(CompressSpaces("a b", 4), "a b");
    EXPECT_EQ(CompressSpaces("abc d", 4), "abc\td");
    EXPECT_EQ(CompressSpaces("ab  ", 8), "ab  ");
    EXPECT_EQ(CompressSpaces("a        b", 4), "a\t\t b");
    EXPECT_EQ(CompressSpaces(Sjis("あ  x"), 4), Sjis("あ") + "\tx");  // あ takes two columns
    EXPECT_EQ(CompressSpaces(Sjis("ab　　x"), 4), Sjis("ab　　x"));   // full-width stays
    EXPECT_EQ(CompressSpaces("a   b", 0), "a   b");
    // Expanding what was compressed gives the spaces back.
    EXPECT_EQ(ExpandTabs(CompressSpaces("x  y      z   ", 4), 4), "x  y      z   ");
}

TEST(Align, CenterOnHalfTheLongestLine) {
    EXPECT_EQ(CenterLine("ab", 5), "    ab");
    EXPECT_EQ(CenterLine("        ab", 5), "    ab");
    EXPECT_EQ(CenterLine("abc  ", 5), "    abc  ");  // trailing blanks stay and do not count
    EXPECT_EQ(CenterLine("abcdefghij", 5), "abcdefghij");
    // Three of the four leading bytes go: the second full-width space is cut in half, so its
    // second column stays as a half-width space.
    EXPECT_EQ(CenterLine(Sjis("　　abcdef"), 4), Sjis(" abcdef"));
    EXPECT_EQ(CenterLine(Sjis("　　abcd"), 4), Sjis("　abcd"));
    EXPECT_EQ(CenterLine(Sjis("　　abcdefgh"), 4), Sjis("abcdefgh"));
    EXPECT_EQ(CenterLine("", 5), "");
    EXPECT_EQ(CenterLine(Sjis("  　"), 5), Sjis("  　"));
}

TEST(Align, RightAlignToTheLongestLine) {
    EXPECT_EQ(RightAlignLine("ab  ", 6), "    ab");
    EXPECT_EQ(RightAlignLine(" ab", 6), "    ab");
    EXPECT_EQ(RightAlignLine(Sjis("あ　"), 6), Sjis("    あ"));
    EXPECT_EQ(RightAlignLine("abcdefg", 6), "abcdefg");
    EXPECT_EQ(RightAlignLine("   ", 6), "   ");
    EXPECT_EQ(RightAlignLine(kKanjiAt, 4), " " + kKanjiAt);
}

TEST(Separators, TabAtString) {
    EXPECT_EQ(TabAtString("a,b", ",", true), "a\tb");
    EXPECT_EQ(TabAtString("a,b,", ",", false), "a,\tb,\t");
    EXPECT_EQ(TabAtString("a::b", "::", true), "a\tb");
    EXPECT_EQ(TabAtString("abc", "", true), "abc");
    EXPECT_EQ(TabAtString(Sjis("ソ\\"), "\\", true), Sjis("ソ") + "\t");
}

TEST(Separators, SpacesToCommas) {
    EXPECT_EQ(SpacesToCommas("a  b c", 1, 100), "a, b,c");
    EXPECT_EQ(SpacesToCommas("  a b", 1, 100), "  a,b");
    EXPECT_EQ(SpacesToCommas("a b c d", 3, 5), "a b,c d");
    EXPECT_EQ(SpacesToCommas("a b c", 5, 2), "a b c");
    EXPECT_EQ(SpacesToCommas("a b c", -3, -1), "a b c");
    EXPECT_EQ(SpacesToCommas("a b", 0, 0), "a b");
    EXPECT_EQ(SpacesToCommas(Sjis("あ い"), 1, 9), Sjis("あ,い"));
}

}  // namespace
}  // namespace qb
