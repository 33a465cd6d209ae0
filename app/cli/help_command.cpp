#include "app/cli/help_command.h"

#include <cstdio>

#include "app/cli/command_help.h"
#include "app/cli/option_table.h"
#include "app/cli/standard_output.h"

namespace qb {

namespace {

// Writes `text` to standard output; 0, or 1 (with a message) when it could not be written.
int Print(const std::string& text) {
    if (WriteStandardOutput(text)) return 0;
    std::fputs("qbay: standard output: cannot write the help\n", stderr);
    return 1;
}

}  // namespace

int RunHelp(const CliOptions& options) {
    if (options.list) {
        const std::string text = CommandListText(options.listWord);
        if (text.empty()) {
            std::fprintf(stderr,
                         "qbay: no macro command matches '%s'; qbay --list shows them all\n",
                         options.listWord.c_str());
            return 1;
        }
        return Print(text);
    }
    if (options.helpCommand.empty()) return Print(CliHelpText());
    const CommandHelp* help = FindCommandHelp(options.helpCommand);
    if (!help) {
        std::fprintf(stderr, "qbay: no macro command is named '%s'%s; qbay --list lists them\n",
                     options.helpCommand.c_str(), DidYouMean(options.helpCommand).c_str());
        return 2;
    }
    return Print(CommandHelpPage(*help));
}

}  // namespace qb
