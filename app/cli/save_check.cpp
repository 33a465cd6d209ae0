#include "app/cli/save_check.h"

#include "core/text_file.h"

namespace qb {

bool MayWriteLines(const LineList& lines, long long firstLineNumber, bool lossy, CliHost& host,
                   bool* warned) {
    if (lossy && warned && *warned) return true;
    const auto loss = FindLineThatWillNotReadBack(lines);
    if (!loss) return true;
    const std::string where =
        "line " + std::to_string(firstLineNumber + static_cast<long long>(loss->index)) +
        " holds " + loss->what +
        ", so the file would not read back as the "
        "same lines";
    if (lossy) {
        if (warned) *warned = true;
        host.Warn(where + " (written all the same, as --lossy allows)");
        return true;
    }
    host.ShowMessage("not written: " + where + "; --lossy writes it all the same");
    return false;
}

}  // namespace qb
