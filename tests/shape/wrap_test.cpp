#include "shape/wrap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Sjis;
using test::SjisLines;

struct Rules {
    bool hanging = true;
    bool pushOut = true;
    bool tagRule = true;
    EnglishWordMode english = EnglishWordMode::Plain;
};

WrapRules Make(const Rules& r) {
    KinsokuSettings k = DefaultKinsokuSettings();
    k.hanging = r.hanging;
    k.pushOut = r.pushOut;
    k.tagRule = r.tagRule;
    return WrapRules(k, r.english);
}

// The output lines of WrapLine, hyphens included.
std::vector<std::string> Wrap(std::string_view line, long width, const Rules& r = {}) {
    const WrapRules rules = Make(r);
    PieceCutter cutter(rules);
    std::vector<std::string> out;
    WrapLine(line, width, cutter, [&](std::string_view piece, bool hyphen) {
        out.emplace_back(piece);
        if (hyphen) out.back() += '-';
    });
    return out;
}

std::vector<std::string> WrapIndented(std::string_view line, long width, const Rules& r = {}) {
    const WrapRules rules = Make(r);
    PieceCutter cutter(rules);
    std::vector<std::string> out;
    WrapLineIndented(line, width, cutter, [&](std::string_view indent, std::string_view piece) {
        out.push_back(std::string(indent) + std::string(piece));
    });
    return out;
}

constexpr Rules kNoRules{false, false, false, EnglishWordMode::Plain};
constexpr Rules kNextLine{true, true, true, EnglishWordMode::NextLine};
constexpr Rules kHyphenate{true, true, true, EnglishWordMode::Hyphenate};

struct WrapCase {
    const char* name;
    const char* line;  // UTF-8
    long width;
    Rules rules;
    std::vector<std::string_view> expected;  // UTF-8
};

void PrintTo(const WrapCase& c, std::ostream* os) {
    *os << c.name;
}

class WrapTable : public ::testing::TestWithParam<WrapCase> {};

TEST_P(WrapTable, Pieces) {
    const WrapCase& c = GetParam();
    std::vector<std::string> expected;
    for (auto piece : c.expected)
        expected.push_back(Sjis(piece));
    EXPECT_EQ(Wrap(Sjis(c.line), c.width, c.rules), expected) << c.name;
}

const WrapCase kWrapCases[] = {
    // The line-start rule pulls one character up; off, the character begins the next line.
    {"full stop hangs", "あいうえお。かきく", 10, {}, {"あいうえお。", "かきく"}},
    {"hanging off", "あいうえお。かきく", 10, {false, true, true}, {"あいうえお", "。かきく"}},
    {"only one character hangs", "あいうえお。」か", 10, {}, {"あいうえお。", "」か"}},
    {"half-width line-start", "abcdefghij,k", 10, {}, {"abcdefghij,", "k"}},
    // A hanging character at the very end takes the whole rest: no empty line follows.
    {"hang at the end", "あいうえお。", 10, {}, {"あいうえお。"}},
    // Double-byte characters are never split, also where the width is below 3.
    {"column on a second byte", "aaaaaaaaaあいう", 10, kNoRules, {"aaaaaaaaa", "あいう"}},
    {"width 1 keeps characters", "あい", 1, kNoRules, {"あ", "い"}},
    {"width 2, odd start", "aあい", 2, kNoRules, {"a", "あ", "い"}},
    {"column 3 in kana", "あいう", 3, kNoRules, {"あ", "い", "う"}},
    // Widths of 0 or less: one character per line (with its hanging character).
    {"width 0", "aあ。b", 0, {}, {"a", "あ。", "b"}},
    {"negative width", "ab", -5, {}, {"a", "b"}},
    {"negative width, empty line", "", -1, {}, {""}},
    // Push-out: a line-end character goes to the next line, one only.
    {"bracket pushed", "abcdefgh「ij", 10, {}, {"abcdefgh", "「ij"}},
    {"one of a run pushed", "ab（「cdefg", 6, {}, {"ab（", "「cdef", "g"}},
    {"one of two brackets pushed", "あ「「い", 6, {}, {"あ「", "「い"}},
    {"push-out off", "abcdefgh「ij", 10, {true, false, true}, {"abcdefgh「", "ij"}},
    {"only brackets", "「「「", 2, {}, {"「", "「", "「"}},
    {"both rules off cut at the column",
     "あいうえお。かきく",
     10,
     kNoRules,
     {"あいうえお", "。かきく"}},
    // Tags stay whole; a break never passes a line feed.
    {"tag at the column", "ab<font>cdefgh", 5, {}, {"ab<font>", "cdefg", "h"}},
    {"tag rule off", "ab<font>cdefgh", 5, {true, true, false}, {"ab<fo", "nt>cd", "efgh"}},
    {"unclosed tag takes the rest", "ab<cdefgh", 3, {}, {"ab<cdefgh"}},
    {"stray > at the column hangs", "abc>defg", 3, {}, {"abc>", "def", "g"}},
    {"hanging after a tag", "ab<b>、cd", 2, {}, {"ab<b>、", "cd"}},
    {"line feed before the column", "abc\ndefgh", 5, {}, {"abc", "\ndefg", "h"}},
    {"line feed first", "\nabcdef", 3, {}, {"\nab", "cde", "f"}},
    // English words.
    {"mode 1 moves the word", "see the world", 10, kNextLine, {"see the ", "world"}},
    {"mode 1 long word", "abcdefghijklmnopqrst", 8, kNextLine, {"abcdefgh", "ijklmnop", "qrst"}},
    {"mode 1 after double-byte", "あbcdef", 4, kNextLine, {"あ", "bcde", "f"}},
    {"mode 1 trail byte is no letter", "アbcdef", 4, kNextLine, {"ア", "bcde", "f"}},
    {"mode 1 then push-out", "ab（world）", 6, kNextLine, {"ab", "（worl", "d）"}},
    {"mode 1 moves bracket and word", "abc（wo）", 6, kNextLine, {"abc", "（wo）"}},
    {"mode 1 one byte before the word", " abcdefgh", 4, kNextLine, {" abc", "defg", "h"}},
    {"mode 2 hyphen", "abcdefg", 4, kHyphenate, {"abcd-", "efg"}},
    {"mode 2 not between words", "abc defg", 4, kHyphenate, {"abc ", "defg"}},
    {"mode 0 splits", "see the world", 10, {}, {"see the wo", "rld"}},
    {"short line unchanged", "abc", 3, {}, {"abc"}},
    {"empty line", "", 5, {}, {""}},
};

INSTANTIATE_TEST_SUITE_P(Cases, WrapTable, ::testing::ValuesIn(kWrapCases));

TEST(WrapIndented, RepeatsTheIndentOnContinuationLines) {
    EXPECT_EQ(WrapIndented(Sjis("　　あいうえおかきくけ"), 10),
              SjisLines({"　　あいう", "　　えおか", "　　きくけ"}));
    // A line not longer than the width is left alone; the last line may reach W + indent.
    EXPECT_EQ(WrapIndented(Sjis("　　あいう"), 10), SjisLines({"　　あいう"}));
    EXPECT_EQ(WrapIndented("  abcdefghijklm", 10), SjisLines({"  abcdefgh", "  ijklm"}));
    // Tabs are no indent.
    EXPECT_EQ(WrapIndented("\tabcdefgh", 5), SjisLines({"\tabcd", "efgh"}));
}

TEST(WrapIndented, HyphenationAddsNoHyphen) {
    EXPECT_EQ(WrapIndented(" abcdefghij", 6, kHyphenate), SjisLines({" abcde", " fghij"}));
}

TEST(WrapIndented, IndentAsWideAsTheWidthStillProgresses) {
    // No continuation line could hold anything beside the indent: the line stays whole.
    EXPECT_EQ(WrapIndented("    abcdef", 4), SjisLines({"    abcdef"}));
    EXPECT_EQ(WrapIndented(Sjis("　あいう"), 2, kNoRules), SjisLines({"　あいう"}));
    EXPECT_EQ(WrapIndented("  ab", 0), SjisLines({"  ab"}));
    // One byte of room is enough to go on folding.
    EXPECT_EQ(WrapIndented("   abcdef", 4), SjisLines({"   a", "   b", "   cdef"}));
    // Without an indent a width of 0 or less still gives one character per line.
    EXPECT_EQ(WrapIndented(Sjis("あいう"), 0, kNoRules), SjisLines({"あ", "い", "う"}));
}

TEST(WrapIndented, LongBlankLineDoesNotMultiplyItsIndent) {
    const std::string blanks(100000, ' ');
    const std::string line = blanks + "abc";
    std::size_t written = 0, pieces = 0;
    const WrapRules rules = Make(kNoRules);
    PieceCutter cutter(rules);
    WrapLineIndented(line, 70, cutter, [&](std::string_view indent, std::string_view piece) {
        written += indent.size() + piece.size();
        ++pieces;
    });
    EXPECT_EQ(pieces, 1u);
    EXPECT_EQ(written, line.size());
}

TEST(WrapIndented, HangingToTheEndEmitsNoIndentOnlyLine) {
    EXPECT_EQ(WrapIndented(Sjis("　あいう。"), 8), SjisLines({"　あいう。"}));
}

TEST(CharSet, ComparesWholeCharacters) {
    const CharSet set(Sjis("」a") + "\x81");  // a lone lead byte at the end is one character
    EXPECT_TRUE(set.Contains(0x8176));        // 」
    EXPECT_TRUE(set.Contains('a'));
    EXPECT_TRUE(set.Contains(0x81));
    EXPECT_FALSE(set.Contains(0x76));  // the second byte of 」 alone
    EXPECT_FALSE(set.Contains(0x8175));
}

TEST(FindWholeChars, NeverMatchesHalfACharacter) {
    const std::string so = Sjis("ソ");  // 83 5C: its second byte is a backslash
    EXPECT_EQ(FindWholeChars(so + "\\", "\\"), 2u);
    EXPECT_EQ(FindWholeChars(so, "\\"), std::string_view::npos);
    EXPECT_EQ(FindWholeChars("a" + so, "a\x83"), std::string_view::npos);
    EXPECT_EQ(FindWholeChars("xa\x83", "a\x83"), 1u);
    EXPECT_EQ(FindWholeChars("abc", ""), std::string_view::npos);
}

std::vector<std::string> Split(std::string_view line, std::string_view sep, bool replace) {
    std::vector<std::string> out;
    SplitAtString(line, sep, replace, [&](std::string_view piece) { out.emplace_back(piece); });
    return out;
}

TEST(SplitAtString, BreaksAfterOrInPlaceOfTheSeparator) {
    EXPECT_EQ(Split("a,b,c", ",", true), SjisLines({"a", "b", "c"}));
    EXPECT_EQ(Split("a,b,c", ",", false), SjisLines({"a,", "b,", "c"}));
    EXPECT_EQ(Split("a,b,", ",", true), SjisLines({"a", "b", ""}));
    EXPECT_EQ(Split("a::b", "::", false), SjisLines({"a::", "b"}));
    EXPECT_EQ(Split("abc", "", true), SjisLines({"abc"}));
    EXPECT_EQ(Split(Sjis("ソ\\x"), "\\", true), std::vector<std::string>({Sjis("ソ"), "x"}));
}

}  // namespace
}  // namespace qb
