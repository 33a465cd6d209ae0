// What qbay prints for a multi-file replace: one line per matching file, then the totals. With
// --dry-run, what it would do: the lines it would change as a diff (app/cli/dry_run_diff.h), the
// files it could not read or passed over, the totals.
#pragma once

#include <string>

#include "core/commands/multi_file_replace.h"

namespace qb {

[[nodiscard]] std::string MultiFileReport(const MultiFileResult& result);

}  // namespace qb
