#include "app/cli/macro_file_check.h"

#include "app/cli/command_help.h"
#include "convert/cp932.h"
#include "core/text_file.h"
#include "macro/macro_commands.h"
#include "macro/macro_line.h"

namespace qb {

bool IsUnknownCommandLine(std::string_view line) {
    if (line.starts_with('#')) return false;
    const std::string_view name = SplitMacroLine(line).name;
    return !name.empty() && !FindMacroCommand(name);
}

std::string UnknownCommandText(const std::string& path, long number, std::string_view line) {
    const std::string name = SjisToUtf8(SplitMacroLine(line).name);
    return path + ":" + std::to_string(number) + ": no macro command is named '" + name + "'" +
           (name.ends_with(' ') ? " (one space only after the name)" : DidYouMean(name));
}

std::vector<std::string> UnknownCommandLines(const std::string& path, bool utf8) {
    std::vector<std::string> found;
    TextLineReader reader(path);
    std::string_view line;
    for (long number = 1; reader.IsOpen() && reader.Next(line); ++number) {
        if (!IsUnknownCommandLine(line)) continue;
        found.push_back(
            UnknownCommandText(path, number, utf8 ? Utf8ToCp932(line) : std::string(line)));
    }
    return found;
}

}  // namespace qb
