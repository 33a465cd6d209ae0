#include "macro/parsed_macro_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace qb {
namespace {

// The tokens are views into the line: a copy or a move that left them pointing into the
// storage of another object would read freed memory once that one is gone. Short lines sit
// inside the string object itself, so a moved string would move them.
TEST(ParsedMacroLine, CopiesAndMovesKeepTheirTokensInTheirOwnText) {
    const std::string texts[] = {"ZenToHan", "TurnChange 7", "Replace abc xyz 0 0",
                                 "StrCat " + std::string(200, 'x')};
    for (const std::string& text : texts) {
        const auto ownsTokens = [&](const ParsedMacroLine& line) {
            const std::string& own = line.Text();
            EXPECT_EQ(own, text);
            const MacroLineTokens& tokens = line.Tokens();
            EXPECT_GE(tokens.name.data(), own.data()) << text;
            EXPECT_LE(tokens.name.data() + tokens.name.size(), own.data() + own.size()) << text;
            for (std::size_t i = 0; i < tokens.argCount; ++i)
                EXPECT_LE(tokens.args[i].data() + tokens.args[i].size(), own.data() + own.size())
                    << text;
        };
        std::optional<ParsedMacroLine> first(std::in_place, text);
        ParsedMacroLine copied = *first;
        ParsedMacroLine moved = std::move(*first);
        first.reset();
        ownsTokens(copied);
        ownsTokens(moved);
        ParsedMacroLine assigned("Reverse");
        assigned = copied;
        ownsTokens(assigned);
        EXPECT_EQ(copied.Command(), moved.Command()) << text;
    }
}

// The command is looked up as the interpreter looks it up: without regard to case, and not at
// all for a line without a name or with a name no command has.
TEST(ParsedMacroLine, FindsTheCommandAsTheInterpreterDoes) {
    const struct {
        const char* line;
        const char* command;  // null: none
    } cases[] = {{"zentohan", "ZenToHan"},
                 {"SjisToUtf8", "SjisToUtf8"},
                 {"ZenToHan  ", nullptr},  // a name with a trailing space
                 {" ZenToHan", nullptr},   // no name at all
                 {"", nullptr},
                 {"NoSuchCommand 1", nullptr}};
    for (const auto& c : cases) {
        const ParsedMacroLine line(c.line);
        if (!c.command) {
            EXPECT_EQ(line.Command(), nullptr) << c.line;
            EXPECT_FALSE(line.Runs({"ZenToHan"})) << c.line;
            continue;
        }
        ASSERT_NE(line.Command(), nullptr) << c.line;
        EXPECT_EQ(line.Command()->name, c.command) << c.line;
        EXPECT_TRUE(line.Runs({"Open", c.command})) << c.line;
        EXPECT_FALSE(line.Runs({"Open"})) << c.line;
    }
}

}  // namespace
}  // namespace qb
