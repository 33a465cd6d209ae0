#include "macro/escape.h"

#include <gtest/gtest.h>

#include <random>

#include "core/regexp.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Show;
using test::Sjis;

TEST(Escape, ReadsTheEscapesAndLeavesOtherBackslashes) {
    struct Case {
        std::string token, text;
    } cases[] = {
        {"\\b", ""},
        {"a\\sb", "a b"},
        {"a\\nb", "a\r\nb"},
        {"a\\tb", "a\tb"},
        {"a\\\\b", "a\\b"},
        {"\\\\s", "\\s"},  // a doubled backslash, then the letter s
        {"\\\\n", "\\n"},
        {"\\\\\\n", "\\\r\n"},
        {"\\q\\x\\", "\\q\\x\\"},  // other backslashes stay
        {"a\\b", "a\\b"},          // \b is the empty text only alone
        {"\\bx", "\\bx"},
        {"\\s\\s", "  "},
        {Sjis("ソ") + "n", Sjis("ソ") + "n"},  // 83 5C: no backslash at all
        {Sjis("表\\s"), Sjis("表 ")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UnescapeMacroArg(c.token), c.text) << Show(c.token);
}

TEST(Escape, WritesSpacesAndTheEmptyText) {
    EXPECT_EQ(EscapeMacroArg(""), "\\b");
    EXPECT_EQ(EscapeMacroArg("a b  c"), "a\\sb\\s\\sc");
    EXPECT_EQ(EscapeMacroArg("a\\nb\tc"), "a\\nb\tc");  // nothing else is touched
    EXPECT_EQ(EscapeMacroArg(Sjis("日本 語")), Sjis("日本") + "\\s" + Sjis("語"));
}

// Random Shift-JIS-ish text: letters that matter to the escapes, spaces, CR LF, double-byte
// characters with a 5C trail byte.
std::string RandomText(std::mt19937& rng) {
    static const std::vector<std::string> pieces = {
        "\\", "n", "t", "s", "b", " ", "\r\n", "\t", "a", Sjis("ソ"), Sjis("表"), "\\b", "x"};
    std::string text;
    const int n = static_cast<int>(rng() % 8);
    for (int i = 0; i < n; ++i)
        text += pieces[rng() % pieces.size()];
    return text;
}

TEST(Escape, ExactWritingReadsBackUnchanged) {
    std::mt19937 rng(4711);
    for (int i = 0; i < 20000; ++i) {
        const std::string text = RandomText(rng);
        const std::string token = EscapeMacroArgExact(text);
        EXPECT_EQ(UnescapeMacroArg(token), text) << Show(text) << " -> " << Show(token);
        EXPECT_EQ(token.find(' '), std::string::npos);
        EXPECT_EQ(token.find('\n'), std::string::npos) << Show(text);
        EXPECT_FALSE(token.empty());
    }
}

// Text typed with escapes in mind must mean the same after it is written as typed.
TEST(Escape, TypedWritingKeepsWhatTheTypedTextMeans) {
    std::mt19937 rng(815);
    for (int i = 0; i < 20000; ++i) {
        std::string typed = RandomText(rng);
        if (typed.find('\n') != std::string::npos) continue;  // dialogs hold one line
        const std::string token = EscapeTypedMacroArg(typed);
        EXPECT_EQ(UnescapeMacroArg(token), UnescapeMacroArg(typed)) << Show(typed);
        EXPECT_EQ(token.find(' '), std::string::npos);
        EXPECT_FALSE(token.empty());
    }
    // What the user typed stays readable: escapes are written as typed.
    EXPECT_EQ(EscapeTypedMacroArg("a\\nb c"), "a\\nb\\sc");
    EXPECT_EQ(EscapeTypedMacroArg("\\b"), "\\b");
    EXPECT_EQ(EscapeTypedMacroArg("\\ x"), "\\\\\\sx");  // a backslash before a space
}

// A lead byte before a space or a CR LF is not valid Shift-JIS; the writers still make one
// token of it, on one line.
TEST(Escape, ALeadByteBeforeASpaceStillGivesOneToken) {
    for (const std::string& text : {std::string("\x98 x"), std::string("\x98\r\nx")}) {
        EXPECT_EQ(EscapeMacroArg(text).find(' '), std::string::npos) << Show(text);
        // The other writers keep the token on one line too.
        for (const std::string& token :
             {EscapeMacroArgExact(text), EscapeTypedMacroArg(text), RegexMacroToken(text)}) {
            EXPECT_EQ(token.find(' '), std::string::npos) << Show(token);
            EXPECT_EQ(token.find('\n'), std::string::npos) << Show(token);
        }
    }
}

TEST(Escape, RegexTokensMatchWhatThePatternMatches) {
    struct Case {
        std::string pattern, token;
    } cases[] = {
        {"a b", "a\\x20b"},
        {"[ ]+", "[\\x20]+"},
        {"a\\ b", "a\\x20b"},        // an escaped space
        {"a\\\\ b", "a\\\\\\x20b"},  // a literal backslash, then a space
        {"\\s+", "\\s+"},            // left alone: it is no space
        {"", "(?:)"},
        {"a\r\nb", "a\\r\\nb"},
        {Sjis("ソ") + " ", Sjis("ソ") + "\\x20"},
    };
    const char* subjects[] = {"a b", "ab", "a\tb", "a\\ b", "  ", "\\", "x", "a\\b", "a\r\nb"};
    for (const auto& c : cases) {
        EXPECT_EQ(RegexMacroToken(c.pattern), c.token) << Show(c.pattern);
        CRegExp original, replayed;
        original.SetPattern(c.pattern);
        replayed.SetPattern(c.token);
        for (const char* subject : subjects)
            EXPECT_EQ(original.Test(subject), replayed.Test(subject))
                << c.pattern << " on " << subject;
    }
}

}  // namespace
}  // namespace qb
