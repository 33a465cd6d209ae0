// One run of qbay: open each file, run the steps, write the results.
#pragma once

#include "app/cli/cli_options.h"

namespace qb {

// Runs qbay with parsed options; returns the exit status (0 clean, 1 a message was shown).
int RunQbay(const CliOptions& options);

}  // namespace qb
