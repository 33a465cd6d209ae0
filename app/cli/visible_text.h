// Text qbay prints that came from outside (a file name, a macro line) may hold any byte. Control
// bytes in it are shown as \xHH, so that none can end a line early, forge a line of a diff or a
// report, or send the terminal an escape sequence.
#pragma once

#include <string>
#include <string_view>

namespace qb {

[[nodiscard]] std::string VisibleText(std::string_view text);

}  // namespace qb
