// The options of qbay as its user reads about them: one table that `qbay --help`, the man page
// and the bash completion are all made from, so that none of them drifts from the others.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qb {

// What the value of an option is, for completion.
enum class OptionValue {
    None,       // takes no value
    Text,       // free text
    File,       // a file name
    MacroFile,  // a macro file (*.qmc)
    Command,    // a macro line or command name
    Word,       // an optional word (--list WORD)
    Code,       // a character code to read in (auto among them)
    OutputCode, // a character code to write in
    LineEnd,    // a line-end name
    Setting,    // SECTION/NAME=VALUE
};

struct OptionHelp {
    std::string_view group;      // the heading it is listed under
    std::string_view shortName;  // "-e"; empty when there is none
    std::string_view longName;   // "--exec"
    std::string_view valueName;  // "LINE"; in brackets when optional ("[WORD]"); empty for none
    OptionValue value;
    std::string_view text;  // what it does (folded when shown)
};

// The options in the order --help shows them.
const std::vector<OptionHelp>& CliOptionTable();

// The words an option's value completes to ("auto sjis ...", "crlf lf cr keep"); empty when the
// value is not one of a fixed set.
std::string_view OptionValueWords(OptionValue value);

// The text of qbay --help.
std::string CliHelpText();

// The paragraph before the options, and the examples after them.
std::string_view CliIntroText();
std::string_view CliExamplesText();

// The lines after the options in --help and the man page: how a macro line is written, what
// qbay does with the clipboard, exit status.
std::string_view MacroLineNotes();
std::string_view ExitStatusNotes();

}  // namespace qb
