#include "app/cli/macro_line_check.h"

#include <gtest/gtest.h>

#include "macro/macro_commands.h"

namespace qb {
namespace {

TEST(MacroLineCheck, NumbersWholeAndArgumentsCounted) {
    struct Case {
        const char* line;
        const char* problem;  // empty: none
    } cases[] = {
        {"TurnChange 70", ""},
        {"TurnChange -5", ""},  // a range is the command's business
        {"TurnChange abc", "WIDTH must be a number, not 'abc'"},
        {"TurnChange 70x", "WIDTH must be a number, not '70x'"},
        {"TurnChange", "WIDTH is missing"},
        {"IndentChange", ""},  // a left-out 0 harms nothing
        {"DeletePos 2  3", "FIRST must be a number, not '2 ' (one space only between arguments)"},
        {"StrCat a b",
         "'b' is one argument too many: StrCat takes TEXT (write a space inside a text as \\s)"},
        {"ZenToHan 1", "'1' is one argument too many: ZenToHan takes no arguments"},
        {"Replace a b", ""},
        {"Replace a b 2 0", ""},
        {"Replace a b c", "FLAGS must be a number, not 'c'"},
        {"LineSelect 1 1 9", ""},
        {"LineSelect 1 x 1 9 0", ""},
        {"LineSelect 1 x 1 y", "LAST must be a number, not 'y'"},
        {"LineSelect 1 x 1 9 0 1",
         "'1' is one argument too many: LineSelect takes STEP "
         "CONDITION FIRST LAST PATTERN (write a space inside a text "
         "as \\s)"},
        {"Sort 0 1 -1 1 1 3 4 0", ""},
        {"Sort 0 1 2", "Sort takes groups of four numbers (MODE FIRST LAST NUMERIC), not 3"},
        {"ReplaceDouble ( [ ) ] \\", ""},
        {"MultiFileReplace d *.txt a b 1", ""},
        {"Open a file with spaces.txt", ""},
        {"Save", ""},
        {"NoSuchCommand x y", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MacroArgumentProblem(c.line), c.problem) << c.line;
}

// Every command's arguments have names to report, whatever the tokens.
TEST(MacroLineCheck, EveryCommandNamesWhatIsWrong) {
    for (const MacroCommand& command : MacroCommands()) {
        std::string line(command.name);
        for (int i = 0; i < 14; ++i) {
            line += " x";
            const std::string problem = MacroArgumentProblem(line);
            EXPECT_EQ(problem.find("argument " + std::to_string(i + 1) + " "), std::string::npos)
                << line << ": " << problem;
        }
    }
}

}  // namespace
}  // namespace qb
