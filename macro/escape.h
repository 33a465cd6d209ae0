// The escape scheme of string arguments in macro lines (and of text typed into some dialogs).
//
// Written form: an empty string is "\b"; every space becomes "\s". Read form: "\b" alone is the
// empty string; "\\" is a backslash, "\n" CR LF, "\t" a tab, "\s" a space; any other backslash
// stays as it is. Escapes are recognised only at character boundaries, so the second byte of a
// double-byte character (ソ is 83 5C) is never taken for a backslash.
#pragma once

#include <string>
#include <string_view>

namespace qb {

// Reads an escaped argument token.
[[nodiscard]] std::string UnescapeMacroArg(std::string_view token);

// Writes a string as an escaped token: "\b" when empty, spaces as "\s", everything else as it
// is. Text that the reader would change (a backslash before n, t, s, b or another backslash)
// comes back changed: use this for text that was typed with escapes in mind.
[[nodiscard]] std::string EscapeMacroArg(std::string_view text);

// Writes a string so that UnescapeMacroArg gives exactly `text` back: like EscapeMacroArg, and
// every backslash that the reader would take as part of an escape is doubled.
[[nodiscard]] std::string EscapeMacroArgExact(std::string_view text);

}  // namespace qb
