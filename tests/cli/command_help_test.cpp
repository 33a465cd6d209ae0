#include "app/cli/command_help.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "app/cli/cli_host.h"
#include "app/cli/cli_workspace.h"
#include "app/cli/macro_text.h"
#include "macro/macro_interpreter.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

// The argument names of a usage text: "STEP [CONDITION] FIRST" gives STEP CONDITION FIRST.
std::vector<std::string> UsageNames(std::string_view usage) {
    std::vector<std::string> names;
    for (std::string word : Split(usage, ' ')) {
        std::erase_if(word, [](char c) { return c == '[' || c == ']' || c == '.'; });
        if (!word.empty()) names.push_back(word);
    }
    return names;
}

// Each row belongs to the macro command of the same place, names its arguments as the usage
// does, and names only settings that the settings table explains.
TEST(CommandHelp, OneRowPerCommandWithItsArgumentsAndKnownSettings) {
    const auto& commands = MacroCommands();
    const auto& rows = CommandHelps();
    ASSERT_EQ(rows.size(), commands.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const CommandHelp& row = rows[i];
        EXPECT_EQ(row.name, commands[i].name);
        std::vector<std::string> argNames;
        if (!row.args.empty())
            for (const auto& line : Split(row.args, '\n'))
                argNames.push_back(line.substr(0, line.find("  ")));
        EXPECT_EQ(argNames, UsageNames(commands[i].usage)) << row.name;
        if (row.settings.empty()) continue;
        for (const auto& key : Split(row.settings, ' ')) {
            bool known = false;
            for (const auto& setting : CommandSettings())
                known = known || setting.key == key;
            EXPECT_TRUE(known) << row.name << " reads " << key;
        }
    }
}

// What --help CMD shows is true: every example that says so runs in a document as shown.
TEST(CommandHelp, ExamplesGiveTheTextTheyShow) {
    std::FILE* err = std::tmpfile();
    CliHost host(err);
    SettingsStore settings;
    AppContext app{host, settings};
    for (const CommandHelp& row : CommandHelps()) {
        if (!row.checked) continue;
        CliWorkspace workspace(app, host);
        MacroInterpreter interpreter(app, workspace);
        auto& doc = workspace.Adopt(std::make_unique<CQuillbayDoc>(app));
        std::string text;
        for (const auto& line : Split(row.before, '\n'))
            text += ExampleBytes(line) + "\r\n";
        doc.SetAllText(text);
        doc.Target().firstLine = 1;
        doc.Target().lastLine = doc.LineCount();
        for (const auto& line : Split(row.example, '\n'))
            interpreter.Execute(CommandLineMacroToSjis(line));
        std::vector<std::string> got, expected;
        for (const auto& line : workspace.ActiveDocument()->Lines())
            got.push_back(test::Show(line.str()));
        for (const auto& line : Split(row.after, '\n'))
            expected.push_back(test::Show(ExampleBytes(line)));
        EXPECT_EQ(got, expected) << row.example;
    }
    EXPECT_EQ(host.MessageCount(), 0);
    std::fclose(err);
}

TEST(CommandHelp, NearestNames) {
    struct Case {
        const char* typed;
        std::vector<std::string_view> nearest;
    } cases[] = {
        {"ZenToHn", {"ZenToHan"}},
        {"sjistoutf", {"SjisToUtf8"}},
        {"TrunChange", {"TurnChange"}},
        {"utf8", {"Utf8ToSjis", "SjisToUtf8"}},
        {"xyzzy", {}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NearestCommandNames(c.typed), c.nearest) << c.typed;
    EXPECT_EQ(DidYouMean("utf8"), " (did you mean Utf8ToSjis or SjisToUtf8?)");
}

TEST(CommandHelp, ListFiltersByNameDescriptionAndTopic) {
    const std::string all = CommandListText();
    for (const auto& command : MacroCommands())
        EXPECT_NE(all.find("\n  " + std::string(command.name) + " "), std::string::npos)
            << command.name;
    for (const auto& line : Split(all, '\n'))
        EXPECT_LE(line.size(), 92u) << line;
    struct Case {
        const char* word;
        std::vector<std::string> names;  // the commands listed, in order
    } cases[] = {
        {"wrap", {"TurnChange", "IndTurnChange", "TurnIf"}},
        {"HIRAGANA", {"ZenToHan", "ZenToHanSw", "HiraToKana", "KanaToHira"}},
        {"no such thing", {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> names;
        for (const auto& line : Split(CommandListText(c.word), '\n'))
            if (line.size() > 2 && line[0] == ' ' && line[2] != ' ')
                names.push_back(line.substr(2, line.find(' ', 2) - 2));
        EXPECT_EQ(names, c.names) << c.word;
    }
}

TEST(CommandHelp, PageNamesArgumentsCountingSettingsAndExample) {
    const std::string page = CommandHelpPage(*FindCommandHelp("turnchange"));
    for (const char* part :
         {"Usage: qbay -e 'TurnChange WIDTH'", "WIDTH", "required",
          "a full-width character takes two", "Print/KinsokuFirst", "Turn/English", "default 0",
          "qbay -e 'TurnChange 6' FILE", "\"あいう。\""})
        EXPECT_NE(page.find(part), std::string::npos) << part << "\n" << page;
    EXPECT_NE(CommandHelpPage(*FindCommandHelp("DeletePos")).find("Columns count bytes from 1"),
              std::string::npos);
}

}  // namespace
}  // namespace qb
