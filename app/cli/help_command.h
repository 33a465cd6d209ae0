// qbay --help [CMD] and qbay --list [WORD]: what the user reads about the options and commands.
#pragma once

#include "app/cli/cli_options.h"

namespace qb {

// Prints the help or the command list that `options` asks for to standard output. Returns the
// exit status: 0; 1 when --list WORD matched nothing or the text could not be written; 2 for
// --help with a name that is no command (with the nearest names).
int RunHelp(const CliOptions& options);

}  // namespace qb
