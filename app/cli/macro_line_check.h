// The arguments of a macro line as qbay's user wrote them. The macro language reads a token that
// is not a number as 0 (or as the digits it begins with) and ignores tokens beyond a command's
// arguments, so "TurnChange abc" folds after every character and "StrCat a b" appends "a"
// without a word. On the command line that is a usage error; in a macro file (which may have
// been recorded that way) a warning.
#pragma once

#include <string>
#include <string_view>

namespace qb {

// What is wrong with the arguments of `line` (UTF-8 or Shift-JIS; a known command's line): a
// token that is not a whole decimal number where the command takes a number, a number it
// requires that is missing, or a token beyond its arguments, named by the argument it stands
// for ("WIDTH must be a number, not 'abc'"). Empty when nothing is, and for a line naming no
// command. `utf8`: the tokens are shown as they are, else converted from Shift-JIS.
[[nodiscard]] std::string MacroArgumentProblem(std::string_view line, bool utf8 = true);

}  // namespace qb
