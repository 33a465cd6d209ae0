#include "app/cli/multi_file_report.h"

#include <string_view>

#include "app/cli/detect_command.h"
#include "app/cli/dry_run_diff.h"
#include "app/cli/visible_text.h"

namespace qb {

namespace {

// "N thing" or "N things".
std::string Count(int n, std::string_view thing) {
    std::string text = std::to_string(n) + " ";
    text += thing;
    if (n != 1) text += "s";
    return text;
}

}  // namespace

std::string MultiFileReport(const MultiFileResult& result) {
    std::string text;
    if (result.dryRun) text += MultiFileDiff(result);
    // Each file with its folder, as the diff names it: several runs may list the same name.
    std::string folder = result.folder;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    for (const auto& file : result.files) {
        if (result.dryRun && file.status != MultiFileEntry::Failed &&
            file.status != MultiFileEntry::Skipped)
            continue;
        text += VisibleText(folder + file.name) + ": ";
        text += CodeKindWord(file.code);
        if (file.status == MultiFileEntry::Failed)
            text += ", left alone: " + file.error + "\n";
        else if (file.status == MultiFileEntry::Skipped)
            text += ", passed over: " + file.error + "\n";
        else
            text += ", " + Count(file.replacements, "replacement") + "\n";
    }
    if (result.subfolders > 0)
        text += Count(result.subfolders, "subfolder") +
                " not searched (MultiFileReplace searches the files of FOLDER itself only)\n";
    text += Count(result.filesChanged, "file") +
            (result.dryRun ? " would change, " : " changed, ") +
            Count(result.replacements, "replacement") + " in all\n";
    return text;
}

}  // namespace qb
