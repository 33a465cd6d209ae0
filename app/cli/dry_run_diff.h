// What qbay --dry-run shows of a multi-file replace: the lines it would change, as a unified diff
// without context lines (as diff -U0 writes it), in UTF-8, under each file's name.
#pragma once

#include <string>

#include "core/commands/multi_file_replace.h"

namespace qb {

// For every file with changes: "--- FOLDER/NAME<TAB>CODE, N replacements", "+++ FOLDER/NAME",
// then one hunk per run of neighbouring changed lines ("@@ -3,2 +3,3 @@", the old lines with -,
// the new with +). A replacement that breaks a line gives several + lines. Empty when nothing
// would change.
[[nodiscard]] std::string MultiFileDiff(const MultiFileResult& result);

}  // namespace qb
