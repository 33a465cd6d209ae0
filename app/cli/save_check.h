// What qbay refuses to write unless --lossy allows it: a result that would not come back as it
// was written. Every write of a document's lines (-o, -i, standard output, the Save command,
// block by block or whole) asks here first.
#pragma once

#include <string>

#include "app/cli/cli_host.h"
#include "core/line.h"

namespace qb {

// Whether `lines`, the part of a text that starts at line `firstLineNumber` (1-based), may be
// written: true when they read back as written. Otherwise shows the message (under the
// host's subject) and returns false, or with `lossy` only warns and returns true. A text
// checked block by block passes `warned`, so that it is warned of once, as a whole text is.
bool MayWriteLines(const LineList& lines, long long firstLineNumber, bool lossy, CliHost& host,
                   bool* warned = nullptr);

}  // namespace qb
