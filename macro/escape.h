// The escape scheme of string arguments in macro lines (and of text typed into some dialogs).
//
// Written form: an empty string is "\b"; every space becomes "\s". Read form: "\b" alone is the
// empty string; "\\" is a backslash, "\n" CR LF, "\t" a tab, "\s" a space; any other backslash
// stays as it is. Escapes are recognised only at character boundaries, so the second byte of a
// double-byte character (ソ is 83 5C) is never taken for a backslash.
//
// A macro line is cut into tokens at spaces, so every writer below yields a token without spaces
// that is never empty.
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

// Writes a string so that UnescapeMacroArg gives exactly `text` back: like EscapeMacroArg, every
// backslash that the reader would take as part of an escape is doubled, and a CR LF pair is
// written as "\n". (A lone CR or LF has no escape and stays as it is.)
[[nodiscard]] std::string EscapeMacroArgExact(std::string_view text);

// Writes text that was typed in escaped form (a dialog whose text is read with the escape rule
// before use) so that UnescapeMacroArg of the result equals UnescapeMacroArg of `typed`: the
// text as typed, spaces as "\s", a CR LF as "\n", and a backslash typed before a space (which
// the reader keeps as a backslash) doubled. Stored lines of such commands read as they always
// did.
[[nodiscard]] std::string EscapeTypedMacroArg(std::string_view typed);

// Writes a regular expression as a token that is used raw (not unescaped) on replay: every
// space, and every backslash-escaped space, becomes "\x20", which matches exactly a space, a CR
// or LF the pattern escapes "\r" and "\n"; an empty pattern becomes "(?:)", the empty group.
// The pattern means the same either way.
[[nodiscard]] std::string RegexMacroToken(std::string_view pattern);

}  // namespace qb
