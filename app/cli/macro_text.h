// The encoding of macro text given to qbay. Macro lines are Shift-JIS; lines typed on a UTF-8
// terminal (-e) and macro files written with a UTF-8 editor (-m) are UTF-8 and are converted.
// Text that is not valid UTF-8 (a macro file recorded by Quillbay, say) is already Shift-JIS
// and is taken as it is. Pure ASCII reads the same either way.
#pragma once

#include <string>
#include <string_view>

namespace qb {

// A -e line as the interpreter needs it: converted from UTF-8 when it is valid UTF-8.
[[nodiscard]] std::string CommandLineMacroToSjis(std::string_view line);

// Whether the bytes of a macro file are to be read as UTF-8: every line valid UTF-8 (a leading
// byte-order mark allowed) and at least one byte beyond ASCII.
[[nodiscard]] bool MacroTextIsUtf8(std::string_view bytes);

}  // namespace qb
