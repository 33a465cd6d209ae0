#include "app/cli/cli_options.h"

#include <gtest/gtest.h>

#include "app/cli/option_table.h"
#include "macro/macro_commands.h"

namespace qb {
namespace {

std::string Parse(std::vector<const char*> args, CliOptions& options) {
    args.insert(args.begin(), "qbay");
    return ParseCliOptions(static_cast<int>(args.size()), args.data(), options);
}

TEST(CliOptions, MacroStepsKeepTheirOrder) {
    CliOptions o;
    EXPECT_EQ(Parse({"-e", "ZenToHan", "-m", "a.qmc", "--exec=TurnChange 70", "-mb.qmc", "in.txt",
                     "--record", "r.qmc"},
                    o),
              "");
    ASSERT_EQ(o.steps.size(), 4u);
    EXPECT_EQ(o.steps[0].text, "ZenToHan");
    EXPECT_EQ(o.steps[1].kind, CliOptions::Step::MacroFile);
    EXPECT_EQ(o.steps[2].text, "TurnChange 70");
    EXPECT_EQ(o.steps[3].text, "b.qmc");
    EXPECT_EQ(o.recordPath, "r.qmc");
    EXPECT_EQ(o.files, std::vector<std::string>{"in.txt"});
}

TEST(CliOptions, UsageErrors) {
    struct Case {
        std::vector<const char*> args;
        const char* errorPart;  // empty: no error
    } cases[] = {
        {{"-e", "ZenToHn", "in.txt"}, "no macro command is named 'ZenToHn'"},
        {{"-e", "ZenToHan  1", "in.txt"}, "one space only"},
        {{"-e", "zentohan", "in.txt"}, ""},
        {{"-e", "", "in.txt"}, ""},           // an empty line does nothing
        {{"-e", " ZenToHan", "in.txt"}, ""},  // nor does one that begins with a space
        {{"-e", "Open a.txt"}, ""},           // no FILE needed when there are macro lines
        {{}, "no input files"},
        {{"--record"}, "needs a value"},
        {{"--record=", "-e", "Paste"}, "--record needs a path"},
    };
    for (const auto& c : cases) {
        CliOptions o;
        const std::string error = Parse(c.args, o);
        if (std::string(c.errorPart).empty())
            EXPECT_EQ(error, "") << (c.args.empty() ? "" : c.args[0]);
        else
            EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
    }
}

// Every option that --help, the man page and the completion describe is one the parser takes, and
// the help fits a terminal.
TEST(CliOptions, TheOptionTableMatchesTheParser) {
    for (const OptionHelp& option : CliOptionTable()) {
        for (const std::string_view name : {option.shortName, option.longName}) {
            if (name.empty()) continue;
            const std::string arg(name);
            std::vector<const char*> args = {arg.c_str()};
            if (!option.valueName.empty() && option.valueName[0] != '[')
                args.push_back(option.value == OptionValue::Setting ? "System/CrLf=2" : "x");
            args.push_back("-e");
            args.push_back("ToUpper");
            CliOptions o;
            const std::string error = Parse(args, o);
            EXPECT_EQ(error.find("unknown option"), std::string::npos) << name << ": " << error;
        }
    }
    const std::string help = CliHelpText();
    std::size_t start = 0;
    while (start < help.size()) {
        const std::size_t end = help.find('\n', start);
        const std::string line = help.substr(start, end - start);
        std::size_t columns = 0;
        for (unsigned char c : line)
            columns += (c & 0xC0) != 0x80;
        EXPECT_LE(columns, 92u) << line;
        start = end == std::string::npos ? help.size() : end + 1;
    }
}

TEST(CliOptions, HelpAndListTakeAnOptionalName) {
    struct Case {
        std::vector<const char*> args;
        bool help, list;
        const char* name;
    } cases[] = {
        {{"--help"}, true, false, ""},
        {{"--help", "TurnChange"}, true, false, "TurnChange"},
        {{"-h", "--version"}, true, false, ""},
        {{"--help=ZenToHan"}, true, false, "ZenToHan"},
        {{"--list", "wrap"}, false, true, "wrap"},
        {{"--list"}, false, true, ""},
    };
    for (const auto& c : cases) {
        CliOptions o;
        EXPECT_EQ(Parse(c.args, o), "");
        EXPECT_EQ(o.help, c.help);
        EXPECT_EQ(o.list, c.list);
        EXPECT_EQ(c.help ? o.helpCommand : o.listWord, c.name);
    }
}

}  // namespace
}  // namespace qb
