// What qbay tells a user about its macro commands: the topics they fall under, the arguments
// with their ranges and what a left-out one means, how the numbers count, the settings a command
// reads, and one example with the text before and after it. One row per macro command, beside
// the macro table (macro/macro_commands.h), which keeps the argument names and the one-line
// summary; `qbay --list`, `qbay --help CMD`, the man page and the shell completion all read it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_commands.h"

namespace qb {

enum class HelpTopic {
    Width,
    CaseKana,
    Codes,
    Wrapping,
    Columns,
    Whitespace,
    Lines,
    Replace,
    Files,
    TargetLines,
};

// How the numbers of a command count.
enum class Counting {
    None,
    Columns,      // byte columns from 1; a full-width character takes two
    Widths,       // widths in bytes; a full-width character takes two
    LineNumbers,  // line numbers from 1
    LineIndexes,  // line indexes from 0
};

struct CommandHelp {
    std::string_view name;
    HelpTopic topic;
    std::string_view about;  // what it does, in full (English)
    // One line per argument, "NAME  meaning; range; what leaving it out means", in the order
    // of the macro line; the names are those of the command's usage.
    std::string_view args;
    std::string_view settings;  // the settings it reads ("Section/Name", space-separated)
    Counting counting = Counting::None;
    // One example: the macro lines ('\n' between them) and the text before and after it
    // (UTF-8 lines, '\n' between them; {1B 24} stands for bytes given in hexadecimal).
    // `checked`: the example runs as shown in a document (tests hold it to that); false for
    // commands that work on files or standard input.
    std::string_view example;
    std::string_view before;
    std::string_view after;
    bool checked = true;
};

// One setting that commands read.
struct SettingHelp {
    std::string_view key;           // "Section/Name"
    std::string_view defaultValue;  // UTF-8
    std::string_view meaning;
};

// The rows in the order of MacroCommands().
const std::vector<CommandHelp>& CommandHelps();
// The row of a macro command's name, without regard to ASCII case; nullptr when none.
const CommandHelp* FindCommandHelp(std::string_view name);
// The settings that any command reads, in the order of the README's table.
const std::vector<SettingHelp>& CommandSettings();
// The topics in their order, and the name each is shown under ("width", "case and kana", ...).
const std::vector<HelpTopic>& HelpTopics();
std::string_view TopicName(HelpTopic topic);

// Up to three command names nearest to `name` (a misspelling, a wrong case, a part of the
// name), nearest first; empty when none is near.
std::vector<std::string_view> NearestCommandNames(std::string_view name);
// " (did you mean A or B?)" for the nearest names of `name`; empty when there are none.
std::string DidYouMean(std::string_view name);

// qbay --list [WORD]: the commands by topic, one line each with arguments and summary; WORD
// (without regard to case) keeps those whose name or summary holds it. Empty when none does.
std::string CommandListText(std::string_view word = {});
// qbay --help CMD: everything about one command.
std::string CommandHelpPage(const CommandHelp& help);

// The example's command line: "qbay -e LINE... FILE", each line quoted for the shell when it
// needs to be.
std::string ExampleCommandLine(const CommandHelp& help);

// An example's text as the document holds it: {..} groups turned into their bytes, the rest
// converted from UTF-8 to Shift-JIS. Lines are '\n'-separated.
std::string ExampleBytes(std::string_view text);

}  // namespace qb
