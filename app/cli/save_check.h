// What qbay refuses to write unless --lossy allows it: a result that would not come back as it
// was written. Every write of a document's lines (-o, -i, standard output, the Save command,
// block by block or whole) asks here first.
#pragma once

#include <string>

#include "app/cli/cli_host.h"
#include "core/line.h"
#include "core/text_file.h"

namespace qb {

// Whether `lines` may be written: true when they read back as written. Otherwise reports the
// first line that would not (ReportReadBackLoss) and returns `lossy`.
bool MayWriteLines(const LineList& lines, bool lossy, CliHost& host);
// Says (under the host's subject) that a line of the text would not read back as written:
// the message that refuses it, or with `lossy` a warning that it was written all the same.
void ReportReadBackLoss(const ReadBackLoss& loss, bool lossy, CliHost& host);
// The check a save makes (ReadBackCheck::Refuse, or Note with --lossy).
inline ReadBackCheck SaveCheckFor(bool lossy) {
    return lossy ? ReadBackCheck::Note : ReadBackCheck::Refuse;
}

}  // namespace qb
