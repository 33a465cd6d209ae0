#include "app/cli/save_check.h"

#include "core/text_file.h"

namespace qb {

bool MayWriteLines(const LineList& lines, bool lossy, CliHost& host) {
    const auto loss = FindLineThatWillNotReadBack(lines);
    if (!loss) return true;
    ReportReadBackLoss(*loss, lossy, host);
    return lossy;
}

void ReportReadBackLoss(const ReadBackLoss& loss, bool lossy, CliHost& host) {
    const std::string where = "line " + std::to_string(loss.index + 1) + " holds " + loss.what +
                              ", so the file would not read back as the same lines";
    if (lossy)
        host.Warn(where + " (written all the same, as --lossy allows)");
    else if (loss.what.starts_with("a CR"))
        // Text read from a file whose lines end in CR alone: making those CRs line breaks keeps
        // every character, where --lossy would drop them.
        host.ShowMessage("not written: " + where + "; -e CtlMToCRLF makes its CRs line breaks");
    else
        host.ShowMessage("not written: " + where + "; --lossy writes it all the same");
}

}  // namespace qb
