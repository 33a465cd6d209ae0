// The man page qbay(1), made from the option table and the command help when qbay is built, so
// that it says what the program does.
#pragma once

#include <string>
#include <string_view>

namespace qb {

// The page in roff (man macros), UTF-8.
std::string ManPageText(std::string_view version);

// `text` escaped for roff: backslashes doubled as \e, hyphens as \-, and a line that would begin
// with a control character (. or ') guarded.
std::string RoffEscape(std::string_view text);

}  // namespace qb
