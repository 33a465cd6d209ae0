// The lines of a macro file that name no command. Running such a line does nothing (stored
// macro files may hold them as notes), so qbay warns about each one, naming the nearest command,
// and with --strict refuses the file before anything runs. A line beginning with # is a comment
// and never counts; nor do an empty line and one beginning with a space (no name at all).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qb {

// Whether a macro line (Shift-JIS or UTF-8: the name is ASCII) names no command and is not a
// comment.
[[nodiscard]] bool IsUnknownCommandLine(std::string_view line);

// "FILE:N: no macro command is named 'NAME' (did you mean X?)" for line `number` of `path`.
// `line` is the line as it ran (Shift-JIS).
[[nodiscard]] std::string UnknownCommandText(const std::string& path, long number,
                                             std::string_view line);

// The text above for every such line of the macro file `path`, in order; empty when there are
// none or the file cannot be read (running it says so).
[[nodiscard]] std::vector<std::string> UnknownCommandLines(const std::string& path, bool utf8);

}  // namespace qb
