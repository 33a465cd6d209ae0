#include "app/cli/dry_run_diff.h"

#include <string_view>
#include <vector>

#include "app/cli/detect_command.h"
#include "app/cli/visible_text.h"
#include "convert/stand_in_codec.h"

namespace qb {

namespace {

// The lines of a changed line's new text: it holds CR LF where the replacement broke it.
std::vector<std::string_view> NewLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (;;) {
        const std::size_t end = text.find("\r\n");
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) return lines;
        text.remove_prefix(end + 2);
    }
}

// "3" for one line, "3,2" for more.
std::string Range(long start, long count) {
    return count == 1 ? std::to_string(start) : std::to_string(start) + "," + std::to_string(count);
}

std::string Hunk(const std::vector<MultiFileLineChange>& changes, const StandInTable& standIns,
                 std::size_t first, std::size_t last, long& offset) {
    std::string removed, added;
    long newCount = 0;
    for (std::size_t i = first; i < last; ++i) {
        removed += "-" + SjisToUtf8WithStandIns(changes[i].before, standIns) + "\n";
        for (const std::string_view line : NewLines(changes[i].after)) {
            added += "+" + SjisToUtf8WithStandIns(line, standIns) + "\n";
            ++newCount;
        }
    }
    const long oldStart = changes[first].line;
    const long oldCount = static_cast<long>(last - first);
    std::string hunk = "@@ -" + Range(oldStart, oldCount) + " +" +
                       Range(oldStart + offset, newCount) + " @@\n" + removed + added;
    offset += newCount - oldCount;
    return hunk;
}

}  // namespace

std::string MultiFileDiff(const MultiFileResult& result) {
    std::string diff;
    std::string folder = result.folder.empty() ? "." : result.folder;
    if (folder.back() != '/') folder += '/';
    for (const MultiFileEntry& file : result.files) {
        if (file.changes.empty()) continue;
        const std::string path = VisibleText(folder + file.name);
        diff += "--- " + path + "\t" + std::string(CodeKindWord(file.code)) + ", " +
                std::to_string(file.replacements) +
                (file.replacements == 1 ? " replacement\n" : " replacements\n");
        diff += "+++ " + path + "\n";
        long offset = 0;
        for (std::size_t first = 0; first < file.changes.size();) {
            std::size_t last = first + 1;
            while (last < file.changes.size() &&
                   file.changes[last].line == file.changes[last - 1].line + 1)
                ++last;
            diff += Hunk(file.changes, file.standIns, first, last, offset);
            first = last;
        }
    }
    return diff;
}

}  // namespace qb
