#include "macro/macro_commands.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Sjis;

MacroArgs Parse(std::string_view line) {
    const MacroLineTokens tokens = SplitMacroLine(line);
    const MacroCommand* command = FindMacroCommand(tokens.name);
    EXPECT_NE(command, nullptr) << line;
    return command ? ParseMacroArgs(*command, tokens) : MacroArgs();
}

// Parsed arguments written out: a text as it is, otherwise "#" and the number ("#0" for an
// empty text too), "-" when absent.
std::vector<std::string> Show(const MacroArgs& args) {
    std::vector<std::string> out;
    for (const auto& v : args.Values())
        out.push_back(!v.present ? "-" : !v.text.empty() ? v.text : "#" + std::to_string(v.number));
    return out;
}

TEST(MacroCommands, HasTheEightyNineNamesInLookupOrder) {
    const auto& commands = MacroCommands();
    ASSERT_EQ(commands.size(), 89u);
    EXPECT_EQ(commands.front().name, "OverwriteString");
    EXPECT_EQ(commands[14].name, "Replace");
    EXPECT_EQ(commands[48].name, "LineSelect");
    EXPECT_EQ(commands[75].name, "Open");
    EXPECT_EQ(commands.back().name, "Reverse");
    std::set<std::string> lower;
    for (const auto& c : commands) {
        std::string name(c.name);
        for (auto& ch : name)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        EXPECT_TRUE(lower.insert(name).second) << c.name;
        EXPECT_NE(c.run, nullptr) << c.name;
        EXPECT_FALSE(c.summary.empty()) << c.name;
    }
}

TEST(MacroCommands, LooksNamesUpInAnyCaseButNotWithTrailingSpaces) {
    EXPECT_EQ(FindMacroCommand("toupper")->name, "ToUpper");
    EXPECT_EQ(FindMacroCommand("TOUPPER")->name, "ToUpper");
    EXPECT_EQ(FindMacroCommand("tOsJiS")->name, "ToSjis");
    EXPECT_EQ(FindMacroCommand("ToUpper "), nullptr);
    EXPECT_EQ(FindMacroCommand(""), nullptr);
    EXPECT_EQ(FindMacroCommand("ToUppe"), nullptr);
    // Only ASCII letters fold: a full-width letter is another name.
    EXPECT_EQ(FindMacroCommand(Sjis("ＴｏＵｐｐｅｒ")), nullptr);
}

TEST(MacroCommands, ReadsEveryFormOfReplace) {
    struct Case {
        const char* line;
        std::vector<std::string> args;  // search, replacement, flags, pattern flag
    } cases[] = {
        {"Replace a\\sb x 2 0", {"a b", "x", "#2", "#0"}},
        {"Replace a x\\b 0 0", {"a", "x\\b", "#0", "#0"}},
        {"Replace a \\b 0 0", {"a", "#0", "#0", "#0"}},  // an empty replacement
        // A pattern: the search is raw, the replacement read with escapes.
        {"Replace a\\sb x\\sy 2 1", {"a\\sb", "x y", "#2", "#1"}},
        {"Replace a\\sb x 2 7", {"a\\sb", "x", "#2", "#1"}},
        // The older three-token form: escapes read, no pattern.
        {"Replace a\\sb c\\td 4", {"a b", "c\td", "#4", "#0"}},
        // One token: raw search, empty replacement.
        {"Replace a\\sb", {"a\\sb", "#0", "#0", "#0"}},
        // Two tokens, a single digit after a search ending in a space: an empty replacement.
        {"Replace a\\sb  0", {"a b", "#0", "#0", "#0"}},
        {"Replace a\\sb  5", {"a b", "#0", "#0", "#0"}},
        // Any other two tokens are both raw.
        {"Replace a\\sb c\\sd", {"a\\sb", "c\\sd", "#0", "#0"}},
        {"Replace ab 0", {"ab", "0", "#0", "#0"}},
        {"Replace", {"#0", "#0", "#0", "#0"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Show(Parse(c.line)), c.args) << c.line;
}

TEST(MacroCommands, ReadsDelStrLineSelectSuperReplaceAndSort) {
    struct Case {
        const char* line;
        std::vector<std::string> args;
    } cases[] = {
        {"DelStr a\\sb 2 0", {"a b", "#2", "#0"}},
        {"DelStr a\\sb 2 1", {"a\\sb", "#2", "#1"}},
        {"DelStr a\\sb", {"a b", "#0", "#0"}},
        // step, condition, first, last, pattern flag
        {"LineSelect 2 x\\sy 3 9 1", {"#2", "x y", "#3", "#9", "#1"}},
        {"LineSelect 2 x\\sy 3 9", {"#2", "x\\sy", "#3", "#9", "-"}},  // raw, flag kept
        {"LineSelect 2 3 9", {"#2", "-", "#3", "#9", "-"}},            // both kept
        {"SuperReplace ( ) x\\sy", {"(", ")", "x y"}},
        {"SuperReplace (\\s )", {"(\\s", ")", "#0"}},  // two tokens: raw, empty replacement
        {"SuperReplace \\b ) \\b", {"#0", ")", "#0"}},
        // Sort: whole groups of four; the ninth token is ignored.
        {"Sort 0 1 -1 0 1 5 8 1 9", {"#0", "#1", "#-1", "#0", "#1", "#5", "#8", "#1"}},
        {"Sort 1 2 3", {}},
        {"ReplaceDouble ( [ ) ] \\", {"(", "[", ")", "]", "\\"}},
        {"ReplaceDouble ( [ ) ]", {"(", "[", ")", "]", "#0"}},
        {"ReplaceDouble (\\s \\b ) \\s] \\b 1", {"( ", "#0", ")", " ]", "#0"}},
        {"MultiFileReplace /tmp/d *.txt a\\sb \\b", {"/tmp/d", "*.txt", "a b", "#0"}},
        {"MultiFileReplace /tmp/my\\sdir *.txt a b 1", {"/tmp/my dir", "*.txt", "a", "b"}},
        {"MultiFileReplace /tmp/my\\sdir *.txt a b", {"/tmp/my\\sdir", "*.txt", "a", "b"}},
        // Open and Save take the rest of the line, spaces kept.
        {"Open a  b.txt", {"a  b.txt"}},
        {"Save my file.txt", {"my file.txt"}},
        {"Save", {"-"}},
        {"SjisToEuc 1", {"#1"}},
        {"StrCat a\\sb\\\\s", {"a b\\s"}},
        {"InsertString 3 \\b", {"#3", "#0"}},
        {"OverwriteString", {"-", "-"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Show(Parse(c.line)), c.args) << c.line;
}

TEST(MacroCommands, PathsAreReadFromShiftJisIntoUtf8) {
    EXPECT_EQ(Parse(Sjis("Open 日本 語.txt")).Text(0), "日本 語.txt");
    EXPECT_EQ(Parse(Sjis("Join 表\\s1.txt")).Text(0), "表 1.txt");
}

TEST(MacroCommands, RequiredNumbersAreTheOnesThatWouldDestroyTextOrNeverEnd) {
    for (const char* line :
         {"KetaChange", "TurnChange", "IndTurnChange", "DeletePos 1", "OnelineNo", "LineEdit"}) {
        const MacroLineTokens t = SplitMacroLine(line);
        const MacroCommand* c = FindMacroCommand(t.name);
        EXPECT_FALSE(HasRequiredArgs(ParseMacroArgs(*c, t), c->forms)) << line;
    }
    for (const char* line : {"KetaChange abc", "IndentChange", "SpaceInsert", "ZenToHan2",
                             "RenoString", "LineEdit 0", "InsertLine", "SpToCsv", "TabSpace"}) {
        const MacroLineTokens t = SplitMacroLine(line);
        const MacroCommand* c = FindMacroCommand(t.name);
        EXPECT_TRUE(HasRequiredArgs(ParseMacroArgs(*c, t), c->forms)) << line;
    }
    EXPECT_EQ(Parse("KetaChange 12abc").Int(0), 12);
    EXPECT_EQ(Parse("KetaChange abc").Int(0), 0);
}

}  // namespace
}  // namespace qb
