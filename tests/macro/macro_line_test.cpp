#include "macro/macro_line.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace qb {
namespace {

std::vector<std::string> Args(const MacroLineTokens& t) {
    std::vector<std::string> args;
    for (std::size_t i = 0; i < t.argCount; ++i)
        args.emplace_back(t.args[i]);
    return args;
}

TEST(MacroLine, SplitsAtSpacesKeepingTheExtraSpacesOfARunOnTheToken) {
    struct Case {
        const char* line;
        const char* name;
        std::vector<std::string> args;
        const char* rest;
    } cases[] = {
        {"", "", {}, ""},
        {"ZenToHan", "ZenToHan", {}, ""},
        {"ZenToHan ", "ZenToHan", {}, ""},
        {"TurnChange 70", "TurnChange", {"70"}, "70"},
        {"a b c", "a", {"b", "c"}, "b c"},
        // Two spaces: the first stays on the token before them.
        {"a  b", "a ", {"b"}, "b"},
        {"a   b", "a  ", {"b"}, "b"},
        {"x a  b", "x", {"a ", "b"}, "a  b"},
        // A line that begins with a space has no command name.
        {" ZenToHan", "", {"ZenToHan"}, "ZenToHan"},
        {"  ZenToHan", " ", {"ZenToHan"}, "ZenToHan"},
        // Tabs are no separators.
        {"a\tb c", "a\tb", {"c"}, "c"},
        {"Open C:/my files/a b.txt", "Open", {"C:/my", "files/a", "b.txt"}, "C:/my files/a b.txt"},
        {"x a ", "x", {"a"}, "a "},
        {"x a  ", "x", {"a "}, "a  "},
    };
    for (const auto& c : cases) {
        const MacroLineTokens t = SplitMacroLine(c.line);
        EXPECT_EQ(t.name, c.name) << c.line;
        EXPECT_EQ(Args(t), c.args) << c.line;
        EXPECT_EQ(t.rest, c.rest) << c.line;
    }
}

TEST(MacroLine, TakesAtMostTwentyArguments) {
    std::string line = "Sort";
    for (int i = 1; i <= 25; ++i)
        line += " " + std::to_string(i);
    const MacroLineTokens t = SplitMacroLine(line);
    ASSERT_EQ(t.argCount, kMaxMacroArgs);
    EXPECT_EQ(t.Arg(19), "20");
    EXPECT_EQ(t.Arg(20), "");  // past the end: absent
    EXPECT_FALSE(t.HasArg(20));
}

TEST(MacroLine, SplitsLongLinesWhole) {
    const std::string text(100000, 'x');
    const std::string line = "StrCat " + text + " 1";
    const MacroLineTokens t = SplitMacroLine(line);
    EXPECT_EQ(t.Arg(0).size(), text.size());
    EXPECT_EQ(t.Arg(1), "1");
}

TEST(MacroLine, ParsesIntegersAsTheCRuntimeDoes) {
    struct Case {
        const char* token;
        int value;
    } cases[] = {
        {"70", 70},
        {"-3", -3},
        {"+4", 4},
        {"  12", 12},
        {"\t7", 7},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {"- 3", 0},
        {"3.9", 3},
        {"0x10", 0},
        {"007", 7},
        {"1 ", 1},
        {"--1", 0},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"99999999999999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-99999999999999999999", INT_MIN},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseMacroInt(c.token), c.value) << '"' << c.token << '"';
}

}  // namespace
}  // namespace qb
