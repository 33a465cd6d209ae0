#include "core/regexp.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "convert/cp932.h"
#include "convert/sjis.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Show;
using test::Sjis;

// pattern, flags ("g" Global, "i" IgnoreCase), subject, replacement, expected result; all UTF-8
// literals, converted to Shift-JIS. The expected results are what JavaScript's String.replace
// gives, except where a comment says otherwise.
struct ReplaceCase {
    const char* pattern;
    const char* flags;
    const char* subject;
    const char* replacement;
    const char* expected;
};

const ReplaceCase kReplaceCases[] = {
    // Empty matches: after one the search goes on a character later.
    {"x*", "g", "abc", "-", "-a-b-c-"},
    {"", "g", "xxx", "y", "yxyxyxy"},
    {"", "", "xxx", "y", "yxxx"},
    {"b*", "g", "abc", "-", "-a--c-"},
    {"a*?", "g", "aa", "-", "-a-a-"},
    {"a|(?=b)|b", "g", "ab", "-", "--b"},
    {"x*", "", "abc", "-", "-abc"},
    {"x*", "g", "あい", "-", "-あ-い-"},
    {"a+?", "g", "aaa", "-", "---"},
    {"a", "", "aaa", "-", "-aa"},
    {"A", "g", "aA", "-", "a-"},

    // The template.
    {R"((\$(\d)))", "g", "$1,$2", "$$1-$1$2", "$1-$11,$1-$22"},
    {R"((\&(\d)))", "g", "abc &1 123", "$3", "abc $3 123"},
    {R"((\&(\d)))", "g", "abc &1 123", "$'", "abc  123 123"},
    {R"((\&(\d)))", "g", "abc &1 123", "$`", "abc abc  123"},
    {R"((\&(\d)))", "g", "abc &1 123", "$11", "abc &11 123"},
    {R"((\&(\d)))", "g", "abc &1 123", "%$02", "abc %1 123"},
    {R"((\&(\d)))", "g", "abc &1 123", "$0", "abc $0 123"},
    {R"((\&(\d)))", "g", "abc &1 123", "$a$", "abc $a$ 123"},
    {"b", "g", "abc", "x$&z", "axbzc"},
    {"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", "", "abcdefghij", "$10|$01|$00|$011", "j|a|$00|a1"},
    {"(a)(b)(c)(d)(e)(f)(g)(h)(i)", "", "abcdefghi", "$10", "a0"},
    {"(a)|b", "g", "ab", "[$1]", "[a][]"},
    {"い", "g", "あいう", "[$`|$&|$']", "あ[あ|い|う]う"},
    {"(.+)は(.+)を", "", "彼女は手紙を読んだ", "$2を$1が", "手紙を彼女が読んだ"},
    {"[ぁ-ん]+", "g", "漢字ひらがなカタカナ", "<$&>", "漢字<ひらがな>カタカナ"},
    {"b", "", "abc", "表$$ソ", "a表$ソc"},  // 0x5C trail bytes in the template

    // Backreferences and octal escapes.
    {R"((a)?b\1)", "", "b", "X", "X"},
    {R"(\1(a))", "", "aa", "-", "-a"},
    {R"((a)\1)", "g", "aaa", "-", "-a"},
    {R"((a)\12)", "", "a\n", "-", "-"},  // one group: \12 is octal, a line feed
    {R"((a)\18)", "",
     "a\x01"
     "8",
     "-", "-"},  // \1 octal, then 8
    {R"(\101\8)", "", "A8", "-", "-"},
    {R"(\400)", "", " 0", "-", "-"},

    // Escapes.
    {R"(\x41\u0042\x4g\u12)", "", "ABx4gu12", "-", "-"},
    {R"(\v)", "g", "a\vb\nc", "_", "a_b\nc"},
    {R"(\cJ\t)", "", "a\n\tb", "-", "a-b"},
    {R"(\c1)", "", "\\c1", "-", "-"},
    {R"(\A\z\Q\e\p\K)", "", "AzQepK", "-", "-"},
    {R"([\b][\B])", "", "\bB", "-", "-"},
    {R"(\.\*\/)", "", "a.*/b", "-", "a-b"},

    // Anchors, dot, classes and braces.
    {"^abc$", "", "abc\n", "-", "abc\n"},
    {"^b", "g", "bb", "-", "-b"},
    {"a.c", "g", "a\nc a\rc", "-", "a\nc -"},  // the dot excludes only \n
    {"[]a]", "g", "a]", "-", "--"},            // ] first in a class is a member
    {R"([\d-z]+)", "g", "1-z9", "#", "#"},
    {R"([a-\d]+)", "g", "a-5b", "#", "#b"},
    {"[[:alpha:]]", "g", "a[:]", "-", "a[-"},  // no POSIX class: the class [:alph, then ]
    {"a{,2}", "", "a{,2}", "-", "-"},
    {"a{2}", "g", "aaa", "-", "-a"},
    {"x{1", "", "x{1", "-", "-"},
    {"}]", "", "}]", "-", "-"},
    {"a(?=b)", "g", "abac", "-", "-bac"},
    {"a(?!b)", "g", "abac", "-", "ab-c"},
    {"(?:ab)+", "g", "ababa", "-", "-a"},
    // A group inside a repeated group keeps the last value it took (JavaScript resets it).
    {"(?:(a)|b)+", "", "ab", "[$1]", "[a]"},

    // \d \w \s \b are ASCII-only, also when IgnoreCase folds Unicode letters.
    {R"(\s)", "g", "a　b\tc", "_", "a　b_c"},
    {R"(\s)", "gi", "a　b\tc", "_", "a　b_c"},
    {R"(\bfoo\b)", "g", "foo あfoo fooい", "X", "X あX Xい"},
    {R"(\bfoo\b)", "gi", "FOO あfoo fooい", "X", "X あX Xい"},
    {R"(\Bo)", "gi", "foo ｏo", "0", "f00 ｏo"},
    {R"(\d+)", "g", "１２3", "#", "１２#"},
    {R"(\d+)", "gi", "１２3", "#", "１２#"},
    {R"(\w+)", "g", "abc日本def", "[$&]", "[abc]日本[def]"},
    {R"(\w+)", "gi", "abc日本DEF", "[$&]", "[abc]日本[DEF]"},
    {R"([\W]+)", "gi", "ab日本K_", "-", "ab-K_"},
    {R"([^\w\s]+)", "gi", "a 日本k", "-", "a -k"},
    {R"([\D]+)", "gi", "1ａ2", "-", "1-2"},
    {R"(\S+)", "gi", "ab　cd", "-", "-"},  // U+3000 is not \s here

    // IgnoreCase folds full-width Latin, Greek and Cyrillic as well as ASCII.
    {"ａ", "gi", "Ａａ", "-", "--"},
    {"[ａ-ｚ]+", "gi", "ＡＢｃ", "-", "-"},
    {"σ", "gi", "Σσ", "-", "--"},
    {"д+", "gi", "ДдＤ", "-", "-Ｄ"},
    {"(a)\\1", "gi", "aA", "-", "-"},
    {"ａ", "g", "Ａａ", "-", "Ａ-"},
};

std::string Describe(const ReplaceCase& c) {
    return std::string("pattern ") + c.pattern + " flags " + c.flags + " subject " + c.subject +
           " replacement " + c.replacement;
}

void Configure(CRegExp& re, const ReplaceCase& c) {
    const std::string flags = c.flags;
    re.SetPattern(Sjis(c.pattern));
    re.SetGlobal(flags.find('g') != std::string::npos);
    re.SetIgnoreCase(flags.find('i') != std::string::npos);
}

TEST(CRegExpTest, ReplacesAsJavaScriptDoes) {
    CRegExp re;
    for (const ReplaceCase& c : kReplaceCases) {
        Configure(re, c);
        const std::string result = re.Replace(Sjis(c.subject), Sjis(c.replacement));
        EXPECT_EQ(Show(result), Show(Sjis(c.expected))) << Describe(c);
        EXPECT_TRUE(re.Ok()) << Describe(c) << ": " << re.Error();
    }
}

TEST(CRegExpTest, TestAgreesWithReplace) {
    // Test is true exactly when Replace with a template that marks the match changes something.
    CRegExp re;
    for (const ReplaceCase& c : kReplaceCases) {
        Configure(re, c);
        const std::string subject = Sjis(c.subject);
        const bool matched = re.Replace(subject, "\x01$&\x01") != subject;
        EXPECT_EQ(re.Test(subject), matched) << Describe(c);
    }
}

TEST(CRegExpTest, MatchesCharactersNotBytes) {
    CRegExp re;
    re.SetGlobal(true);
    // 表 and ソ end in 0x5C, the byte of a backslash; ア is 83 41, whose second byte is 'A'.
    const std::string text = Sjis("表示ソフトア");
    re.SetPattern("\\\\");
    EXPECT_FALSE(re.Test(text));
    re.SetPattern("A");
    EXPECT_FALSE(re.Test(text));
    re.SetPattern(Sjis("[表ソ]"));
    EXPECT_EQ(Show(re.Replace(text, "-")), Show(Sjis("-示-フトア")));
    re.SetPattern(Sjis("ア$"));
    EXPECT_TRUE(re.Test(text));
}

TEST(CRegExpTest, KeepsTheBytesOfUntouchedText) {
    CRegExp re;
    re.SetGlobal(true);
    // ED40 is the NEC-selected form of the character FA5C; 85 40 is no character; a lead byte
    // ends the line. Converting through Unicode and back would change all three.
    const std::string subject = "\xED\x40 abc \x85\x40 abc \x81";
    re.SetPattern("abc");
    EXPECT_EQ(Show(re.Replace(subject, "x")), Show("\xED\x40 x \x85\x40 x \x81"));
    re.SetPattern("nothing");
    EXPECT_EQ(Show(re.Replace(subject, "x")), Show(subject));
    // The same character in either form matches, and groups copy the subject's own bytes.
    re.SetPattern("(\xFA\x5C)");
    EXPECT_EQ(Show(re.Replace(subject, "[$1]")), Show("[\xED\x40] abc \x85\x40 abc \x81"));
}

TEST(CRegExpTest, IgnoreCaseChangesNothingWithoutLetters) {
    // Without letters, the caseless form (which spells \d \w \s \b out as ASCII sets) and the
    // plain form (which turns lines down early when they lack a character every match needs)
    // must agree. Pieces include 0x5C and 0x41 trail bytes and both codes of one character.
    const std::vector<std::string> patternPieces = {
        Sjis("表"), Sjis("ソ"), Sjis("ア"), R"(\\)", R"(\x41)", R"(\u8868)", "\xED\x40",
        "\xFA\x5C", "1",        "_",        " ",     "[0-9]",   "[^1]",      R"(\d)",
        R"(\D)",    R"(\w)",    R"(\W)",    R"(\s)", R"(\S)",   R"(\b)",     R"(\B)",
        ".",        "+",        "*",        "?",     "(",       ")",         "|",
        "^",        "$",        "(?:",      "(?=",   R"(\1)",   "{2}"};
    const std::vector<std::string> subjectPieces = {
        Sjis("表"), Sjis("ソ"), Sjis("ア"), Sjis("１"), "\\", "\xED\x40", "\xFA\x5C",
        "1",        "22",       "_",        " ",        "\t", Sjis("　"), "\x81"};
    std::mt19937 rng(1202);
    auto build = [&](const std::vector<std::string>& pieces, int most) {
        std::string text;
        for (int n = static_cast<int>(rng() % (most + 1)); n > 0; --n)
            text += pieces[rng() % pieces.size()];
        return text;
    };
    CRegExp plain, caseless;
    plain.SetGlobal(true);
    caseless.SetGlobal(true);
    caseless.SetIgnoreCase(true);
    int compared = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::string pattern = build(patternPieces, 5);
        plain.SetPattern(pattern);
        caseless.SetPattern(pattern);
        for (int k = 0; k < 10; ++k) {
            const std::string subject = build(subjectPieces, 8);
            const bool matched = plain.Test(subject);
            EXPECT_EQ(caseless.Test(subject), matched) << pattern << " on " << Show(subject);
            EXPECT_EQ(plain.Ok(), caseless.Ok()) << pattern;
            EXPECT_EQ(plain.Replace(subject, "<$&>"), caseless.Replace(subject, "<$&>"))
                << pattern << " on " << Show(subject);
            compared += plain.Ok() ? 1 : 0;
        }
    }
    EXPECT_GT(compared, 5000);  // enough of the random patterns were well-formed
}

// Lines are turned down before matching by what every match needs (the fewest characters, a
// fixed first or last character, a set of ASCII first characters). That must never change a
// result: with and without it, Test and Replace agree on random patterns and subjects. The
// subjects put digits and letters after lead bytes, where they are trail bytes and no match may
// begin; the patterns hold letters whose other case lies outside ASCII (k and the Kelvin sign,
// s and the long s).
TEST(CRegExpTest, TurningLinesDownEarlyChangesNoResult) {
    // Pieces separated by spaces, in UTF-8; then subject pieces of bytes as they are: lead bytes
    // before digits and letters, a lone lead byte, a space and a zero byte.
    const auto split = [](std::string_view text) {
        std::vector<std::string> pieces;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t space = std::min(text.find(' ', at), text.size());
            pieces.push_back(Sjis(std::string(text.substr(at, space - at))));
            at = space + 1;
        }
        return pieces;
    };
    const std::vector<std::string> patternPieces = split(
        "[0-9]+ \\d \\w+ [a-c] [A-Z]{2} k s x|5 (?<=a) (?=b) ^ $ [^0-9] . * + ( ) | ? 1 @ \\s "
        "手紙 円 [ｱ-ﾝ] [あ-ん] \\bOK\\b [\\x80-\\xff] [Kk] [Ｋｋ]");
    std::vector<std::string> subjectPieces = split("0 42 a b K k s OK x @ 円 手紙 Ｋ あ");
    for (const char* bytes :
         {"\x81\x30", "\x81\x35", "\xE0\x41", "\x88\x40k", "\xB1", "\xE2\x84\xAA", "\x81", " "})
        subjectPieces.emplace_back(bytes);
    subjectPieces.emplace_back(1, '\0');
    std::mt19937 rng(1616);
    auto build = [&](const std::vector<std::string>& pieces, int most) {
        std::string text;
        for (int n = static_cast<int>(rng() % (most + 1)); n > 0; --n)
            text += pieces[rng() % pieces.size()];
        return text;
    };
    CRegExp filtered, unfiltered;
    unfiltered.SetPrefilter(false);
    int compared = 0;
    for (int round = 0; round < 4000; ++round) {
        const std::string pattern = build(patternPieces, 4);
        for (CRegExp* re : {&filtered, &unfiltered}) {
            re->SetPattern(pattern);
            re->SetGlobal(round % 3 != 0);
            re->SetIgnoreCase(round % 2 == 0);
        }
        for (int k = 0; k < 8; ++k) {
            const std::string subject = build(subjectPieces, 6);
            ASSERT_EQ(filtered.Test(subject), unfiltered.Test(subject))
                << pattern << " on " << Show(subject);
            ASSERT_EQ(filtered.Replace(subject, "<$&|$`|$'>"),
                      unfiltered.Replace(subject, "<$&|$`|$'>"))
                << pattern << " on " << Show(subject);
            compared += filtered.Ok() ? 1 : 0;
        }
    }
    EXPECT_GT(compared, 10000);
}

// PCRE2 turns a class of a letter and its case partner into that letter matched without regard
// to case, and reports it as the fixed first (or last) character: the line "abc" was turned
// down for "[Aa]" before it was looked at.
TEST(CRegExpTest, ACaseClassIsNoFixedLetter) {
    const struct {
        const char* pattern;
        const char* subject;
    } cases[] = {
        {"[Aa]", "abc"},    {"[Aa]", "ABC"}, {"x[Cc]", "xc"},
        {"[Ａａ]", "ａｂ"}, {"[Ωω]", "ω"},   {"[Bb][Cc]", "abc"},
    };
    for (const auto& c : cases) {
        CRegExp re;
        re.SetPattern(Sjis(c.pattern));
        EXPECT_TRUE(re.Test(Sjis(c.subject))) << c.pattern << " on " << c.subject;
    }
}

// The set of ASCII first characters is checked on the bytes: that holds only because no other
// byte or byte pair decodes to an ASCII character.
TEST(CRegExpTest, OnlyAnAsciiByteDecodesToAnAsciiCharacter) {
    for (unsigned code = 0x80; code <= 0xFFFF; ++code) {
        if (code > 0xFF ? (code & 0xFF) != 0 && IsLeadByte(static_cast<unsigned char>(code >> 8))
                        : true) {
            ASSERT_GE(Cp932CodeToUnicode(code), 0x80u) << std::hex << code;
        }
    }
}

TEST(CRegExpTest, MalformedPatternsAreErrors) {
    const char* const kMalformed[] = {
        "(",        ")",     "a)",     "(a",      "[a",      "[]",        "*a",
        "a**",      "a*+",   "a++",    "a{2}{3}", "^*",      "\\b+",      "{2}",
        "\\",       "[a\\",  "a{3,2}", "[z-a]",   "(?<=a)b", "(?<!a)b",   "(?<n>a)",
        "(?P<n>a)", "(?i)a", "(?#c)a", "(?>a)",   "(*UTF)a", "(*ACCEPT)", "a{65536}",
    };
    CRegExp re;
    re.SetGlobal(true);
    for (const char* pattern : kMalformed) {
        re.SetPattern(pattern);
        EXPECT_FALSE(re.Test("a(b)c")) << pattern;
        EXPECT_FALSE(re.Ok()) << pattern;
        EXPECT_FALSE(re.Error().empty()) << pattern;
        EXPECT_EQ(re.Replace("a(b)c", "x"), "a(b)c") << pattern;
        EXPECT_FALSE(re.Ok()) << pattern;
        EXPECT_FALSE(re.Compile()) << pattern;
    }
    // The next good pattern clears the error.
    re.SetPattern("b");
    EXPECT_TRUE(re.Test("abc"));
    EXPECT_TRUE(re.Ok());
}

TEST(CRegExpTest, RunawayMatchesStopWithAnError) {
    CRegExp re;
    re.SetPattern("(a+)+$");
    const std::string subject = std::string(40, 'a') + "b";
    EXPECT_FALSE(re.Test(subject));
    EXPECT_FALSE(re.Ok());
    EXPECT_EQ(re.Replace(subject, "x"), subject);
    EXPECT_FALSE(re.Ok());
    // Deep but harmless work on a long line is not a runaway.
    re.SetPattern("(a|b)*c");
    std::string line;
    for (int i = 0; i < 30000; ++i)
        line += "ab";
    EXPECT_TRUE(re.Test(line + "c"));
    EXPECT_TRUE(re.Ok()) << re.Error();
}

TEST(CRegExpTest, CompilesOncePerPatternAndCase) {
    CRegExp re;
    re.SetPattern("a+");
    for (int i = 0; i < 100; ++i) {
        re.SetPattern("a+");
        re.SetGlobal(i % 2 == 0);
        re.SetIgnoreCase(false);
        re.Test("xa");
        re.Replace("xa", "y");
    }
    EXPECT_EQ(re.Compilations(), 1);
    re.SetIgnoreCase(true);
    EXPECT_TRUE(re.Test("A"));
    EXPECT_EQ(re.Compilations(), 2);
    // A malformed pattern is compiled once too, not once a call.
    re.SetPattern("(");
    for (int i = 0; i < 10; ++i)
        re.Test("a");
    EXPECT_EQ(re.Compilations(), 3);
}

}  // namespace
}  // namespace qb
